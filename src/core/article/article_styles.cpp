#include "article/article_styles.h"

#include "text/code_page.h"

namespace lexmora {

namespace {
constexpr std::uint32_t Rgb(std::uint32_t rgb) {
  // #RRGGBB -> 0x00BBGGRR
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

TFontInfo Style(const char* font, int size, std::uint32_t rgb, std::uint8_t style, int charset, int codePage,
                std::uint32_t locale) {
  TFontInfo f;
  f.fontName = font;
  f.size = size;
  f.colour = Rgb(rgb);
  f.fontStyle = style;
  f.charset = charset;
  f.codePage = codePage;
  f.locale = locale;
  return f;
}
}  // namespace

const ArticleStyleArray& ArticleStyleTable() {
  static const ArticleStyleArray table = {
      Style("Arial", 10, 0x000000, 0, 0, 1252, 0x409),
      Style("Arial", 10, 0x000080, 0, 0, 1252, 0x409),
      Style("Arial", 10, 0x000000, 0, 162, 1254, 0x42C),
      Style("Arial Unicode MS", 12, 0x000000, 0, 204, 1251, 0),
      Style("Arial", 10, 0x000080, kItalic, 0, 1252, 0x409),
      Style("Arial", 12, 0x8E021E, kBold, 0, 1252, 0x409),
      Style("Arial Unicode MS", 10, 0x346767, 0, 204, 1251, 0),
      Style("Arial", 10, 0x000000, kItalic, 162, 1254, 0x409),
      Style("Arial", 10, 0x000000, kBold, 204, 1251, 0x407),
      Style("Arial", 10, 0x000000, 0, 162, 1254, 0x42C),
      Style("Arial", 12, 0x8E021E, kBold, 162, 1254, 0x42C),
      Style("Arial", 10, 0x000000, 0, 204, 1251, 0x419),
      Style("Arial", 10, 0x000000, kItalic, 204, 1251, 0x419),
      Style("Arial", 10, 0x000000, kBold, 0, 1252, 0x409),      // bold, for imported dictionaries
      Style("Arial", 12, 0x8E021E, kBold, 0, 1252, 0x407),
      Style("Arial", 10, 0x1E7B1E, 0, 0, 1252, 0x409),          // green
      Style("Arial", 10, 0x000080, 0, 204, 1251, 0x419),
      Style("Arial", 10, 0x000080, kItalic, 204, 1251, 0x419),
      Style("Arial", 12, 0x8E021E, kBold, 204, 1251, 0x419),
      Style("Arial", 10, 0xC01818, 0, 0, 1252, 0x409),          // red
      Style("Arial", 10, 0x000000, kUnderline, 0, 1252, 0x409),  // underlined
  };
  return table;
}

int StyleTextCodePage(const TFontInfo& style) {
  return style.locale == 0 ? PhoneticCode : style.codePage;
}

}  // namespace lexmora
