// The game through the working state: the Game Auto List of view 2 after a
// view change, a group change and a reload; games of the group, the user
// list and the auto list; and a whole game played on the session.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "game/game_state.h"
#include "session/session.h"
#include "support/fake_game_pictures.h"
#include "support/game_group.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::GameSubDict;

// Group 1: rows aaa..jjj from two sub-dictionaries, aaa..ggg game words;
// group 2: ana, ev, su, only ev a game word; group 5: no game word.
class SessionGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteGroup(dir.path(), 5, {GameSubDict(0, {{"ami", false}})});
    test::WriteGroup(dir.path(), 2, {GameSubDict(0, {{"ana", false}, {"ev", true}, {"su", false}})});
    test::WriteGroup(dir.path(), 1,
                     {GameSubDict(0, {{"aaa", true}, {"bbb", true}, {"ccc", true}, {"ddd", true}, {"hhh", false}}),
                      GameSubDict(1, {{"eee", true}, {"fff", true}, {"ggg", true}, {"iii", false}, {"jjj", false}})});
  }
  std::unique_ptr<Session> Open(int current = 1) {
    auto s = std::make_unique<Session>(dir.path());
    s->LoadAllGroups();
    s->SelectGroup(current);
    s->Game().random = std::make_unique<GameRandom>(77);
    s->SetGamePictures(&pictures);
    return s;
  }
  static int Marked(const NotepadARRAY& marks) { return static_cast<int>(std::count(marks.begin(), marks.end(), 1)); }

  test::TempDir dir;
  test::FakeGamePictures pictures{{12, 12, 12, 12, 12}, 5};
};

TEST_F(SessionGameTest, ViewTwoMakesTheAutoListAndShowsIt) {
  auto s = Open();
  ASSERT_TRUE(s->SetView(kViewGameList));
  EXPECT_EQ(Marked(s->Group(1).gameList), 7);  // twelve regions, seven game words
  EXPECT_EQ(s->RowCount(), 7);
  for (int r = 0; r < s->RowCount(); ++r) EXPECT_TRUE(s->IsGameWord(s->EntryForRow(r)));
  EXPECT_TRUE(s->Game().AutoListMade);
  EXPECT_LT(s->Game().RememberedPicture, 2);  // from the first 40 % of five
  // Made again at every selection of view 2, and not in the other views.
  ASSERT_TRUE(s->SetView(kViewGameList));
  ASSERT_TRUE(s->SetView(kViewFull));
  ASSERT_TRUE(s->SetView(kViewUserList));
  EXPECT_EQ(pictures.pictureLoads.size(), 2u);
  // Three regions mark three words; without pictures the list stays empty.
  pictures = test::FakeGamePictures({3}, 1);
  ASSERT_TRUE(s->SetView(kViewGameList));
  EXPECT_EQ(s->RowCount(), 3);
  s->SetGamePictures(nullptr);
  s->ReloadGroup(1);
  EXPECT_EQ(s->RowCount(), 0);
}

TEST_F(SessionGameTest, AGroupChangeOrAReloadInViewTwoMakesTheListAgain) {
  auto s = Open();
  ASSERT_TRUE(s->SetView(kViewGameList));
  s->SelectGroup(2);
  EXPECT_EQ(s->Group(2).gameList, (NotepadARRAY{0, 1, 0}));
  ASSERT_EQ(s->RowCount(), 1);
  EXPECT_EQ(s->Headword(s->EntryForRow(0)), u"ev");
  s->SelectGroup(5);
  EXPECT_EQ(s->RowCount(), 0);
  s->SelectGroup(1);
  s->ToggleSubDict(1);  // eee..jjj leave the group
  EXPECT_EQ(s->Group(1).gameList, (NotepadARRAY{1, 1, 1, 1, 0}));
  EXPECT_EQ(s->RowCount(), 4);
  s->ToggleSubDict(1);
  EXPECT_EQ(s->RowCount(), 7);
  // Neither a reload of another group nor a group change in view 0 makes one.
  const std::size_t loads = pictures.pictureLoads.size();
  s->ReloadGroup(2);
  EXPECT_EQ(s->RowCount(), 7);
  s->SetView(kViewFull);
  s->SelectGroup(2);
  EXPECT_EQ(pictures.pictureLoads.size(), loads);
}

TEST_F(SessionGameTest, GameWordsRecordsAndAWorkersTable) {
  auto s = Open();
  EXPECT_TRUE(s->IsGameWord(0));
  EXPECT_FALSE(s->IsGameWord(7));  // hhh
  EXPECT_EQ(s->MakeGameWord(1).answer, u"bbb");
  const std::uint64_t count = s->GroupLoadCount(1);
  GameWordTable table = ScanGameWords(*s->Snapshot(1));
  table[7] = kGameWord;  // believed: hhh now counts as one
  s->SetGameWordTable(1, count, table);
  EXPECT_TRUE(s->IsGameWord(7));
  // A reload drops it, and a table of the earlier load is refused.
  s->ToggleSubDict(1);
  s->ToggleSubDict(1);
  s->SetGameWordTable(1, count, table);
  EXPECT_FALSE(s->IsGameWord(7));
}

TEST_F(SessionGameTest, AUserListGameUsesOnlyTheListsGameWords) {
  auto s = Open();
  ASSERT_TRUE(s->SetView(kViewUserList));
  EXPECT_EQ(s->GameWordCount(), 0);  // an empty list: the game does not open
  EXPECT_EQ(s->SetUpGame(-1, -1), GameSetUpResult::NoWords);
  s->SetView(kViewFull);
  EXPECT_EQ(s->GameWordCount(), 10);
  for (int row : {2, 7, 5}) s->AddToList(row, 2, 0);  // ccc, hhh (no game word), fff
  ASSERT_TRUE(s->SetView(kViewUserList));
  ASSERT_EQ(s->SetUpGame(-1, -1), GameSetUpResult::Ready);
  const GameRound& round = s->Game().round;
  ASSERT_EQ(round.RegionCount(), 12);
  for (std::size_t i = 0; i + 1 < round.words.size(); i += 2) {
    const std::u16string a = round.words[i].answer, b = round.words[i + 1].answer;
    EXPECT_TRUE((a == u"ccc" && b == u"fff") || (a == u"fff" && b == u"ccc")) << i;
  }
  EXPECT_LT(pictures.pictureLoads.back(), 2);  // 3 of 10 words: 1.5 of 5 pictures gives 2
  // Neither a list without game words nor a group without them sets up a game.
  s->AddToList(0, 0, 0);  // ccc leaves the list shown
  s->AddToList(0, 0, 0);  // fff: hhh is left
  ASSERT_EQ(s->RowCount(), 1);
  EXPECT_EQ(s->SetUpGame(-1, -1), GameSetUpResult::NoWords);
  EXPECT_EQ(Open(5)->SetUpGame(-1, -1), GameSetUpResult::NoWords);
}

TEST_F(SessionGameTest, AWholeGameOnTheAutoListsWordsAndPictureThenTheWindowCloses) {
  pictures = test::FakeGamePictures({4, 5, 6, 7, 8}, 5);
  auto s = Open();
  ASSERT_TRUE(s->SetView(kViewGameList));
  GameState state(s->Game());
  state.Activate();
  const auto setUp = [&] { return s->SetUpNextGame() == GameSetUpResult::Ready; };
  ASSERT_TRUE(state.Key(false, setUp).consumed);
  EXPECT_EQ(pictures.pictureLoads.back(), s->Game().RememberedPicture);
  EXPECT_EQ(pictures.backgroundLoads.back(), s->Game().RememberedBackground);
  const GameRound& round = s->Game().round;
  const ViewList& shown = s->CurrentViewList();
  for (const auto& w : round.words)
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [&](auto e) { return s->Headword(int(e)) == w.answer; }));
  std::vector<int> regions;
  while (!state.Waiting())
    for (const auto& f : state.Answer(round.words[std::size_t(round.position)].answer, false).fills)
      regions.push_back(f.region);
  std::sort(regions.begin(), regions.end());
  std::vector<int> all(static_cast<std::size_t>(round.RegionCount()));
  std::iota(all.begin(), all.end(), 1);
  EXPECT_EQ(regions, all);
  EXPECT_TRUE(state.Screen().wholeBackground);
  EXPECT_TRUE(state.CloseDue());
  EXPECT_TRUE(state.Key(false, setUp).close);
}

}  // namespace
}  // namespace lexmora
