#include "about/title_form.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include "dictionary/article_fonts.h"

namespace lexmora::gui {

TTitleForm::TTitleForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("TTitleForm"));
  setFixedSize(kWidth, kHeight);
  setModal(true);

  picture_ = new QLabel(this);
  picture_->setObjectName(QStringLiteral("Image1"));
  picture_->setGeometry(0, 0, kWidth, kHeight);
  picture_->setScaledContents(true);  // stretched over the client area
  picture_->setPixmap(QPixmap(QStringLiteral(":/about/splash.png")));

  version_ = new QLabel(QStringLiteral("version 1.2"), this);
  version_->setObjectName(QStringLiteral("Label1"));
  QFont font = MappedFont(QStringLiteral("Arial"));
  font.setPointSize(9);
  font.setBold(true);
  version_->setFont(font);
  version_->setAttribute(Qt::WA_TranslucentBackground);
  version_->setAutoFillBackground(false);
  QPalette palette = version_->palette();
  palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));  // navy
  version_->setPalette(palette);
  version_->adjustSize();
  version_->move(kWidth - version_->width() - 8, kHeight - version_->height() - 6);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setSingleShot(true);
  timer_->setTimerType(Qt::PreciseTimer);
  timer_->setInterval(kShowMs);
  connect(timer_, &QTimer::timeout, this, &TTitleForm::Timer1Timer);

  // Centred on the desktop.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(kWidth / 2, kHeight / 2));
}

void TTitleForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The time counts from the showing: a slow start-up before it must not
  // eat the splash's second, nor fire before the window is up.
  timer_->start();
}

void TTitleForm::Timer1Timer() {
  timer_->stop();
  accept();
}

}  // namespace lexmora::gui
