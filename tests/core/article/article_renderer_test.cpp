#include "article/article_renderer.h"

#include <gtest/gtest.h>

namespace lexmora {
namespace {

using namespace std::string_literals;
using Items = std::vector<RecordingArticleView::Item>;

Items Render(ArticleRenderer& renderer, const std::string& article) {
  RecordingArticleView view;
  renderer.DrawRVText(article, view);
  EXPECT_EQ(view.formats, 1);
  return view.items;
}

Items Render(const std::string& article) {
  ArticleRenderer renderer;
  return Render(renderer, article);
}

std::string Style(int n) { return MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(n), 0xFF); }
std::string Indent(int n) { return MarkupTag(kMarkupIndent, static_cast<std::uint8_t>(n), 0xFF); }

TEST(DrawRVText, LeadingEmptyLinesKeepTheirHeight) {
  Items items = Render("\r\n\r\n");
  ASSERT_EQ(items.size(), 2u);
  for (const auto& item : items) {
    EXPECT_EQ(item.text.text, u" ");
    EXPECT_TRUE(item.text.newParagraph);
  }
}

TEST(DrawRVText, TextRunsAndParagraphBreaks) {
  Items items = Render(Style(5) + "book" + Style(0) + " n.\r\nkitab\rx\ny");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text.text, u"book");
  EXPECT_EQ(items[0].text.style, 5);
  EXPECT_TRUE(items[0].text.newParagraph);
  EXPECT_EQ(items[1].text.text, u" n.");
  EXPECT_FALSE(items[1].text.newParagraph);
  EXPECT_EQ(items[2].text.text, u"kitab");
  EXPECT_TRUE(items[2].text.newParagraph);
  // A lone LF after CR belongs to the break; other LFs are text.
  EXPECT_EQ(items[3].text.text, u"x\ny");
  EXPECT_EQ(items[0].text.layout, kArticleStartLayout);
}

TEST(DrawRVText, UnicodeCharacterInsideAWordDoesNotBreakIt) {
  Items items = Render(Style(0) + "G\x01\x04\x8F\x01z");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[1].text.text, u"\u018F");
  EXPECT_FALSE(items[1].text.newParagraph);
  EXPECT_FALSE(items[2].text.newParagraph);
  EXPECT_EQ(items[1].text.style, 0);
}

TEST(DrawRVText, UnicodeCharacterStartingAParagraphBeginsIt) {
  Items items = Render("a\r\n\x01\x04\x8F\x01lifba");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[1].text.newParagraph);
  EXPECT_EQ(items[2].text.text, u"lifba");
  EXPECT_FALSE(items[2].text.newParagraph);
}

TEST(DrawRVText, IndentLevelsSetTheLayoutValues) {
  Items items = Render("head" + Indent(3) + "sense");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[1].text.newParagraph);
  EXPECT_EQ(items[1].text.layout, (ParagraphLayout{30, 5, 20, 1, 2, 2, 0, 2, 2}));
  // Right after a break the indent starts no second paragraph.
  items = Render("head\r\n" + Indent(1) + "sense");
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[1].text.layout[0], 10);
  // Level 0 starts a paragraph and keeps the layout; a level above 20 does nothing.
  items = Render(Indent(2) + "a" + Indent(0) + "b" + Indent(21) + "c");
  ASSERT_EQ(items.size(), 3u);
  EXPECT_TRUE(items[1].text.newParagraph);
  EXPECT_EQ(items[1].text.layout[0], 20);
  EXPECT_FALSE(items[2].text.newParagraph);
}

TEST(DrawRVText, StyleAbove20IsIgnoredAndCodePagesFollowTheStyle) {
  Items items = Render(Style(2) + "\xE6" + Style(21) + "\xFE" + Style(11) + "\xE4" + Style(6) + "\x45\x53");
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[0].text.text, u"ə");
  EXPECT_EQ(items[1].text.text, u"ş");
  EXPECT_EQ(items[1].text.style, 2);
  EXPECT_EQ(items[2].text.text, u"д");
  EXPECT_EQ(items[3].text.text, u"\u025B\u0283");  // transcription style: phonetic code
}

TEST(DrawRVText, TheStylePersistsFromOneArticleToTheNext) {
  ArticleRenderer renderer;
  Items first = Render(renderer, "\xE4");
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].text.style, kInitialViewStyle);
  EXPECT_EQ(first[0].text.text, u"д");  // the view's own style reads 1251
  Render(renderer, Style(9) + "x" + Indent(2) + "\x01\x07\x01\xFFy");
  Items third = Render(renderer, "next");
  ASSERT_EQ(third.size(), 1u);
  EXPECT_EQ(third[0].text.style, 9);
  EXPECT_TRUE(third[0].text.newParagraph);
  EXPECT_EQ(third[0].text.layout, kArticleStartLayout);
  EXPECT_FALSE(third[0].text.highlight);
}

TEST(DrawRVText, HighlightAndSoundButtons) {
  Items items = Render("a\x01\x07\x01\xFF" "b\x01\x08\x01\xFF" "c\x01\x09\x01\x02" "d");
  ASSERT_EQ(items.size(), 5u);
  EXPECT_FALSE(items[0].text.highlight);
  EXPECT_TRUE(items[1].text.highlight);
  EXPECT_FALSE(items[2].text.highlight);
  ASSERT_TRUE(items[3].isSound);
  EXPECT_EQ(items[3].sound.number, 258);
  EXPECT_FALSE(items[3].sound.newParagraph);
  // A sound button at the start of a line is a paragraph of its own, and
  // leaves the flags as they were.
  items = Render("\x01\x09\x00\x05" "word"s);
  ASSERT_EQ(items.size(), 2u);
  EXPECT_TRUE(items[0].sound.newParagraph);
  EXPECT_TRUE(items[1].text.newParagraph);
}

TEST(DrawRVText, UnknownKindsAndIncompleteSequences) {
  Items items = Render("a\x01\x05\x01\xFF" "b\x01\x06\x01\xFF" "c\x01\x63\x00\x00" "d"s);
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[3].text.text, u"d");
  // A control byte closer than four bytes to the end ends the walk.
  items = Render("abc\x01\x01\x02");
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].text.text, u"abc");
  EXPECT_TRUE(Render("").empty());
  EXPECT_TRUE(Render("\x01").empty());
}

}  // namespace
}  // namespace lexmora
