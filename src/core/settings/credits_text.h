// The hidden credits of the about box: stored scrambled with the
// language-file key, and written in a small markup of their own:
//   "##d"  the following text is in interface language d (its code page;
//          Azeri text is in the Azeri letter code)
//   "#*s"  style s (0 or 1) for the following text
//   CR or CR LF ends the paragraph; a break right after a break makes an
//          empty line
// Any other "#" is ordinary text. Text starts in style 1, language 0.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

struct CreditsRun {
  std::u16string text;
  int style = 1;  // 0 or 1

  bool operator==(const CreditsRun&) const = default;
};

struct CreditsParagraph {
  std::vector<CreditsRun> runs;

  bool operator==(const CreditsParagraph&) const = default;
};

// XOR of every byte with the language-file key: scrambles and unscrambles.
std::string ScrambleCredits(std::string_view bytes);

// The paragraphs of unscrambled credits markup.
std::vector<CreditsParagraph> ParseCredits(std::string_view markup);

// What the credits view shows of the stored (scrambled) credits: the text
// unscrambled, with ten line breaks before and ten after, so that it
// scrolls in from below and out at the top.
std::vector<CreditsParagraph> CreditsForView(std::string_view stored);

class CreditsSourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The readable source of the credits (UTF-8, the same markup, LF or CR LF
// line ends) as unscrambled markup: each run in the code page of its
// language, Azeri in the letter code, lines ended by CR LF. Throws
// CreditsSourceError ("line N: ...") for a character that the code page of
// its language lacks.
std::string EncodeCreditsSource(std::string_view utf8);

}  // namespace lexmora
