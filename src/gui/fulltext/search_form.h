// The search window: runs one search on a worker thread and shows its
// progress on a 1000-step gauge. Closing it asks the worker to stop; the
// window reports Done once the worker has ended, and its owner frees it.
#pragma once

#include <QTimer>

#include <memory>

#include "fulltext/fulltext_runs.h"
#include "progress_window.h"

namespace lexmora::gui {

class TSearchForm : public ProgressWindow {
  Q_OBJECT
 public:
  static constexpr int kGaugeSteps = 1000;

  // Starts the worker at once.
  TSearchForm(std::shared_ptr<SearchRun> run, QWidget* owner);
  ~TSearchForm() override;  // cancels and waits for the worker

  void LangRemake();
  // Whether the user closed the window before the worker ended.
  bool Cancelled() const { return cancelled_; }
  SearchRun& Run() { return *run_; }
  // Timer1 runs every 10000 ms; tests may tick it themselves.
  void Timer1Timer();

 protected:
  bool CanClose() override;
  void WorkerEnded() override;

 private:
  void RequestCancel();

  std::shared_ptr<SearchRun> run_;
  QTimer timer1_;
  bool cancelled_ = false;
};

}  // namespace lexmora::gui
