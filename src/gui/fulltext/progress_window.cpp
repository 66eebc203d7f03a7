#include "progress_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>

namespace lexmora::gui {

ProgressWindow::ProgressWindow(QWidget* owner, const char* objectName)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::CustomizeWindowHint) {
  setObjectName(QLatin1String(objectName));
  setModal(false);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::Panel);
  frame->setFrameShadow(QFrame::Raised);
  frame->setLineWidth(2);
  label_ = new QLabel(frame);
  label_->setObjectName(QStringLiteral("Label1"));
  gauge_ = new QProgressBar(frame);
  gauge_->setObjectName(QStringLiteral("Gauge1"));
  gauge_->setMinimumWidth(300);
  auto* inner = new QVBoxLayout(frame);
  inner->setContentsMargins(14, 10, 14, 12);
  inner->setSpacing(6);
  inner->addWidget(label_);
  inner->addWidget(gauge_);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->addWidget(frame);
}

void ProgressWindow::StartWorker(std::function<void()> work, const char* threadName) {
  thread_ = QThread::create(std::move(work));
  thread_->setObjectName(QLatin1String(threadName));
  connect(thread_, &QThread::finished, this, [this] {
    workerDone_ = true;
    WorkerEnded();
    emit Done();
  }, Qt::QueuedConnection);
  thread_->start();
}

void ProgressWindow::WaitForWorker() {
  if (!thread_) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
}

void ProgressWindow::reject() { close(); }

void ProgressWindow::closeEvent(QCloseEvent* event) {
  if (CanClose()) event->accept();
  else event->ignore();
}

void ProgressWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  adjustSize();
  if (QWidget* owner = parentWidget()) {
    const QRect area = owner->window()->frameGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void ShowFullTextNotice(QWidget* parent, const QString& text) {
  auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Lexmora"), text, QMessageBox::Ok, parent);
  box->setObjectName(QStringLiteral("FullTextNotice"));
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setModal(false);
  box->show();
}

}  // namespace lexmora::gui
