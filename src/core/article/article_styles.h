// The 21 built-in text styles of articles.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lexmora {

enum FontStyleBits : std::uint8_t { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

struct TFontInfo {
  std::string fontName;
  std::int32_t size = 0;        // points
  std::uint32_t colour = 0;     // 0x00BBGGRR
  std::uint8_t fontStyle = 0;   // FontStyleBits
  std::string secondName;       // not used
  std::int32_t charset = 0;
  std::int32_t codePage = 0;
  std::uint32_t locale = 0;     // 0: the text is in the phonetic code
  std::int32_t gameStyleIndex = -1;  // index in the game view's style sheet
  std::int32_t viewStyleIndex = -1;  // index in the article view's style sheet
};

inline constexpr int kArticleStyleCount = 21;
using ArticleStyleArray = std::array<TFontInfo, kArticleStyleCount>;

// The built-in table, styles 0..20.
const ArticleStyleArray& ArticleStyleTable();

// The code page a style's text is stored in: the phonetic code when its
// locale is 0, else its code page.
int StyleTextCodePage(const TFontInfo& style);

}  // namespace lexmora
