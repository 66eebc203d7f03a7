#include "import/html_markup.h"

#include <gtest/gtest.h>

#include <string>

#include "article/article_renderer.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

// The article as the view gets it: '>' for each indent level of a paragraph,
// "|" between paragraphs, "{N}" where style N begins, "[sound N]" a button.
std::string Shown(const std::string& article) {
  RecordingArticleView view;
  ArticleRenderer().DrawRVText(article, view);
  std::string out;
  int style = ImportStyles{}.text;
  for (const auto& item : view.items) {
    const bool paragraph = item.isSound ? item.sound.newParagraph : item.text.newParagraph;
    const ParagraphLayout& layout = item.isSound ? item.sound.layout : item.text.layout;
    if (paragraph) out += (out.empty() ? "" : "|") + std::string(static_cast<std::size_t>(layout[0] / 10), '>');
    if (item.isSound) {
      out += "[sound " + std::to_string(item.sound.number) + "]";
      continue;
    }
    if (item.text.style != style) out += "{" + std::to_string(style = item.text.style) + "}";
    out += Utf16ToUtf8(item.text.text);
  }
  return out;
}

struct Written {
  std::string shown;
  bool visible;
};

Written Write(std::string_view text, TextMarkup markup, int level = 0) {
  ArticleBuilder builder{ImportStyles{}};
  MarkedTextWriter writer(builder, [](std::string_view name) { return name == "a.wav" ? 4 : 0; });
  const bool visible = writer.Append(text, markup, level);
  return {Shown(builder.Take()), visible};
}

// The default styles: text 0, link and blue 1, italic 7, bold 13, red 19, underline 20.
TEST(MarkedText, PangoKeepsBlanksAndLinesAndStylesSpans) {
  EXPECT_EQ(Write("  <span foreground=\"#B22222\">Racine</span>,  <span weight=\"bold\">gras</span> &amp;\n\n"
                  "<i>it</i> <span foreground=\"black\" style=\"italic\">noir</span> <span>x</span><u>u</u>",
                  TextMarkup::kPango)
                .shown,
            "  {19}Racine{0},  {13}gras{0} &| |{7}it{0} {7}noir{0} x{20}u");
  // Plain text reads no markup.
  EXPECT_EQ(Write("a <b>&amp;\tb", TextMarkup::kPlain).shown, "a <b>&amp; b");
}

TEST(MarkedText, HtmlCollapsesBlanksAndMakesParagraphsOfBlocks) {
  EXPECT_EQ(Write("<p>  one \t two\n three </p>\n\n<div>four<br>five<br><br>six</div>seven", TextMarkup::kHtml).shown,
            "one two|three|four|five| |six|seven");
  EXPECT_EQ(Write("x<blockquote>q<ul><li>a<li>b</ul></blockquote><ol><li>x</li><li>y</li></ol>"
                  "<font color=red>r</font> <span style=\"font-weight: bold\">s</span> <a href=\"bword://w\">w</a>",
                  TextMarkup::kHtml, 1)
                .shown,
            ">x|>>q|>>>\u2022 a|>>>\u2022 b|>>1. x|>>2. y|>{19}r{0} {13}s{0} {1}w");
  EXPECT_EQ(Write("<pre>a  b\n c</pre>d  e", TextMarkup::kHtml).shown, "a  b| c|d e");
}

TEST(MarkedText, EntitiesSoundLinksAndBrokenMarkup) {
  EXPECT_EQ(Write("&eacute;&#233;&#xE9;&#0;&bogus; a < b &lt; &amp", TextMarkup::kHtml).shown,
            "\u00E9\u00E9\u00E9\uFFFD&bogus; a < b < &amp");
  EXPECT_EQ(Write("say <a href=\"sound://a.wav\">play</a> <a href='sound://x.mp3'>x</a>", TextMarkup::kHtml).shown,
            "say [sound 4]play {1}x");
  // Scripts and comments are left out, a stray end tag is ignored, an end
  // tag closes what was opened inside its element, a tag never closed is
  // text, and styles end with the text.
  EXPECT_EQ(Write("<script>x<y></script><!-- c --></i>a <b>b <i>c</b> d <unclosed", TextMarkup::kHtml).shown,
            "a {13}b {7}c{0} d <unclosed");
  EXPECT_EQ(Write("<b>bold", TextMarkup::kHtml).shown + Write("plain", TextMarkup::kHtml).shown, "{13}boldplain");
}

TEST(MarkedText, TellsWhetherAnythingIsVisible) {
  EXPECT_FALSE(Write("<b> </b>\n<br>&nbsp;", TextMarkup::kHtml).visible);
  EXPECT_FALSE(Write("  \n ", TextMarkup::kPango).visible);
  EXPECT_TRUE(Write("<a href=\"sound://a.wav\"></a>", TextMarkup::kHtml).visible);
  EXPECT_TRUE(Write("&#x1F600;", TextMarkup::kHtml).visible);
}

}  // namespace
}  // namespace lexmora
