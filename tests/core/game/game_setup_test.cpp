// The set-up of a game and the Game Auto List over pictures in memory and
// a group written by the tests.
#include "game/game_setup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "support/fake_game_pictures.h"
#include "support/game_group.h"
#include "support/scripted_random.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

TEST(DrawRange, RoundsToTheNearestWithHalvesToEvenAndAtLeastOne) {
  EXPECT_EQ(DrawRange(10, 6, 6), 10);
  EXPECT_EQ(DrawRange(5, 1, 2), 2);   // 2.5
  EXPECT_EQ(DrawRange(7, 1, 2), 4);   // 3.5
  EXPECT_EQ(DrawRange(10, 3, 4), 8);  // 7.5
  EXPECT_EQ(DrawRange(4, 2, 5), 2);   // 1.6
  EXPECT_EQ(DrawRange(5, 2, 5), 2);
  EXPECT_EQ(DrawRange(3, 2, 5), 1);   // 1.2
  EXPECT_EQ(DrawRange(1, 2, 5), 1);   // 0.4 gives 0, taken as 1
  EXPECT_EQ(DrawRange(0, 2, 5), 1);
  EXPECT_EQ(DrawRange(10, 0, 6), 1);  // an empty list
  EXPECT_EQ(DrawRange(10, 3, 0), 1);  // an empty group
  EXPECT_EQ(DrawRange(2'000'000'000, 3, 4), 1'500'000'000);
}

TEST(MakeRegionOrder, PutsEachRegionIntoARandomEmptySlot) {
  test::ScriptedRandom scripted{2, 0, 0};
  EXPECT_EQ(MakeRegionOrder(3, scripted), (std::vector<std::int32_t>{2, 3, 1}));
  EXPECT_EQ(scripted.ranges, (std::vector<int>{3, 2, 1}));
  GameRandom random(9);
  for (int r : {1, 2, 8, 16}) {
    std::vector<std::int32_t> order = MakeRegionOrder(r, random);
    std::sort(order.begin(), order.end());
    std::vector<std::int32_t> all(static_cast<std::size_t>(r));
    std::iota(all.begin(), all.end(), 1);
    EXPECT_EQ(order, all);
  }
  EXPECT_TRUE(MakeRegionOrder(0, random).empty());
}

// apple, bear, cat, dog, eagle, fox; apple, cat and eagle are game words.
class GameSetUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write({{"apple", true}, {"bear", false}, {"cat", true}, {"dog", false}, {"eagle", true}, {"fox", false}});
  }
  void Write(const std::vector<std::pair<std::string, bool>>& words) {
    test::WriteGroup(dir.path(), 1, {test::GameSubDict(0, words)});
    const GroupTable table = LoadGroupTable(dir.path()).table;
    group = LoadGroup(dir.path(), table, 1, table.Group(1).Enabled());
    reader = std::make_unique<ArticleReader>(group);
    source = std::make_unique<GameWordSource>(group, *reader);
  }
  test::TempDir dir;
  LoadedGroup group;
  std::unique_ptr<ArticleReader> reader;
  std::unique_ptr<GameWordSource> source;
};

TEST_F(GameSetUpTest, ARandomPictureAndBackgroundThenRegionOrderAndWords) {
  auto* scripted = new test::ScriptedRandom{2, 3};
  GameData game{std::unique_ptr<GameRandom>(scripted)};
  game.round.solved = 4;  // left from an earlier game
  game.round.finished = true;
  test::FakeGamePictures pictures({3, 4, 5}, 4);
  ASSERT_EQ(SetUpGame(game, &pictures, *source, {}, -1, -1), GameSetUpResult::Ready);
  EXPECT_EQ(pictures.pictureLoads, std::vector<int>{2});
  EXPECT_EQ(pictures.backgroundLoads, std::vector<int>{3});
  // Picture and background from the whole bases, then R = 5 slots.
  ASSERT_GE(scripted->ranges.size(), 7u);
  EXPECT_EQ(std::vector<int>(scripted->ranges.begin(), scripted->ranges.begin() + 7),
            (std::vector<int>{3, 4, 5, 4, 3, 2, 1}));
  const GameRound& round = game.round;
  EXPECT_EQ(round.RegionCount(), 5);
  EXPECT_EQ(round.regionOrder, (std::vector<std::int32_t>{1, 2, 3, 4, 5}));  // every draw 0 after the script
  EXPECT_EQ(round.group, 1);
  EXPECT_EQ(round.position, 0);
  EXPECT_EQ(round.solved, 0);
  EXPECT_EQ(round.wrongAnswers, 0);
  EXPECT_FALSE(round.finished);
  EXPECT_FALSE(round.secondPass);
  EXPECT_EQ(round.wrongAnswerColour, 0u);
  for (const auto& w : round.words) {
    EXPECT_TRUE(w.answer == u"apple" || w.answer == u"cat" || w.answer == u"eagle");
    EXPECT_EQ(w.score, 0);
  }
}

TEST_F(GameSetUpTest, GivenPicturesAreNotDrawnAndAShortListDrawsFromTheFirstPart) {
  auto* scripted = new test::ScriptedRandom{};
  GameData game{std::unique_ptr<GameRandom>(scripted)};
  test::FakeGamePictures pictures({3, 4, 5, 2, 2, 2, 2, 2, 2, 2}, 4);
  ASSERT_EQ(SetUpGame(game, &pictures, *source, {}, 1, 0), GameSetUpResult::Ready);
  EXPECT_EQ(pictures.pictureLoads, std::vector<int>{1});
  EXPECT_EQ(pictures.backgroundLoads, std::vector<int>{0});
  EXPECT_EQ(scripted->ranges.front(), 4);  // the region order comes first
  EXPECT_EQ(game.round.RegionCount(), 4);
  // Half the group: half of each base.
  scripted->Script({});
  const ViewList list{0, 2, 4};
  ASSERT_EQ(SetUpGame(game, &pictures, *source, {kViewUserList, &list}, -1, -1), GameSetUpResult::Ready);
  EXPECT_EQ(scripted->ranges[0], 5);
  EXPECT_EQ(scripted->ranges[1], 2);
}

TEST_F(GameSetUpTest, APictureWithoutRegionsIsPassedOverAndNoneMeansNoGame) {
  GameData game{std::make_unique<GameRandom>(5)};
  test::FakeGamePictures pictures({4, 0, 0}, 1);
  ASSERT_EQ(SetUpGame(game, &pictures, *source, {}, 1, 0), GameSetUpResult::Ready);
  EXPECT_EQ(pictures.pictureLoads, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(game.round.RegionCount(), 4);
  // A record with an absurd region count counts as damaged.
  test::FakeGamePictures damaged({kMaxGameRegions + 1}, 1);
  EXPECT_EQ(SetUpGame(game, &damaged, *source, {}, 0, 0), GameSetUpResult::NoRegions);
  EXPECT_TRUE(game.round.words.empty());
  test::FakeGamePictures none({0, 0}, 2);
  EXPECT_EQ(SetUpGame(game, &none, *source, {}, -1, -1), GameSetUpResult::NoRegions);
  EXPECT_EQ(none.pictureLoads.size(), 2u);
  test::FakeGamePictures empty({}, 0);
  EXPECT_EQ(SetUpGame(game, &empty, *source, {}, -1, -1), GameSetUpResult::NoRegions);
  EXPECT_EQ(SetUpGame(game, nullptr, *source, {}, -1, -1), GameSetUpResult::NoRegions);
}

TEST_F(GameSetUpTest, AGroupWithoutGameWordsCannotSetUpAGame) {
  Write({{"apple", false}, {"bear", false}});
  GameData game{std::make_unique<GameRandom>(5)};
  test::FakeGamePictures pictures({6}, 1);
  EXPECT_EQ(SetUpGame(game, &pictures, *source, {}, -1, -1), GameSetUpResult::NoWords);
  EXPECT_TRUE(game.round.words.empty());
  EXPECT_TRUE(game.round.regionOrder.empty());
}

TEST_F(GameSetUpTest, TheAutoListOfTwelveRegionsMarksAtMostTheSevenGameWords) {
  std::vector<std::pair<std::string, bool>> words;
  for (char c = 'a'; c <= 'j'; ++c) words.push_back({std::string(3, c), c <= 'g'});  // aaa..ggg play
  Write(words);
  for (std::uint64_t seed = 1; seed <= 10; ++seed) {
    GameData game{std::make_unique<GameRandom>(seed)};
    test::FakeGamePictures pictures({12, 12, 12, 12, 12}, 5);
    ViewList viewList{3};
    NotepadARRAY gameList;
    ASSERT_TRUE(MakeGameAutoList(game, &pictures, *source, viewList, gameList));
    ASSERT_EQ(gameList.size(), 10u);
    const auto marked = std::count(gameList.begin(), gameList.end(), 1);
    EXPECT_LE(marked, 7);
    EXPECT_GE(marked, 1);
    EXPECT_EQ(gameList[7] + gameList[8] + gameList[9], 0);
    // The view list held the whole group while the words were drawn.
    EXPECT_EQ(viewList.size(), 10u);
    EXPECT_TRUE(game.AutoListMade);
    // The picture and background come from the first 40 % (2 of 5).
    EXPECT_LT(game.RememberedPicture, 2);
    EXPECT_LT(game.RememberedBackground, 2);
    EXPECT_EQ(pictures.backgroundLoads, std::vector<int>{});  // only the picture is read
  }
}

TEST_F(GameSetUpTest, TheAutoListRemembersItsPictureAndBackground) {
  auto* scripted = new test::ScriptedRandom{1, 1};
  GameData game{std::unique_ptr<GameRandom>(scripted)};
  test::FakeGamePictures pictures({3, 4, 5, 6, 7}, 5);
  ViewList viewList;
  NotepadARRAY gameList;
  ASSERT_TRUE(MakeGameAutoList(game, &pictures, *source, viewList, gameList));
  EXPECT_EQ(scripted->ranges[0], 2);
  EXPECT_EQ(scripted->ranges[1], 2);
  EXPECT_EQ(game.RememberedPicture, 1);
  EXPECT_EQ(game.RememberedBackground, 1);
  EXPECT_EQ(std::count(gameList.begin(), gameList.end(), 1), 3);  // four regions, three game words
}

TEST_F(GameSetUpTest, NoAutoListWithoutWordsOrPictures) {
  GameData game{std::make_unique<GameRandom>(5)};
  ViewList viewList{1};
  NotepadARRAY gameList(6, 0);
  // No picture with regions: nothing made, nothing remembered.
  test::FakeGamePictures none({0}, 1);
  EXPECT_FALSE(MakeGameAutoList(game, &none, *source, viewList, gameList));
  EXPECT_FALSE(MakeGameAutoList(game, nullptr, *source, viewList, gameList));
  EXPECT_EQ(game.RememberedPicture, -1);
  EXPECT_FALSE(game.AutoListMade);
  EXPECT_EQ(viewList, ViewList{1});
  // No words at all.
  LoadedGroup emptyGroup;
  ArticleReader emptyReader(emptyGroup);
  GameWordSource emptySource(emptyGroup, emptyReader);
  test::FakeGamePictures pictures({5}, 1);
  EXPECT_FALSE(MakeGameAutoList(game, &pictures, emptySource, viewList, gameList));
  EXPECT_TRUE(pictures.pictureLoads.empty());
}

}  // namespace
}  // namespace lexmora
