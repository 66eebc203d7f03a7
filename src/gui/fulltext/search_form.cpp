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
  // The search clears the cancel flag when it begins, so a cancel asked for
  // early is repeated until the worker has ended.
  cancelTimer_.setInterval(20);
  connect(&cancelTimer_, &QTimer::timeout, this, [this] { run_->state.cancel = true; });
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
  run_->state.cancel = true;
  cancelTimer_.start();
}

void TSearchForm::WorkerEnded() {
  timer1_.stop();
  cancelTimer_.stop();
}

}  // namespace lexmora::gui
