// The common frame of the indexing and search progress windows: a
// borderless window without title-bar buttons, centred on its owner, with a
// label above a gauge. Closing goes through CanClose(), which the windows
// use to refuse or to cancel.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace lexmora::gui {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  ProgressWindow(QWidget* owner, const char* objectName);

  QLabel* Label() const { return label_; }
  QProgressBar* Gauge() const { return gauge_; }

  void reject() override;  // Escape closes as the close button would

 protected:
  virtual bool CanClose() = 0;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* label_;
  QProgressBar* gauge_;
};

// A message over a window that does not stop the caller (the workers' notes
// and the refusal to close).
void ShowFullTextNotice(QWidget* parent, const QString& text);

}  // namespace lexmora::gui
