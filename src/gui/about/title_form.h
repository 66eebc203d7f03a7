// The splash window shown once while the program starts: a borderless
// picture with the version, closed by its own timer.
#pragma once

#include <QDialog>

class QLabel;
class QTimer;

namespace lexmora::gui {

class TTitleForm : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kWidth = 248;
  static constexpr int kHeight = 291;
  static constexpr int kShowMs = 1000;

  explicit TTitleForm(QWidget* owner = nullptr);

  QTimer* Timer1() const { return timer_; }
  QLabel* VersionLabel() const { return version_; }

  // The first tick switches the timer off and closes the window, which ends
  // its modal showing.
  void Timer1Timer();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* picture_ = nullptr;
  QLabel* version_ = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace lexmora::gui
