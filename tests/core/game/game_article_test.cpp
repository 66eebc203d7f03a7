// The game's reading of one word: answers from headwords, sections and
// questions from articles.
#include "game/game_article.h"

#include <gtest/gtest.h>

#include <set>

#include "article/article_markup.h"
#include "game/game_random.h"
#include "support/bytes.h"
#include "support/scripted_random.h"

namespace lexmora {
namespace {

const std::string kStart(GameSectionStart);
const std::string kEnd(GameSectionEnd);
const std::string kDefault(kDefaultStyleTag);
std::string Style(int n) { return MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(n), 0); }
std::vector<std::string> Sections(const std::string& article) { return ReadGameArticle(article).sections; }

TEST(CutHomonymNumber, ANumberAfterTheLastBlankGoes) {
  EXPECT_EQ(CutHomonymNumber("bank II"), "bank");
  EXPECT_EQ(CutHomonymNumber("bank 2."), "bank");
  EXPECT_EQ(CutHomonymNumber("bank 12)"), "bank");
  EXPECT_EQ(CutHomonymNumber("bank\tV"), "bank");
  EXPECT_EQ(CutHomonymNumber("XIV"), "");  // only a number: an empty answer
  EXPECT_EQ(CutHomonymNumber("1990"), "");
  EXPECT_EQ(GameAnswer("\xC6l II", 1254), u"\u018Fl");  // wide text in the group's code page
}

TEST(CutHomonymNumber, AnythingElseKeepsTheHeadword) {
  for (const char* kept : {"bank IIa", "bank I2", "bank ii", "bank (2)", "go II on", "XIVth", "bank", "bank ", ""})
    EXPECT_EQ(CutHomonymNumber(kept), kept);
}

TEST(GameQuestion, CutsAtTheFirstSemicolonOutsideBrackets) {
  EXPECT_EQ(GameQuestion("to go (on; off); away"), "to go (on; off)");
  EXPECT_EQ(GameQuestion("a ([b; c]; d); e"), "a ([b; c]; d)");
  EXPECT_EQ(GameQuestion(";first"), "");
  EXPECT_EQ(GameQuestion("open (never closed; x"), "open (never closed; x");
  // A closing bracket without an opening one does not hide the cut.
  EXPECT_EQ(GameQuestion("1) to go; away"), "1) to go");
  // Tags are copied whole, never read as brackets; one cut short is dropped.
  const std::string tag = MarkupTag(kMarkupChar, '(', ';');
  EXPECT_EQ(GameQuestion(Style(2) + "x" + tag + "y; z"), Style(2) + "x" + tag + "y");
  EXPECT_EQ(GameQuestion("go" + test::Bytes({1, 1})), "go");
}

TEST(ReadGameArticle, HeadLineAndSectionsWithTheStyleInForce) {
  const GameArticle parts = ReadGameArticle(Style(5) + "bank\r\n" + Style(2) + "1. " + kStart + "sahil" + kEnd +
                                            "; " + Style(9) + kStart + "qiraq" + kEnd + "\r\n");
  ASSERT_TRUE(parts.hasHeadLine);
  EXPECT_EQ(parts.headLine, Style(5) + "bank");
  EXPECT_EQ(parts.sections, (std::vector<std::string>{Style(2) + "sahil", Style(9) + "qiraq"}));
  // A section's own style tag stays; with none before it the default is put.
  EXPECT_EQ(Sections("go\r\n" + Style(3) + kStart + Style(7) + "x" + kEnd), std::vector<std::string>{Style(7) + "x"});
  EXPECT_EQ(Sections("go\r\n" + kStart + "x" + kEnd), std::vector<std::string>{kDefault + "x"});
  // A style set inside an earlier section is in force after it.
  EXPECT_EQ(Sections("go\r\n" + kStart + Style(8) + "a" + kEnd + kStart + "b" + kEnd)[1], Style(8) + "b");
  // Style tags above 20 count neither as the style in force nor as the section's own.
  EXPECT_EQ(Sections(Style(4) + "go\r\n" + Style(21) + kStart + Style(30) + "x" + kEnd),
            std::vector<std::string>{Style(4) + Style(30) + "x"});
}

TEST(ReadGameArticle, SectionEndsAndLineEnds) {
  // An open section runs to the end; an end tag cut short ends the text.
  EXPECT_EQ(Sections("go\r\n" + kStart + "x\r\n"), std::vector<std::string>{kDefault + "x\r\n"});
  EXPECT_EQ(Sections("go\r\n" + kStart + "x" + test::Bytes({1, 6, 1})), std::vector<std::string>{kDefault + "x"});
  // Sections are looked for after the head line only.
  const std::string inHead = "go " + kStart + "x" + kEnd + "\r\nrest";
  EXPECT_TRUE(ReadGameArticle(inHead).hasHeadLine);
  EXPECT_TRUE(Sections(inHead).empty());
  EXPECT_FALSE(HasGameSection(inHead));
  // A CR LF inside a tag's arguments ends no line.
  const std::string crlfTag = "go" + MarkupTag(kMarkupChar, 0x0D, 0x0A) + kStart + "x" + kEnd;
  EXPECT_FALSE(ReadGameArticle(crlfTag).hasHeadLine);
  EXPECT_FALSE(HasGameSection(crlfTag));
  EXPECT_TRUE(HasGameSection(crlfTag + "\r\n" + kStart + "y"));
}

TEST(HasGameSection, NeedsTheWholeStartTagAfterTheHeadLine) {
  EXPECT_TRUE(HasGameSection("go\r\n" + kStart + "getmek" + kEnd));
  EXPECT_FALSE(HasGameSection("go\r\ngetmek"));
  EXPECT_FALSE(HasGameSection("go\r\n" + test::Bytes({1, 5, 1})));
  EXPECT_FALSE(HasGameSection("go\r\n" + MarkupTag(kMarkupGameStart, 0, 0) + "x"));
  EXPECT_FALSE(HasGameSection(""));
}

TEST(MakeGameWordFromText, QuestionExplanationAndAnswer) {
  GameRandom random(1);
  const GameWordInfoRecord word = MakeGameWordFromText(
      "bank II", "bank II\r\n" + Style(2) + kStart + "to go (on; off); away" + kEnd + "\r\n", 1252, random);
  EXPECT_EQ(word.answer, u"bank");
  EXPECT_EQ(word.question, Style(2) + "to go (on; off)");
  EXPECT_EQ(word.explanation, "bank II \r\n" + Style(2) + "to go (on; off)");
  EXPECT_EQ(word.score, 0);
  // Without a line end both texts are empty; without a section the
  // explanation is the head line.
  const GameWordInfoRecord none = MakeGameWordFromText("go", "go" + kStart + "x", 1252, random);
  EXPECT_EQ(none.question + none.explanation, "");
  const GameWordInfoRecord headOnly = MakeGameWordFromText("go", "go\r\nno game", 1252, random);
  EXPECT_EQ(headOnly.question, "");
  EXPECT_EQ(headOnly.explanation, "go ");
}

TEST(MakeGameWordFromText, OneOfTwoSectionsIsDrawnEachTime) {
  const std::string article = "go\r\n" + kStart + "first" + kEnd + " " + kStart + "second" + kEnd;
  test::ScriptedRandom scripted{1, 0};
  EXPECT_EQ(MakeGameWordFromText("go", article, 1252, scripted).question, kDefault + "second");
  EXPECT_EQ(MakeGameWordFromText("go", article, 1252, scripted).question, kDefault + "first");
  EXPECT_EQ(scripted.ranges, (std::vector<int>{2, 2}));
  GameRandom random(20240611);
  std::set<std::string> seen;
  for (int game = 0; game < 40; ++game) seen.insert(MakeGameWordFromText("go", article, 1252, random).question);
  EXPECT_EQ(seen, (std::set<std::string>{kDefault + "first", kDefault + "second"}));
}

}  // namespace
}  // namespace lexmora
