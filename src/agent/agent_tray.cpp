#include "agent_tray.h"

#include <QApplication>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTimer>

namespace lexmora::agent {

QIcon BookIcon() {
  QIcon icon;
  for (int size : {16, 22, 32, 48, 64}) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    // Two pages open on a spine, on a dark blue cover.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x1f, 0x4e, 0x8c));
    p.drawRoundedRect(QRectF(4, 12, 56, 44), 4, 4);
    p.setBrush(QColor(0xfa, 0xf7, 0xee));
    QPainterPath left;
    left.moveTo(31, 18);
    left.cubicTo(24, 13, 15, 13, 8, 16);
    left.lineTo(8, 50);
    left.cubicTo(15, 47, 24, 47, 31, 52);
    left.closeSubpath();
    p.drawPath(left);
    QPainterPath right;
    right.moveTo(33, 18);
    right.cubicTo(40, 13, 49, 13, 56, 16);
    right.lineTo(56, 50);
    right.cubicTo(49, 47, 40, 47, 33, 52);
    right.closeSubpath();
    p.drawPath(right);
    p.setPen(QPen(QColor(0x9a, 0xa7, 0xb8), 2));
    for (int y : {24, 31, 38}) {
      p.drawLine(QLineF(13, y, 26, y + 1));
      p.drawLine(QLineF(38, y + 1, 51, y));
    }
    p.end();
    icon.addPixmap(picture);
  }
  return icon;
}

AgentTray::AgentTray(QString dictionary, QStringList arguments, AgentTexts texts, QList<QAction*> extra,
                     QObject* parent)
    : QObject(parent),
      dictionary_(std::move(dictionary)),
      arguments_(std::move(arguments)),
      texts_(std::move(texts)),
      extra_(std::move(extra)) {
  retry_ = new QTimer(this);
  retry_->setInterval(5000);
  connect(retry_, &QTimer::timeout, this, &AgentTray::ShowWhenTrayAvailable);
  ShowWhenTrayAvailable();
  if (!IconShown()) retry_->start();
}

AgentTray::~AgentTray() {
  delete icon_;
  delete menu_;
}

bool AgentTray::IconShown() const { return icon_ != nullptr && icon_->isVisible(); }

void AgentTray::ShowWhenTrayAvailable() {
  if (IconShown() || !QSystemTrayIcon::isSystemTrayAvailable()) return;
  retry_->stop();
  menu_ = new QMenu();
  menu_->setObjectName(QStringLiteral("AgentMenu"));
  menu_->addAction(texts_.open, this, &AgentTray::OpenDictionary);
  menu_->addSeparator();
  if (!extra_.isEmpty()) {
    menu_->addActions(extra_);
    menu_->addSeparator();
  }
  menu_->addAction(texts_.quit, qApp, &QCoreApplication::quit);
  icon_ = new QSystemTrayIcon(BookIcon());
  icon_->setToolTip(texts_.tip);
  icon_->setContextMenu(menu_);
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) OpenDictionary();
  });
  icon_->show();
}

void AgentTray::OpenDictionary() {
  // A dictionary that runs already comes to the front: its second start does that.
  QProcess::startDetached(dictionary_, arguments_);
}

}  // namespace lexmora::agent
