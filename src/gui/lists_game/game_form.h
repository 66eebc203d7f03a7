// The vocabulary game window: a title picture until a game runs, then the
// picture area with its regions, a gauge of the time left and the question
// above it, and the answer box below. The rules are the core's GameState;
// this window turns keys, answers, ticks and focus changes into its calls
// and the screen it describes into widgets.
#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>
#include <memory>

#include "game/game_state.h"
#include "game/game_text.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QTextBrowser;

namespace lexmora {
class Session;
}

namespace lexmora::gui {

class GamePictureSet;

class TGameForm : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 598;
  static constexpr int kClientHeight = 549;
  static constexpr QSize kPictureArea{550, 300};

  // Created once with the main window; the session and the pictures outlive it.
  TGameForm(Session& session, GamePictureSet& pictures, QWidget* owner);
  ~TGameForm() override;

  void LangRemake();
  // A tick of the 100 ms timer; tests may call it themselves.
  void Timer1Timer();
  GameState& State() { return *state_; }
  QLineEdit* AnswerBox() const { return answer_; }
  QTextBrowser* QuestionView() const { return question_; }
  QWidget* PictureArea() const { return picture_; }
  QLabel* TitlePicture() const { return title_; }
  QProgressBar* Gauge() const { return gauge_; }
  QTimer& Timer() { return timer1_; }
  // Whether the layout follows the group when the window gets the focus,
  // and how it switches; set by the owner.
  std::function<void()> switchKeyboardLayout;
  // The message box of a game that cannot be set up; replaceable for tests.
  std::function<void(QWidget* parent, const QString& caption, const QString& text)> warn;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Apply(const GameStep& step);
  void ShowQuestion();

  Session& session_;
  GamePictureSet& pictures_;
  std::unique_ptr<GameState> state_;
  GameTextRenderer renderer_;
  int codePage_ = 1251;
  QLabel* title_ = nullptr;
  QWidget* picture_ = nullptr;
  QWidget* topPanel_ = nullptr;
  QProgressBar* gauge_ = nullptr;
  QTextBrowser* question_ = nullptr;
  QLineEdit* answer_ = nullptr;
  QLabel* label_ = nullptr;
  QTimer timer1_;
};

}  // namespace lexmora::gui
