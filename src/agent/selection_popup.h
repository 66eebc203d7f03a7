// The agent's popup: a small frameless window near the mouse with the
// article of a word selected anywhere on the screen, drawn by the same
// article view as the dictionary's. It never takes the keyboard focus from
// the application the user reads in; it closes a second after the mouse
// leaves it, on Esc, or on a click outside it. On X11 the last two are seen
// without any grab: while the popup is shown the pointer's buttons and the
// Esc key are read from the server every few milliseconds.
#pragma once

#include <QWidget>

#include <filesystem>

#include "dictionary/sound_button.h"

class QLabel;
class QPushButton;
class QTimer;

namespace lexmora::gui {
class ArticleView;
}

namespace lexmora::agent {

// What the popup shows.
struct PopupContent {
  int group = 0;
  int row = -1;
  QString headword;
  QString typed;          // the selection; differs when a suggestion was taken
  bool suggested = false;
  std::string article;    // unscrambled article bytes
  gui::SoundSource sounds;
};

struct PopupTexts {
  QString open;        // "Open in dictionary"
  QString pronounce;
  QString addToList;
};

class SelectionPopup : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCloseAfterLeaveMs = 1000;

  SelectionPopup(platform::SoundOutput* sound, PopupTexts texts, QWidget* parent = nullptr);

  // Shows the content with its top left corner near the point (kept on
  // the screen).
  void ShowContent(const PopupContent& content, const QPoint& near);
  const PopupContent& Content() const { return content_; }
  gui::ArticleView* Article() const { return article_; }
  QLabel* SuggestedFrom() const { return from_; }

 signals:
  void OpenRequested(const PopupContent& content);
  void PronounceRequested(const PopupContent& content);
  void AddRequested(const PopupContent& content);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void WatchDesktop();

  PopupContent content_;
  gui::ArticleView* article_ = nullptr;
  QLabel* from_ = nullptr;
  QTimer* closeTimer_ = nullptr;
  QTimer* watch_ = nullptr;  // X11: Esc and clicks elsewhere
  bool buttonWasDown_ = false;
};

}  // namespace lexmora::agent
