#include "lists/flashcard_export.h"

#include <gtest/gtest.h>

#include "article/article_markup.h"

namespace lexmora {
namespace {

int FirstStyleWith(std::uint8_t bits) {
  for (int i = 0; i < kArticleStyleCount; ++i)
    if ((ArticleStyleTable()[static_cast<std::size_t>(i)].fontStyle & bits) == bits) return i;
  return -1;
}

TEST(ArticleHtml, RunsTakeTheLooksOfTheirStyles) {
  const int bold = FirstStyleWith(kBold);
  const int italic = FirstStyleWith(kItalic);
  ASSERT_GE(bold, 0);
  ASSERT_GE(italic, 0);
  const TFontInfo& b = ArticleStyleTable()[static_cast<std::size_t>(bold)];
  ASSERT_NE(b.locale, 0u);  // text in a code page, not the phonetic code
  const std::string html =
      ArticleHtml(MarkupTag(1, static_cast<std::uint8_t>(bold), 0) + "head\r" +
                  MarkupTag(1, static_cast<std::uint8_t>(italic), 0) + "body\r");
  EXPECT_NE(html.find("font-weight:bold;\">head</span>"), std::string::npos) << html;
  EXPECT_NE(html.find("font-style:italic;\">body</span>"), std::string::npos) << html;
  EXPECT_EQ(html.rfind("<div>", 0), 0u);
  EXPECT_EQ(html.substr(html.size() - 6), "</div>");
  if (b.colour != 0) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "color:#%02x%02x%02x;", b.colour & 0xFF, (b.colour >> 8) & 0xFF,
                  (b.colour >> 16) & 0xFF);
    EXPECT_NE(html.find(colour), std::string::npos) << html;
  }
}

TEST(ArticleHtml, IndentedParagraphsGetAMarginAndSoundsAreLeftOut) {
  const std::string html = ArticleHtml("one\r" + MarkupTag(2, 3, 0) + "two" + MarkupTag(9, 0, 7) + "\r");
  EXPECT_NE(html.find("<div style=\"margin-left:"), std::string::npos) << html;
  EXPECT_NE(html.find("two"), std::string::npos);
  EXPECT_EQ(html.find('\t'), std::string::npos);
  EXPECT_EQ(html.find('\n'), std::string::npos);
  EXPECT_EQ(html.find('\r'), std::string::npos);
}

TEST(HtmlText, EscapesMarkupAndKeepsOneLine) {
  EXPECT_EQ(HtmlText(u"a<b>&\"c\"\td\r\ne"), "a&lt;b&gt;&amp;&quot;c&quot; d  e");
  EXPECT_EQ(HtmlText(u"işıq"), "işıq");
}

}  // namespace
}  // namespace lexmora
