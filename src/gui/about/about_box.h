// The about box: picture, the program's title, version and credit lines,
// and the hidden credits that Shift+Ctrl+S with a double-click on the
// picture shows.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace lexmora::gui {

class CreditsView;

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* owner = nullptr);

  QLabel* ProgramIcon() const { return picture_; }
  CreditsView* Credits() const { return credits_; }
  bool CreditsKey() const { return creditsKey_; }

  // A double-click on the picture: with the credits key held, shows or
  // hides the credits.
  void ProgramIconDblClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LangRemake();
  void KeyDown(QKeyEvent* event);
  void KeyUp(QKeyEvent* event);

  QLabel* picture_ = nullptr;
  QWidget* labels_ = nullptr;
  CreditsView* credits_ = nullptr;
  QPushButton* ok_ = nullptr;
  bool creditsKey_ = false;
};

}  // namespace lexmora::gui
