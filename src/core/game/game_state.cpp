#include "game/game_state.h"

#include <algorithm>

#include "text/trim.h"

namespace lexmora {

namespace {

bool Solved(const GameWordInfoRecord& word) { return word.score == 1; }

}  // namespace

void GameState::Show(QuestionContent content, std::string text, GameStep& step) {
  screen_.question = content;
  screen_.questionText = std::move(text);
  step.questionChanged = true;
}

void GameState::UpdatePainting() {
  const GameRound& round = game_.round;
  screen_.wholeBackground = round.finished && round.wrongAnswers == 0;
}

GameStep GameState::LangRemake() {
  GameStep step;
  Show(QuestionContent::GroupName, {}, step);
  return step;
}

GameStep GameState::FocusLost() {
  GameStep step;
  newGameDue_ = true;
  waiting_ = false;
  StopAction(true, step);
  return step;
}

GameStep GameState::Key(bool modifierHeld, const SetUpFunction& setUpGame) {
  GameStep step;
  if (!waiting_ || modifierHeld) return step;
  step.consumed = true;
  if (newGameDue_) {
    if (!setUpGame || !setUpGame()) {
      step.setUpFailed = true;
      step.close = true;
      return step;
    }
    newGameDue_ = false;
    UpdatePainting();
  }
  if (closeDue_) {
    closeDue_ = false;
    step.close = true;
    return step;
  }
  StopAction(false, step);
  step.repaint = true;
  return step;
}

GameStep GameState::Answer(std::u16string_view typed, bool modifierHeld) {
  GameStep step;
  if (waiting_ || modifierHeld) return step;
  const GameRound& round = game_.round;
  std::u16string expected;
  if (round.position >= 0 && round.position < round.RegionCount())
    expected = Trim(round.words[static_cast<std::size_t>(round.position)].answer);
  lastAnswerRight_ = typed == expected || typed == kTestAnswer;
  ShowResult(lastAnswerRight_, step);
  if (lastAnswerRight_)
    GetNextWord(step);
  else
    StopAction(false, step);  // the explanation stays until a key
  return step;
}

GameStep GameState::Tick() {
  GameStep step;
  if (!screen_.timerRunning) return step;
  ++ticks_;
  screen_.progress = std::min(100, ticks_ * 100 / GameTimeLimit);
  if (ticks_ >= GameTimeLimit) {
    lastAnswerRight_ = false;
    ShowResult(false, step);
    StopAction(false, step);
  }
  return step;
}

void GameState::GetNextWord(GameStep& step) {
  GameRound& round = game_.round;
  if (round.solved < round.RegionCount() && round.position >= 0 && round.position < round.RegionCount()) {
    Show(QuestionContent::Question, round.words[static_cast<std::size_t>(round.position)].question, step);
    ticks_ = 0;
    screen_.progress = 0;
    screen_.timerRunning = true;
    return;
  }
  // The game is over. When it is over before it began (a round without
  // words) the window simply goes on waiting.
  if (!waiting_) StopAction(false, step);
  if (game_.AutoListMade)
    closeDue_ = true;
  else
    newGameDue_ = true;
}

void GameState::StopAction(bool abandon, GameStep& step) {
  if (waiting_) {
    // Start answering, unless there is nothing to ask.
    const bool over = game_.round.solved >= game_.round.RegionCount();
    GetNextWord(step);
    if (over) return;
    screen_.titleShown = false;
    screen_.pictureShown = true;
    screen_.topPanelShown = true;
    screen_.answerBoxShown = true;
    screen_.waitingLabelShown = false;
    step.clearAnswer = true;
    step.focusAnswer = true;
  } else {
    if (abandon) {
      screen_.titleShown = true;
      screen_.topPanelShown = false;
      screen_.pictureShown = false;
    }
    screen_.answerBoxShown = false;
    screen_.waitingLabelShown = true;
    screen_.progress = 100;
    screen_.timerRunning = false;
  }
  waiting_ = !waiting_;
}

void GameState::ShowResult(bool right, GameStep& step) {
  GameRound& round = game_.round;
  const int regions = round.RegionCount();
  const int pos = round.position;
  if (pos < 0 || pos >= regions) return;
  GameWordInfoRecord& word = round.words[static_cast<std::size_t>(pos)];
  if (right) {
    const int before = word.score;
    word.score = static_cast<std::int8_t>(std::min(before + 1, 1));
    if (before != 1 && word.score == 1) ++round.solved;
  } else {
    word.score = static_cast<std::int8_t>(std::max(word.score - 1, -1));
    ++round.wrongAnswers;
    Show(QuestionContent::Explanation, word.explanation, step);
  }
  if (round.solved == regions) {
    round.finished = true;
    Show(QuestionContent::Congratulations, std::string(kCongratulationsText), step);
  }
  RegionFill fill;
  fill.region = static_cast<std::size_t>(pos) < round.regionOrder.size()
                    ? round.regionOrder[static_cast<std::size_t>(pos)] : pos + 1;
  fill.right = right;
  fill.pattern = round.secondPass ? FillPattern::DiagonalCross : FillPattern::Solid;
  fill.penWidth = round.secondPass ? 2 : 1;
  step.fills.push_back(fill);
  if (pos == regions - 1) round.secondPass = true;
  // The next word: the following one, or in the second pass one from a
  // random place; solved words are passed over, wrapping round once. With
  // every word solved there is none.
  int next = round.secondPass ? game_.random->Uniform(regions) : pos + 1;
  int left = regions;
  for (; left > 0; --left, ++next) {
    if (next >= regions) next = 0;
    if (!Solved(round.words[static_cast<std::size_t>(next)])) break;
  }
  round.position = left > 0 ? next : regions;
  UpdatePainting();
  step.repaint = true;
  step.clearAnswer = true;
}

}  // namespace lexmora
