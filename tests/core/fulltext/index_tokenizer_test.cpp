#include "fulltext/index_tokenizer.h"

#include <gtest/gtest.h>

#include "article/article_markup.h"

namespace lexmora {
namespace {

using namespace std::string_literals;

struct Token {
  std::u16string word;
  std::uint32_t position, length;
  int line;
  bool operator==(const Token&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Token& t) {
  os << "{";
  for (char16_t c : t.word) os << (c < 128 ? static_cast<char>(c) : '#');
  return os << " @" << t.position << " len " << t.length << " line " << t.line << "}";
}

std::vector<Token> Tokens(IndexTokenizer& tokenizer, const std::string& text) {
  tokenizer.StartArticle(text);
  std::vector<Token> out;
  IndexWord w;
  while (tokenizer.Next(w)) out.push_back({w.word, w.position, w.length, w.lineFlag});
  return out;
}

std::vector<Token> Tokens(const std::string& text, int style = 0) {
  IndexTokenizer tokenizer;
  return Tokens(tokenizer, MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(style), 0xFF) + text);
}

TEST(IndexTokenizer, GapBytesSeparateWordsAndTheLastWordNeedsAFollower) {
  // Positions count the 4-byte style tag in front.
  EXPECT_EQ(Tokens("go, went (gone)\r"),
            (std::vector<Token>{{u"GO", 5, 2, 0}, {u"WENT", 9, 4, 0}, {u"GONE", 15, 4, 0}}));
  EXPECT_EQ(Tokens("a a b"), (std::vector<Token>{{u"A", 5, 1, 0}, {u"A", 7, 1, 0}}));
  EXPECT_EQ(Tokens("it's 2nd/3rd \"x\" e-mail "),
            (std::vector<Token>{{u"IT'S", 5, 4, 0}, {u"2ND/3RD", 10, 7, 0}, {u"\"X\"", 18, 3, 0}, {u"E", 22, 1, 0},
                                {u"MAIL", 24, 4, 0}}));
}

TEST(IndexTokenizer, ParenthesesGiveTheFullAndTheShortForm) {
  EXPECT_EQ(Tokens("went(gone) "), (std::vector<Token>{{u"WENTGONE", 5, 10, 0}, {u"WENT", 5, 4, 0}}));
  EXPECT_EQ(Tokens("colo(u)r."), (std::vector<Token>{{u"COLOUR", 5, 8, 0}, {u"COLOR", 5, 5, 0}}));
  // An open parenthesis runs across spaces and breaks up to the next control
  // byte; without one the word and the rest of the article are dropped.
  EXPECT_EQ(Tokens("ab(cd ef\rgh" + MarkupTag(1, 0, 0xFF) + "x y"),
            (std::vector<Token>{{u"ABCD EF\rGH", 5, 11, 0}, {u"AB", 5, 2, 0}, {u"X", 20, 1, 0}}));
  EXPECT_TRUE(Tokens("ab(cd ef gh").empty());
}

TEST(IndexTokenizer, LinesAndControlSequences) {
  EXPECT_EQ(Tokens("a\r\nb\r\n\r\nc d"), (std::vector<Token>{{u"A", 5, 1, 0}, {u"B", 8, 1, 1}, {u"C", 13, 1, 1}}));
  // A one-character tag inside a word splits it; the character is in neither part.
  EXPECT_EQ(Tokens("ab\x01\x04\x8F\x01" "cd "), (std::vector<Token>{{u"AB", 5, 2, 0}, {u"CD", 11, 2, 0}}));
  // An incomplete control sequence at the end exhausts the article.
  EXPECT_EQ(Tokens("x \x01\x01"), (std::vector<Token>{{u"X", 5, 1, 0}}));
}

TEST(IndexTokenizer, KeyFormsFollowTheStyleLocale) {
  EXPECT_EQ(Tokens("\xB8\xEB\xEA\xE0 ", 11)[0].word, u"ЕЛКА");        // Russian: Yo folded
  EXPECT_EQ(Tokens("i\xFE i\xE7i ", 2)[0].word, u"İŞ");               // Azeri: rule 1254
  EXPECT_EQ(Tokens("i\xFE i\xE7i ", 2)[1].word, u"İÇİ");
  EXPECT_EQ(Tokens("stra\xDF" "e ", 0)[0].word, u"STRAßE");          // no upper case for ß
  EXPECT_EQ(Tokens("\xE9t\xE9 ", 0)[0].word, u"ÉTÉ");
  EXPECT_EQ(Tokens("\x45\x53 ", 6)[0].word, u"ƐƩ");                   // transcription: phonetic code, upper-cased
}

TEST(IndexTokenizer, StyleStatePersistsAcrossArticles) {
  IndexTokenizer tokenizer;
  EXPECT_EQ(tokenizer.StyleNumber(), 0);
  Tokens(tokenizer, MarkupTag(1, 11, 0xFF) + "x ");
  EXPECT_EQ(tokenizer.StyleNumber(), 11);
  auto next = Tokens(tokenizer, "\xB8\xEB\xEA\xE0 ");
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].word, u"ЕЛКА");
  // A style number above 20 changes nothing.
  Tokens(tokenizer, MarkupTag(1, 21, 0xFF) + "y ");
  EXPECT_EQ(tokenizer.StyleNumber(), 11);
}

}  // namespace
}  // namespace lexmora
