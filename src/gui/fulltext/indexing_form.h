// The indexing window: runs all jobs of a group on a worker thread and
// shows their progress, 300 gauge units per job. It cannot be closed while
// jobs remain; when the worker ends it reports Done and its owner frees it.
#pragma once

#include <QTimer>

#include <memory>

#include "fulltext/indexing_gauge.h"
#include "fulltext/fulltext_runs.h"
#include "progress_window.h"

namespace lexmora::gui {

class TIndexingForm : public ProgressWindow {
  Q_OBJECT
 public:
  // Starts the worker at once.
  TIndexingForm(std::shared_ptr<IndexingRun> run, QWidget* owner);
  ~TIndexingForm() override;  // waits for the worker

  void LangRemake();
  int JobCount() const { return static_cast<int>(run_->jobs.size()); }
  const IndexingRun& Run() const { return *run_; }
  // Timer1 runs every 1000 ms; tests may tick it themselves.
  void Timer1Timer();

 protected:
  bool CanClose() override;
  void WorkerEnded() override;

 private:

  std::shared_ptr<IndexingRun> run_;
  IndexingGauge gauge_;
  QTimer timer1_;
};

}  // namespace lexmora::gui
