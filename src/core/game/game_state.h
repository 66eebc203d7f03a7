// The game window's rules without the window: waiting for a key, setting up
// a game, asking the words one by one against the clock, checking answers,
// scoring, and what is shown at each moment. The window feeds it keys,
// answers, timer ticks and focus changes, and makes its widgets match
// Screen() and the GameStep each call returns.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "game/flood_fill.h"
#include "game/game_setup.h"

namespace lexmora {

// Ticks a question may last; the window's timer ticks every 100 ms.
inline constexpr int GameTimeLimit = 200;
inline constexpr int kGameTickMilliseconds = 100;
// An answer that is always taken as right, for trying the game out.
inline constexpr std::u16string_view kTestAnswer = u"QZJ";
inline constexpr std::string_view kCongratulationsText = "Congratulations!";

// What the question view holds.
enum class QuestionContent {
  GroupName,        // the group's name in the view's own bold yellow style
  Question,         // questionText with the question styles (set 1)
  Explanation,      // questionText with the explanation styles (set 2)
  Congratulations,  // questionText (kCongratulationsText) with set 2
};

// The widgets' state.
struct GameScreen {
  bool titleShown = true;
  bool pictureShown = false;
  bool topPanelShown = false;      // progress bar and question view
  bool answerBoxShown = false;     // shown and enabled together
  bool waitingLabelShown = true;
  bool timerRunning = false;
  int progress = 0;                // percent
  QuestionContent question = QuestionContent::GroupName;
  std::string questionText;        // 8-bit text with article markup
  bool wholeBackground = false;    // paint the background alone, without the region picture
};

// One region to colour on the region picture: the region's point from the
// picture's region points, the transparent colour of the picture record
// when right, the round's wrong-answer colour when wrong.
struct RegionFill {
  int region = 0;  // 1..R
  bool right = false;
  FillPattern pattern = FillPattern::Solid;
  int penWidth = 1;
};

// What one call asks of the window, besides matching Screen().
struct GameStep {
  bool consumed = false;        // the key belonged to the game
  bool setUpFailed = false;     // show message 308 (caption 305); close is set too
  bool close = false;           // close the window
  bool repaint = false;         // repaint the picture area
  bool clearAnswer = false;     // empty the answer box
  bool focusAnswer = false;     // give the answer box the focus
  bool questionChanged = false; // the question view's content changed
  std::vector<RegionFill> fills;
};

class GameState {
 public:
  // Sets up a new game in the round; false when it cannot be set up.
  using SetUpFunction = std::function<bool()>;

  explicit GameState(GameData& game) : game_(game) {}

  const GameScreen& Screen() const { return screen_; }
  const GameRound& Round() const { return game_.round; }
  bool Waiting() const { return waiting_; }
  bool NewGameDue() const { return newGameDue_; }
  bool CloseDue() const { return closeDue_; }
  bool LastAnswerRight() const { return lastAnswerRight_; }
  int Ticks() const { return ticks_; }

  // The window's texts are renewed: the question view shows the group name.
  GameStep LangRemake();
  // The window got the focus: the next key sets up a new game.
  void Activate() { newGameDue_ = true; }
  // The window lost the focus: the game in progress is abandoned, the title
  // is shown and the next key starts a new game.
  GameStep FocusLost();
  // A key pressed on the window; taken only while waiting and with no
  // Shift, Ctrl or Alt held.
  GameStep Key(bool modifierHeld, const SetUpFunction& setUpGame);
  // Enter in the answer box.
  GameStep Answer(std::u16string_view typed, bool modifierHeld);
  // One timer tick; ignored while the timer is off.
  GameStep Tick();

  // The steps of the window's own operations, for those who drive them
  // one by one.
  void GetNextWord(GameStep& step);
  void ShowResult(bool right, GameStep& step);
  void StopAction(bool abandon, GameStep& step);

 private:
  void Show(QuestionContent content, std::string text, GameStep& step);
  void UpdatePainting();

  GameData& game_;
  GameScreen screen_;
  bool waiting_ = true;
  bool newGameDue_ = true;
  bool closeDue_ = false;
  bool lastAnswerRight_ = false;
  int ticks_ = 0;
};

}  // namespace lexmora
