// The common frame of the indexing and search progress windows: a
// borderless window without title-bar buttons, centred on its owner, with a
// label above a gauge. Closing goes through CanClose(), which the windows
// use to refuse or to cancel. The window runs its work on one worker thread
// and reports Done on the window thread once the worker has ended.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QThread;

namespace lexmora::gui {

class ProgressWindow : public QDialog {
  Q_OBJECT
 public:
  ProgressWindow(QWidget* owner, const char* objectName);

  QLabel* Label() const { return label_; }
  QProgressBar* Gauge() const { return gauge_; }

  void reject() override;  // Escape closes as the close button would
  bool WorkerDone() const { return workerDone_; }

 signals:
  void Done();

 protected:
  // Starts work on a thread named threadName; WorkerEnded() and Done follow
  // on the window thread when it returns.
  void StartWorker(std::function<void()> work, const char* threadName);
  // Waits for the worker; a window's destructor calls it before its own
  // members go, since the worker may use them.
  void WaitForWorker();
  virtual void WorkerEnded() {}
  virtual bool CanClose() = 0;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* label_;
  QProgressBar* gauge_;
  QThread* thread_ = nullptr;
  bool workerDone_ = false;
};

// A message over a window that does not stop the caller (the workers' notes
// and the refusal to close).
void ShowFullTextNotice(QWidget* parent, const QString& text);

}  // namespace lexmora::gui
