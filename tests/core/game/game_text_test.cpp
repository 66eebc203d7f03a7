// The question view's reading of game texts.
#include "game/game_text.h"

#include <gtest/gtest.h>

#include "article/article_markup.h"
#include "support/bytes.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

std::string Style(int n) { return MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(n), 0); }

TEST(GameTextRenderer, AnEmptyLineThenStyledRuns) {
  GameTextRenderer renderer;
  int codePage = 1252;
  const auto runs = renderer.Render(Style(2) + "g\xFD" + Style(11) + "\xE4\xEE\xEC", codePage);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[0].text, u"");
  EXPECT_TRUE(runs[0].newParagraph);
  EXPECT_EQ(runs[0].style, kGameViewOwnStyle);
  EXPECT_EQ(runs[1].text, u"g\u0131");  // dotless i of 1254
  EXPECT_EQ(runs[1].style, 2);
  EXPECT_TRUE(runs[1].newParagraph);
  EXPECT_EQ(runs[2].text, u"\u0434\u043E\u043C");
  EXPECT_EQ(runs[2].style, 11);
  EXPECT_FALSE(runs[2].newParagraph);
  EXPECT_EQ(codePage, 1251);
}

TEST(GameTextRenderer, TheStyleAndCodePageCarryOverToTheNextText) {
  GameTextRenderer renderer;
  int codePage = 1252;
  renderer.Render(Style(9) + "a", codePage);
  const auto runs = renderer.Render("\xFD", codePage);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].style, 9);
  EXPECT_EQ(runs[1].text, u"\u0131");
  // The code page set by the article view meanwhile is the one used.
  codePage = 1251;
  EXPECT_EQ(renderer.Render("\xE4", codePage)[1].text, u"\u0434");
}

TEST(GameTextRenderer, StyleTagsAbove20AndOtherTagsAreSkipped) {
  GameTextRenderer renderer;
  int codePage = 1252;
  const auto runs = renderer.Render(Style(4) + "a" + Style(21) + "b" + MarkupTag(kMarkupSound, 0, 1) + "c" +
                                        MarkupTag(kMarkupGameEnd, 1, 0xFF) + "d",
                                    codePage);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[1].text, u"abcd");
  EXPECT_EQ(runs[1].style, 4);
  EXPECT_EQ(renderer.CurrentStyle(), 4);
}

TEST(GameTextRenderer, CharacterTagsAndParagraphs) {
  GameTextRenderer renderer;
  int codePage = 1254;
  const auto runs = renderer.Render("head \r\n" + MarkupTag(kMarkupChar, 0x8F, 0x01) + "l\r\r\nx", codePage);
  ASSERT_EQ(runs.size(), 5u);
  EXPECT_EQ(runs[1].text, u"head ");
  EXPECT_TRUE(runs[1].newParagraph);
  EXPECT_EQ(runs[2].text, u"\u018Fl");
  EXPECT_TRUE(runs[2].newParagraph);
  EXPECT_EQ(runs[3].text, u"");  // the empty line between the two breaks
  EXPECT_TRUE(runs[3].newParagraph);
  EXPECT_EQ(runs[4].text, u"x");
  EXPECT_TRUE(runs[4].newParagraph);
}

TEST(GameTextRenderer, ALoneCrKeepsTheByteAfterItAndACutTagEndsTheText) {
  GameTextRenderer renderer;
  int codePage = 1252;
  const auto runs = renderer.Render("a\r" + Style(5) + "b", codePage);
  ASSERT_EQ(runs.size(), 3u);
  EXPECT_EQ(runs[2].text, u"b");
  EXPECT_EQ(runs[2].style, 5);
  EXPECT_EQ(renderer.Render("a\r", codePage).size(), 2u);  // nothing read past the end
  const auto cut = renderer.Render("ab" + test::Bytes({1, 4, 0x41}), codePage);
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[1].text, u"ab");
}

}  // namespace
}  // namespace lexmora
