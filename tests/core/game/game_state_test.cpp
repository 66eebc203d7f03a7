// The game window's rules: keys, answers, ticks, scores, the passes and
// what is shown, on a round of three words made by the tests.
#include "game/game_state.h"

#include <gtest/gtest.h>

#include "support/scripted_random.h"

namespace lexmora {
namespace {

GameWordInfoRecord Word(const std::string& answer) {
  GameWordInfoRecord w;
  w.answer = std::u16string(answer.begin(), answer.end());
  w.question = "q " + answer;
  w.explanation = "e " + answer;
  return w;
}

class GameStateTest : public ::testing::Test {
 protected:
  GameStateTest() : game(std::unique_ptr<GameRandom>(random = new test::ScriptedRandom{})), state(game) {}

  // A plain key; the set-up makes three words on regions 3, 1, 2.
  GameStep Press() {
    return state.Key(false, [this] {
      ++setUps;
      game.round = GameRound{};
      game.round.regionOrder = {3, 1, 2};
      game.round.words = {Word("one"), Word("two"), Word("three")};
      return true;
    });
  }
  GameStep Type(std::u16string_view text) { return state.Answer(text, false); }

  test::ScriptedRandom* random;  // owned by game; every draw 0 unless scripted
  GameData game;
  GameState state;
  int setUps = 0;
};

TEST_F(GameStateTest, WaitsOverTheTitleThenAPlainKeyStartsAGame) {
  const GameScreen& screen = state.Screen();
  EXPECT_TRUE(state.Waiting() && state.NewGameDue() && !state.CloseDue());
  EXPECT_TRUE(screen.titleShown && screen.waitingLabelShown);
  EXPECT_FALSE(screen.pictureShown || screen.topPanelShown || screen.answerBoxShown || screen.timerRunning);
  state.LangRemake();
  EXPECT_EQ(screen.question, QuestionContent::GroupName);
  // A key with a modifier, an answer or a tick while waiting do nothing.
  EXPECT_FALSE(state.Key(true, [] { return true; }).consumed);
  EXPECT_TRUE(Type(u"one").fills.empty());
  state.Tick();
  EXPECT_EQ(state.Ticks(), 0);
  EXPECT_EQ(setUps, 0);

  const GameStep step = Press();
  EXPECT_TRUE(step.consumed && step.repaint && step.clearAnswer && step.focusAnswer);
  EXPECT_EQ(setUps, 1);
  EXPECT_FALSE(state.Waiting() || state.NewGameDue());
  EXPECT_FALSE(screen.titleShown || screen.waitingLabelShown);
  EXPECT_TRUE(screen.pictureShown && screen.topPanelShown && screen.answerBoxShown && screen.timerRunning);
  EXPECT_EQ(screen.progress, 0);
  EXPECT_EQ(screen.question, QuestionContent::Question);
  EXPECT_EQ(screen.questionText, "q one");
  EXPECT_FALSE(Press().consumed);  // while answering keys go to the answer box
}

TEST_F(GameStateTest, AFailedSetUpShowsTheMessageAndCloses) {
  const GameStep step = state.Key(false, [] { return false; });
  EXPECT_TRUE(step.consumed && step.setUpFailed && step.close);
  EXPECT_TRUE(state.Waiting() && state.NewGameDue());
}

TEST_F(GameStateTest, TheTypedTextMustMatchTheTrimmedAnswerExactly) {
  Press();
  game.round.words[0].answer = u"one \t";  // blanks at the end of the stored answer do not matter
  game.round.words[1].answer = u"\u00A0two ";
  Type(u" one");  // a leading blank typed is wrong
  EXPECT_FALSE(state.LastAnswerRight());
  Press();
  Type(u"Two");  // case counts
  EXPECT_FALSE(state.LastAnswerRight());
  Press();
  Type(u"three");
  EXPECT_TRUE(state.LastAnswerRight());
  Type(u"one");  // the second pass, from random 0
  EXPECT_TRUE(state.LastAnswerRight());
  Type(u"QZJ");  // the test answer is always right
  EXPECT_TRUE(state.LastAnswerRight());
  EXPECT_TRUE(state.Answer(u"two", true).fills.empty());  // Enter with a modifier is no answer
}

TEST_F(GameStateTest, RightRevealsTheRegionWrongPaintsItAndExplains) {
  Press();
  GameStep step = Type(u"one");
  ASSERT_EQ(step.fills.size(), 1u);
  EXPECT_EQ(step.fills[0].region, 3);
  EXPECT_TRUE(step.fills[0].right);
  EXPECT_EQ(step.fills[0].pattern, FillPattern::Solid);
  EXPECT_EQ(step.fills[0].penWidth, 1);
  EXPECT_TRUE(step.repaint && step.clearAnswer);
  EXPECT_EQ(game.round.solved, 1);
  EXPECT_EQ(state.Screen().questionText, "q two");  // asked at once
  EXPECT_FALSE(state.Waiting());

  for (int i = 0; i < 30; ++i) state.Tick();
  step = Type(u"dos");
  ASSERT_EQ(step.fills.size(), 1u);
  EXPECT_EQ(step.fills[0].region, 1);
  EXPECT_FALSE(step.fills[0].right);
  EXPECT_EQ(game.round.wrongAnswerColour, 0u);
  EXPECT_EQ(game.round.wrongAnswers, 1);
  EXPECT_EQ(game.round.words[1].score, -1);
  const GameScreen& screen = state.Screen();
  EXPECT_TRUE(state.Waiting());
  EXPECT_EQ(screen.question, QuestionContent::Explanation);
  EXPECT_EQ(screen.questionText, "e two");
  EXPECT_FALSE(screen.answerBoxShown || screen.timerRunning || screen.titleShown);
  EXPECT_TRUE(screen.waitingLabelShown && screen.pictureShown);
  EXPECT_EQ(screen.progress, 100);
  Press();  // the next word, in the same game
  EXPECT_EQ(setUps, 1);
  EXPECT_EQ(screen.questionText, "q three");
  EXPECT_EQ(state.Ticks(), 0);
}

TEST_F(GameStateTest, ATimeoutAfterTwentySecondsCountsAsWrong) {
  Press();
  std::vector<int> progress;
  for (int i = 1; i < GameTimeLimit; ++i) {
    ASSERT_TRUE(state.Tick().fills.empty()) << i;
    progress.push_back(state.Screen().progress);
  }
  EXPECT_EQ(progress[1], 1);    // 2 ticks of 200
  EXPECT_EQ(progress[99], 50);  // 100 ticks
  EXPECT_EQ(progress.back(), 99);
  EXPECT_FALSE(state.Waiting());
  const GameStep step = state.Tick();
  ASSERT_EQ(step.fills.size(), 1u);
  EXPECT_FALSE(step.fills[0].right);
  EXPECT_FALSE(state.LastAnswerRight());
  EXPECT_TRUE(state.Waiting());
  EXPECT_EQ(state.Screen().question, QuestionContent::Explanation);
  EXPECT_EQ(game.round.wrongAnswers, 1);
  EXPECT_TRUE(state.Tick().fills.empty());  // the timer is off
  EXPECT_EQ(GameTimeLimit * kGameTickMilliseconds, 20000);
}

TEST_F(GameStateTest, WrongThenRightIsNotSolvedASecondRightSolvesInTheSecondPass) {
  Press();
  Type(u"x");  // one: -1, and the score stays at -1 however often it is wrong
  Press();
  Type(u"two");
  random->Script({2, 0});
  Type(u"x");  // three: -1; the last word of the first pass, then from random 2
  EXPECT_TRUE(game.round.secondPass);
  EXPECT_EQ(random->ranges, std::vector<int>{3});
  EXPECT_EQ(game.round.position, 2);
  Press();
  GameStep step = Type(u"x");
  EXPECT_EQ(game.round.words[2].score, -1);
  ASSERT_EQ(step.fills.size(), 1u);
  EXPECT_EQ(step.fills[0].pattern, FillPattern::DiagonalCross);
  EXPECT_EQ(step.fills[0].penWidth, 2);
  Press();
  Type(u"one");  // from random 0
  EXPECT_EQ(game.round.words[0].score, 0);
  EXPECT_EQ(game.round.solved, 1);
  EXPECT_EQ(state.Screen().questionText, "q one");  // random 0 again: asked again
  Type(u"one");
  EXPECT_EQ(game.round.solved, 2);
  // Random 0 is solved, and so is 1: on to three.
  EXPECT_EQ(state.Screen().questionText, "q three");
  Type(u"three");
  Type(u"three");
  EXPECT_TRUE(game.round.finished);
  EXPECT_EQ(game.round.position, 3);  // none left
  // With wrong answers the finished picture is the region picture as filled.
  EXPECT_FALSE(state.Screen().wholeBackground);
  EXPECT_EQ(state.Screen().questionText, "Congratulations!");
}

TEST_F(GameStateTest, AGameWithoutWrongAnswersShowsTheWholeBackgroundThenANewGame) {
  Press();
  Type(u"one");
  Type(u"two");
  Type(u"three");
  const GameScreen& screen = state.Screen();
  EXPECT_TRUE(game.round.finished);
  EXPECT_TRUE(screen.wholeBackground);
  EXPECT_EQ(screen.question, QuestionContent::Congratulations);
  EXPECT_TRUE(state.Waiting() && screen.pictureShown && !screen.timerRunning);
  EXPECT_TRUE(state.NewGameDue());
  EXPECT_FALSE(state.CloseDue());
  Press();
  EXPECT_EQ(setUps, 2);
  EXPECT_FALSE(screen.wholeBackground);
  EXPECT_EQ(screen.questionText, "q one");
}

TEST_F(GameStateTest, AfterAnAutoListTheKeyAfterAFinishedGameCloses) {
  game.AutoListMade = true;
  Press();
  for (auto answer : {u"one", u"two", u"three"}) Type(answer);
  EXPECT_TRUE(state.CloseDue());
  EXPECT_FALSE(state.NewGameDue());
  const GameStep step = Press();
  EXPECT_TRUE(step.consumed && step.close && !step.setUpFailed);
  EXPECT_FALSE(state.CloseDue());
  EXPECT_EQ(setUps, 1);
  state.Activate();  // opened again
  Press();
  EXPECT_EQ(setUps, 2);
}

TEST_F(GameStateTest, LosingTheFocusAbandonsTheGame) {
  Press();
  Type(u"one");
  EXPECT_TRUE(state.FocusLost().fills.empty());
  const GameScreen& screen = state.Screen();
  EXPECT_TRUE(state.Waiting() && state.NewGameDue());
  EXPECT_TRUE(screen.titleShown);
  EXPECT_FALSE(screen.pictureShown || screen.topPanelShown || screen.answerBoxShown || screen.timerRunning);
  state.Activate();
  Press();
  EXPECT_EQ(setUps, 2);
  EXPECT_EQ(game.round.solved, 0);
  // While waiting after a wrong answer, too.
  Type(u"x");
  state.FocusLost();
  EXPECT_TRUE(state.Waiting() && screen.titleShown);
}

TEST_F(GameStateTest, ARoundWithoutWordsIsNeverAnswered) {
  const GameStep step = state.Key(false, [this] {
    game.round = GameRound{};
    return true;
  });
  EXPECT_TRUE(step.consumed);
  EXPECT_TRUE(state.Waiting() && state.NewGameDue());
  EXPECT_FALSE(state.Screen().answerBoxShown || state.Screen().timerRunning);
}

}  // namespace
}  // namespace lexmora
