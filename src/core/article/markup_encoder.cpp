#include "article/markup_encoder.h"

#include <charconv>
#include <cstdint>

#include "article/article_markup.h"
#include "article/article_styles.h"
#include "text/text_lines.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

int TextCodePageOfStyle(int style) { return StyleTextCodePage(ArticleStyleTable()[static_cast<std::size_t>(style)]); }

struct Tag {
  std::string_view name;
  std::string_view argument;
};

Tag SplitTag(std::string_view body) {
  body = TrimBlanks(body);
  std::size_t i = 0;
  while (i < body.size() && ((body[i] >= 'a' && body[i] <= 'z') || body[i] == '/')) ++i;
  return {body.substr(0, i), TrimBlanks(body.substr(i))};
}

int NumberArgument(const Tag& tag, std::size_t line, int max) {
  auto n = ParseNumber(tag.argument, 0, max);
  if (!n || tag.argument.empty() || tag.argument.substr(0, 2) == "0x")
    throw MarkupError(line, "tag {" + std::string(tag.name) + "} needs a number 0.." + std::to_string(max) +
                                ", not \"" + std::string(tag.argument) + "\"");
  return static_cast<int>(*n);
}

void NoArgument(const Tag& tag, std::size_t line) {
  if (!tag.argument.empty())
    throw MarkupError(line, "tag {" + std::string(tag.name) + "} takes no argument");
}

class ArticleEncoder {
 public:
  explicit ArticleEncoder(int style) : codePage_(TextCodePageOfStyle(style)) {}

  void Line(std::string_view line, std::size_t index) {
    std::size_t i = 0;
    while (i < line.size()) {
      char c = line[i];
      if (c == '{' && i + 1 < line.size() && line[i + 1] == '{') {
        pending_ += '{';
        i += 2;
      } else if (c == '}' && i + 1 < line.size() && line[i + 1] == '}') {
        pending_ += '}';
        i += 2;
      } else if (c == '}') {
        throw MarkupError(index, "a lone '}' (write }} for a brace)");
      } else if (c == '{') {
        std::size_t close = line.find('}', i + 1);
        if (close == std::string_view::npos) throw MarkupError(index, "tag not closed by '}' (write {{ for a brace)");
        Flush();
        ApplyTag(line.substr(i + 1, close - i - 1), index);
        i = close + 1;
      } else {
        pending_ += c;
        ++i;
      }
    }
    Flush();
  }

  void Break() { out_ += "\r\n"; }
  void Style(int style) {
    out_ += MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(style), 0xFF);
    codePage_ = TextCodePageOfStyle(style);
  }
  std::string Take() { return std::move(out_); }

 private:
  void Flush() {
    if (pending_.empty()) return;
    AppendEncodedText(out_, Utf8ToUtf16(pending_), codePage_);
    pending_.clear();
  }

  void ApplyTag(std::string_view body, std::size_t index) {
    Tag tag = SplitTag(body);
    if (tag.name == "s") {
      Style(NumberArgument(tag, index, kMaxStyleNumber));
    } else if (tag.name == "in") {
      out_ += MarkupTag(kMarkupIndent, static_cast<std::uint8_t>(NumberArgument(tag, index, kMaxIndentLevel)), 0xFF);
    } else if (tag.name == "u") {
      auto unit = tag.argument.size() <= 4 && !tag.argument.empty() ? ParseNumber("0x" + std::string(tag.argument), 0, 0xFFFF)
                                                                     : std::nullopt;
      if (!unit) throw MarkupError(index, "tag {u} needs 1 to 4 hex digits, not \"" + std::string(tag.argument) + "\"");
      out_ += MarkupTag(kMarkupChar, static_cast<std::uint8_t>(*unit & 0xFF), static_cast<std::uint8_t>(*unit >> 8));
    } else if (tag.name == "game" || tag.name == "/game" || tag.name == "hl" || tag.name == "/hl") {
      NoArgument(tag, index);
      std::uint8_t kind = tag.name == "game"    ? kMarkupGameStart
                          : tag.name == "/game" ? kMarkupGameEnd
                          : tag.name == "hl"    ? kMarkupHighlightOn
                                                : kMarkupHighlightOff;
      out_ += MarkupTag(kind, 1, 0xFF);
    } else if (tag.name == "snd") {
      int n = NumberArgument(tag, index, 0xFFFF);
      out_ += MarkupTag(kMarkupSound, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n & 0xFF));
    } else {
      throw MarkupError(index, "unknown tag {" + std::string(body) + "}");
    }
  }

  int codePage_;
  std::string pending_;
  std::string out_;
};

bool BeginsWithStyleTag(std::string_view line) {
  if (line.size() < 2 || line[0] != '{' || line[1] == '{') return false;
  std::size_t close = line.find('}');
  return close != std::string_view::npos && SplitTag(line.substr(1, close - 1)).name == "s";
}

}  // namespace

void AppendEncodedText(std::string& out, std::u16string_view text, int codePage) {
  for (char16_t unit : text) {
    std::uint8_t b = 0;
    if (unit != 0x01 && unit != 0x0D && FromUnicodeChar(unit, codePage, b)) {
      out += static_cast<char>(b);
    } else {
      out += MarkupTag(kMarkupChar, static_cast<std::uint8_t>(unit & 0xFF), static_cast<std::uint8_t>(unit >> 8));
    }
  }
}

std::string EncodeArticle(const std::vector<std::string_view>& lines, int defaultStyle) {
  ArticleEncoder encoder(defaultStyle);
  if (lines.empty() || !BeginsWithStyleTag(lines.front())) encoder.Style(defaultStyle);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) encoder.Break();
    encoder.Line(lines[i], i);
  }
  return encoder.Take();
}

std::string EscapeMarkupText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (char c : utf8) {
    out += c;
    if (c == '{' || c == '}') out += c;
  }
  return out;
}

}  // namespace lexmora
