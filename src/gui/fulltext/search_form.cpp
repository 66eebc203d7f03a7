#include "search_form.h"

#include <QLabel>
#include <QProgressBar>

#include "shell/interface_texts.h"

namespace lexmora::gui {

TSearchForm::TSearchForm(std::shared_ptr<SearchRun> run, QWidget* owner)
    : ProgressWindow(owner, "TSearchForm"), run_(std::move(run)) {
  LangRemake();
  Gauge()->setRange(0, kGaugeSteps);
  Gauge()->setValue(0);
  Gauge()->setTextVisible(true);
  Gauge()->setFormat(QStringLiteral("%p%"));

  auto shared = run_;
  StartWorker([shared] { RunSearch(*shared); }, "TSearchThread");

  timer1_.setInterval(10000);
  connect(&timer1_, &QTimer::timeout, this, &TSearchForm::Timer1Timer);
  timer1_.start();
}

TSearchForm::~TSearchForm() {
  run_->state.cancel = true;
  WaitForWorker();
}

void TSearchForm::LangRemake() {
  const QString text = InterfaceText(304);
  Label()->setText(text.isEmpty() ? QStringLiteral("Search") : text);
}

void TSearchForm::Timer1Timer() {
  const std::uint32_t max = run_->state.progressMax;
  const std::uint64_t progress = run_->state.progress;
  const int value = max == 0 ? 0 : static_cast<int>(std::min<std::uint64_t>(progress * kGaugeSteps / max, kGaugeSteps));
  Gauge()->setValue(value);
  Gauge()->repaint();
}

bool TSearchForm::CanClose() {
  if (WorkerDone()) return true;
  RequestCancel();
  return false;  // the window goes when the worker has stopped
}

void TSearchForm::RequestCancel() {
  cancelled_ = true;
  // The worker polls the flag and never clears it, so one setting stops it
  // however early it comes; each run has a flag of its own.
  run_->state.cancel = true;
}

void TSearchForm::WorkerEnded() {
  timer1_.stop();
}

}  // namespace lexmora::gui
