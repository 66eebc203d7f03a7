#include "indexing_form.h"

#include <QLabel>
#include <QProgressBar>

#include "shell/interface_texts.h"

namespace lexmora::gui {

TIndexingForm::TIndexingForm(std::shared_ptr<IndexingRun> run, QWidget* owner)
    : ProgressWindow(owner, "TIndexingForm"), run_(std::move(run)), gauge_(static_cast<int>(run_->jobs.size())) {
  LangRemake();
  Gauge()->setRange(0, gauge_.Maximum());
  Gauge()->setValue(0);
  Gauge()->setTextVisible(false);
  timer1_.setInterval(1000);
  connect(&timer1_, &QTimer::timeout, this, &TIndexingForm::Timer1Timer);
  timer1_.start();
  run_->progress.indexProgressMax = 300;  // until the first job sets it

  auto shared = run_;
  QWidget* noticeParent = owner;
  StartWorker([shared, this, noticeParent] {
    IndexingEvents events;
    events.diskFull = [this, noticeParent](const IndexingInternalRecord&) {
      // The form outlives its worker (its destructor waits), so it can
      // carry the message to the window thread.
      QMetaObject::invokeMethod(
          this, [noticeParent] { ShowFullTextNotice(noticeParent, QStringLiteral("Disk full! Indexing process stoped!")); },
          Qt::QueuedConnection);
    };
    RunIndexingJobs(*shared, events);
  }, "TIndexingThread");
}

TIndexingForm::~TIndexingForm() {
  // Only a window going away with the program gets here early: the job
  // running is finished, the rest are left for the next start.
  run_->cancel = true;
  WaitForWorker();
}

void TIndexingForm::LangRemake() {
  const QString text = InterfaceText(302);
  Label()->setText(text.isEmpty() ? QStringLiteral("Indexing") : text);
}

void TIndexingForm::Timer1Timer() {
  const auto& p = run_->progress;
  Gauge()->setValue(gauge_.Tick(p.indexProgress, p.indexProgressMax, p.sortPhase, p.jobsDone));
}

bool TIndexingForm::CanClose() {
  if (WorkerDone() || static_cast<int>(run_->progress.jobsDone) >= JobCount()) return true;
  ShowFullTextNotice(this, QStringLiteral("Wait! Indexing process in action!"));
  return false;
}

void TIndexingForm::WorkerEnded() {
  timer1_.stop();
  Timer1Timer();
}

}  // namespace lexmora::gui
