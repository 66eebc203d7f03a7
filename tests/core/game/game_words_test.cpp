// The choice of game words from a group written by the tests: game words,
// free and used words, and the draw of a game's words.
#include "game/game_words.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "game/game_random.h"
#include "support/game_group.h"
#include "support/scripted_random.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

class GameWordsTest : public ::testing::Test {
 protected:
  // Rows 0..5; apple, cat and eagle are game words.
  void SetUp() override {
    Write({{"apple", true}, {"bear", false}, {"cat", true}, {"dog", false}, {"eagle", true}, {"fox", false}});
  }
  void Write(const std::vector<std::pair<std::string, bool>>& words) {
    test::WriteGroup(dir.path(), 1, {test::GameSubDict(0, words)});
    const GroupTable table = LoadGroupTable(dir.path()).table;
    group = LoadGroup(dir.path(), table, 1, table.Group(1).Enabled());
    reader = std::make_unique<ArticleReader>(group);
    source = std::make_unique<GameWordSource>(group, *reader, &marks);
  }
  // Chooses count words in the scope; false when none could be chosen.
  bool Choose(GameRandom& random, GameWordScope scope, int count, bool withRecords = true) {
    GameWordChooser chooser(*source, random, scope);
    return chooser.ChooseGameWords(withRecords, count, words, listMarks);
  }
  std::vector<std::u16string> Answers() const {
    std::vector<std::u16string> out;
    for (const auto& w : words) out.push_back(w.answer);
    return out;
  }
  test::TempDir dir;
  LoadedGroup group;
  std::unique_ptr<ArticleReader> reader;
  GameWordTable marks;
  std::unique_ptr<GameWordSource> source;
  std::vector<GameWordInfoRecord> words;
  NotepadARRAY listMarks;
};

TEST_F(GameWordsTest, GameWordsAreReadOnceIntoTheTableAndRecordsFromTheArticle) {
  ASSERT_EQ(test::Headwords(group), (std::vector<std::string>{"apple", "bear", "cat", "dog", "eagle", "fox"}));
  EXPECT_EQ(marks, GameWordTable(6, kUnknown));
  EXPECT_TRUE(source->IsGameWord(0));
  EXPECT_FALSE(source->IsGameWord(1));
  EXPECT_FALSE(source->IsGameWord(-1));
  EXPECT_FALSE(source->IsGameWord(6));
  EXPECT_EQ(marks, (GameWordTable{kGameWord, kNotGameWord, kUnknown, kUnknown, kUnknown, kUnknown}));
  marks[1] = kGameWord;  // what the table says is believed
  EXPECT_TRUE(source->IsGameWord(1));
  // A worker's scan gives the whole table at once.
  EXPECT_EQ(ScanGameWords(group),
            (GameWordTable{kGameWord, kNotGameWord, kGameWord, kNotGameWord, kGameWord, kNotGameWord}));
  GameRandom random(3);
  const GameWordInfoRecord word = source->MakeGameWord(2, random);
  EXPECT_EQ(word.answer, u"cat");
  EXPECT_EQ(word.question, MarkupTag(kMarkupStyle, 2, 0) + "q cat");
  EXPECT_EQ(word.explanation, "cat \r\n" + word.question);
  EXPECT_EQ(source->MakeGameWord(9, random), GameWordInfoRecord{});
}

TEST(FreeWordSet, FindsTheNextFreeWordAcrossWordsOfBits) {
  FreeWordSet set;
  set.Assign(10000, false);
  EXPECT_EQ(set.NextFree(0), 10000u);
  for (std::size_t i : {63, 64, 9999}) set.Set(i, true);
  EXPECT_EQ(set.FreeCount(), 3u);
  EXPECT_EQ(set.NextFree(0), 63u);
  EXPECT_EQ(set.NextFree(64), 64u);
  EXPECT_EQ(set.NextFree(65), 9999u);
  set.Set(9999, false);
  set.Set(9999, false);  // twice: no change
  EXPECT_EQ(set.FreeCount(), 2u);
  EXPECT_EQ(set.NextFree(65), 10000u);
  set.Assign(70, true);
  EXPECT_TRUE(set.IsFree(69));
  EXPECT_FALSE(set.IsFree(70));
  EXPECT_EQ(set.NextFree(69), 69u);
}

TEST_F(GameWordsTest, PickFreeWordGoesForwardThenFromTheStartThenResets) {
  GameRandom random(1);
  GameWordChooser chooser(*source, random, {});
  std::vector<int> picks;
  for (int start : {4, 4, 4, 0, 2, 5}) picks.push_back(chooser.PickFreeWord(start));
  EXPECT_EQ(picks, (std::vector<int>{4, 5, 0, 1, 2, 3}));
  // All used: in view 0 every word becomes free again.
  EXPECT_EQ(chooser.PickFreeWord(3), 3);
  EXPECT_FALSE(chooser.Used(0));
  EXPECT_TRUE(chooser.Used(3));
  // In a list view only the list becomes free again.
  const ViewList list{1, 4};
  GameWordChooser listed(*source, random, {kViewUserList, &list});
  for (int i = 0; i < 6; ++i) listed.PickFreeWord(0);
  EXPECT_EQ(listed.PickFreeWord(2), 4);
  for (int p : {0, 2, 3, 5}) EXPECT_TRUE(listed.Used(p)) << p;
  EXPECT_EQ(listed.PickFreeWord(2), 1);
  EXPECT_EQ(listed.PickFreeWord(0), 1);
  // With an empty list nothing can be freed.
  const ViewList empty;
  GameWordChooser none(*source, random, {kViewUserList, &empty});
  for (int i = 0; i < 6; ++i) ASSERT_GE(none.PickFreeWord(0), 0);
  EXPECT_EQ(none.PickFreeWord(0), -1);
  EXPECT_FALSE(Choose(random, {kViewUserList, &empty}, 3));
}

TEST_F(GameWordsTest, AGroupWithoutGameWordsCannotChoose) {
  Write({{"apple", false}, {"bear", false}, {"cat", false}});
  GameRandom random(5);
  EXPECT_FALSE(Choose(random, {}, 4));
  EXPECT_FALSE(Choose(random, {}, 4, false));
  EXPECT_EQ(listMarks, NotepadARRAY(3, 0));
}

TEST_F(GameWordsTest, AfterNFruitlessDrawsTheWordsFoundRepeatInOrder) {
  // apple, cat, eagle at once; then bear, dog, fox, a reset, and bear, dog,
  // fox again: six draws without a game word.
  test::ScriptedRandom random{0, 2, 4, 1, 3, 5, 1, 3, 5};
  ASSERT_TRUE(Choose(random, {}, 5));
  EXPECT_EQ(random.Left(), 0u);
  EXPECT_EQ(Answers(), (std::vector<std::u16string>{u"apple", u"cat", u"eagle", u"apple", u"cat"}));
  EXPECT_EQ(words[3], words[0]);
  EXPECT_EQ(listMarks, (NotepadARRAY{1, 0, 1, 0, 1, 0}));
  EXPECT_EQ(std::count(random.ranges.begin(), random.ranges.end(), 6), 9);  // each over the whole group
}

TEST_F(GameWordsTest, OnceEveryWordWasTriedTheGameWordsComeAgain) {
  GameRandom random(11);
  ASSERT_TRUE(Choose(random, {}, 12));
  const std::set<std::u16string> three{u"apple", u"cat", u"eagle"};
  for (const auto& a : Answers()) EXPECT_EQ(three.count(a), 1u);
  EXPECT_EQ((std::set<std::u16string>{words[0].answer, words[1].answer, words[2].answer}), three);
}

TEST_F(GameWordsTest, AListViewGameUsesOnlyTheListAndFreesItAgain) {
  const ViewList list{0, 1, 4};  // apple, bear (no game word), eagle
  for (std::uint64_t seed = 1; seed <= 20; ++seed) {
    GameRandom random(seed);
    ASSERT_TRUE(Choose(random, {kViewUserList, &list}, 6));
    for (std::size_t pair = 0; pair < 3; ++pair)  // both before either comes again
      EXPECT_EQ((std::set<std::u16string>{words[2 * pair].answer, words[2 * pair + 1].answer}),
                (std::set<std::u16string>{u"apple", u"eagle"}))
          << "seed " << seed;
    EXPECT_EQ(listMarks, (NotepadARRAY{1, 0, 0, 0, 1, 0}));
  }
  const ViewList plain{1, 3};  // no game word in the list, whatever the group holds
  GameRandom random(2);
  EXPECT_FALSE(Choose(random, {kViewUserList, &plain}, 2));
}

TEST_F(GameWordsTest, WithoutRecordsOnlyMarksAndEveryWordStartsFree) {
  GameRandom random(4);
  const ViewList list{1, 3};
  ASSERT_TRUE(Choose(random, {kViewGameList, &list}, 2, false));
  EXPECT_EQ(words, std::vector<GameWordInfoRecord>(2));
  EXPECT_EQ(std::count(listMarks.begin(), listMarks.end(), 1), 2);
  EXPECT_EQ(listMarks[1] + listMarks[3] + listMarks[5], 0);
  EXPECT_TRUE(Choose(random, {}, 0));  // no word asked for
  EXPECT_TRUE(words.empty());
}

}  // namespace
}  // namespace lexmora
