#include "tool_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace lexmora::gui {

namespace {

constexpr int kSize = 22;

void Page(QPainter& p, const QRectF& r, const QColor& edge, const QColor& fill) {
  p.setPen(QPen(edge, 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(r, 1.5, 1.5);
}

void Lines(QPainter& p, qreal x0, qreal x1, qreal y0, int count, qreal step, const QColor& colour) {
  p.setPen(QPen(colour, 1.4, Qt::SolidLine, Qt::RoundCap));
  for (int i = 0; i < count; ++i) p.drawLine(QPointF(x0, y0 + i * step), QPointF(x1, y0 + i * step));
}

void Magnifier(QPainter& p, const QPointF& c, qreal r, const QColor& colour) {
  p.setPen(QPen(colour, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(c, r, r);
  p.drawLine(c + QPointF(r * 0.72, r * 0.72), c + QPointF(r * 1.9, r * 1.9));
}

void Draw(QPainter& p, ToolIcon which) {
  const QColor navy(0x1E, 0x3A, 0x78), blue(0x2F, 0x6F, 0xD0), red(0xC0, 0x28, 0x28), green(0x2E, 0x8B, 0x3E),
      gold(0xE0, 0xA0, 0x20), grey(0x60, 0x60, 0x60), paper(0xFF, 0xFF, 0xFF);
  switch (which) {
    case ToolIcon::FullDictionary: {
      p.setPen(QPen(navy, 1.2));
      p.setBrush(blue);
      p.drawRoundedRect(QRectF(4, 2.5, 14, 17), 1.5, 1.5);
      p.setBrush(QColor(0xF4, 0xF0, 0xE0));
      p.drawRect(QRectF(6.5, 16, 11.5, 2.5));
      p.setPen(QPen(QColor(0xDB, 0xE8, 0xFF), 1.4));
      p.drawLine(QPointF(8, 7), QPointF(15, 7));
      p.drawLine(QPointF(8, 10), QPointF(13, 10));
      break;
    }
    case ToolIcon::UserList:
      Page(p, QRectF(4, 2.5, 14, 17), grey, paper);
      Lines(p, 7, 15, 7, 4, 3, blue);
      p.setPen(QPen(red, 2.0, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(12, 15), QPointF(14.5, 18));
      p.drawLine(QPointF(14.5, 18), QPointF(20, 11));
      break;
    case ToolIcon::GameList:
      Page(p, QRectF(4, 2.5, 14, 17), grey, paper);
      Lines(p, 7, 15, 7, 4, 3, green);
      p.setPen(QPen(gold.darker(130), 1));
      p.setBrush(gold);
      {
        QPainterPath star;
        const QPointF c(15.5, 15.5);
        for (int i = 0; i < 10; ++i) {
          const qreal r = i % 2 ? 2.4 : 5.5;
          const qreal a = -M_PI / 2 + i * M_PI / 5;
          const QPointF pt = c + QPointF(r * std::cos(a), r * std::sin(a));
          if (i == 0) star.moveTo(pt); else star.lineTo(pt);
        }
        star.closeSubpath();
        p.drawPath(star);
      }
      break;
    case ToolIcon::SearchResults:
      Page(p, QRectF(3, 2.5, 13, 17), grey, paper);
      Lines(p, 6, 13, 7, 4, 3, blue);
      Magnifier(p, QPointF(14, 13), 4, navy);
      break;
    case ToolIcon::ClearList:
      Page(p, QRectF(4, 2.5, 14, 17), grey, paper);
      Lines(p, 7, 15, 7, 4, 3, QColor(0xA0, 0xA0, 0xA0));
      p.setPen(QPen(red, 2.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(11, 11), QPointF(19, 19));
      p.drawLine(QPointF(19, 11), QPointF(11, 19));
      break;
    case ToolIcon::LoadList: {
      p.setPen(QPen(gold.darker(150), 1.2));
      p.setBrush(gold.lighter(120));
      p.drawRoundedRect(QRectF(2.5, 6, 17, 13), 1.5, 1.5);
      p.drawRect(QRectF(2.5, 4, 7, 3));
      p.setBrush(gold);
      QPainterPath front;
      front.moveTo(5, 10);
      front.lineTo(21, 10);
      front.lineTo(19.5, 19);
      front.lineTo(2.5, 19);
      front.closeSubpath();
      p.drawPath(front);
      break;
    }
    case ToolIcon::SaveList:
      p.setPen(QPen(navy, 1.2));
      p.setBrush(blue);
      p.drawRoundedRect(QRectF(3, 3, 16, 16), 1.5, 1.5);
      p.setBrush(paper);
      p.drawRect(QRectF(6, 3.5, 10, 6));
      p.setBrush(QColor(0xD0, 0xD0, 0xD0));
      p.drawRect(QRectF(6.5, 12.5, 9, 6));
      break;
    case ToolIcon::Search:
      Magnifier(p, QPointF(9, 9), 5.5, navy);
      break;
    case ToolIcon::Game: {
      p.setPen(QPen(green.darker(140), 1.2));
      p.setBrush(green);
      p.drawRoundedRect(QRectF(2.5, 7, 17, 10), 5, 5);
      p.setPen(QPen(paper, 1.8, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(5.5, 12), QPointF(9.5, 12));
      p.drawLine(QPointF(7.5, 10), QPointF(7.5, 14));
      p.setPen(Qt::NoPen);
      p.setBrush(gold);
      p.drawEllipse(QPointF(14, 11), 1.3, 1.3);
      p.setBrush(red);
      p.drawEllipse(QPointF(16.5, 13.5), 1.3, 1.3);
      break;
    }
    case ToolIcon::Options: {
      p.setPen(QPen(grey.darker(120), 1.0));
      p.setBrush(QColor(0x9A, 0xA4, 0xB0));
      QPainterPath gear;
      const QPointF c(11, 11);
      for (int i = 0; i < 16; ++i) {
        const qreal r = (i / 2) % 2 ? 6.0 : 8.3;
        const qreal a = i * M_PI / 8;
        const QPointF pt = c + QPointF(r * std::cos(a), r * std::sin(a));
        if (i == 0) gear.moveTo(pt); else gear.lineTo(pt);
      }
      gear.closeSubpath();
      p.drawPath(gear);
      p.setBrush(paper);
      p.drawEllipse(c, 2.6, 2.6);
      break;
    }
    case ToolIcon::Help: {
      p.setPen(QPen(navy, 1.2));
      p.setBrush(blue);
      p.drawEllipse(QPointF(11, 11), 8.5, 8.5);
      QFont f;
      f.setPixelSize(13);
      f.setBold(true);
      p.setFont(f);
      p.setPen(paper);
      p.drawText(QRectF(2.5, 2.5, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
      break;
    }
  }
}

}  // namespace

QIcon MakeToolIcon(ToolIcon which) {
  QIcon icon;
  for (qreal dpr : {1.0, 2.0}) {
    QPixmap pixmap(QSize(kSize, kSize) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, which);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace lexmora::gui
