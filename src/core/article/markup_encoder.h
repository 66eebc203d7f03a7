// Turns the readable article markup of dictionary sources ({s N}, {in N},
// {u XXXX}, {game}, {/game}, {hl}, {/hl}, {snd N}, {{, }}) into the 8-bit
// article bytes: text in the code page of the current style, characters that
// code page lacks as one-character control sequences of their own.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// A markup fault; line is the 0-based index of the article line at fault.
class MarkupError : public std::runtime_error {
 public:
  MarkupError(std::size_t line, const std::string& message) : std::runtime_error(message), line_(line) {}
  std::size_t line() const { return line_; }

 private:
  std::size_t line_;
};

// Appends UTF-16 text in the given code page (PhoneticCode for 0). A code
// unit the code page lacks, and the two bytes that carry markup (0x01, 0x0D),
// become 01 04 lo hi.
void AppendEncodedText(std::string& out, std::u16string_view text, int codePage);

// Encodes the UTF-8 lines of one article, joined with CR LF. An article that
// does not begin with a style tag gets {s defaultStyle} in front. Throws
// MarkupError.
std::string EncodeArticle(const std::vector<std::string_view>& lines, int defaultStyle);

// The markup source form of plain text: braces doubled.
std::string EscapeMarkupText(std::string_view utf8);

}  // namespace lexmora
