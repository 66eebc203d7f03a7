// Draws the pictures of the splash window and the about box into this
// folder. They are kept in the repository, so that building the program
// does not run this; after a change, draw them again with
//
//   c++ -std=c++17 -fPIC draw_pictures.cpp -o /tmp/draw_pictures $(pkg-config --cflags --libs Qt6Gui)
//   QT_QPA_PLATFORM=offscreen /tmp/draw_pictures data/about
//
// splash.png        248 x 291, the splash window's picture (its lower right
//                   corner stays light: the version label is navy)
// about.png         96 x 96, the about box's picture
// credits_tile.png  32 x 32, the tiled background of the credits
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kNavy(0x1b, 0x2a, 0x5c);
const QColor kTeal(0x1f, 0x7a, 0x8c);
const QColor kGold(0xe0, 0xa8, 0x2e);

// An open book seen from the front, filling the rectangle, with a ribbon.
void DrawBook(QPainter& p, const QRectF& r) {
  const qreal w = r.width(), h = r.height();
  const QPointF spineTop(r.center().x(), r.top() + h * 0.12);
  const QPointF spineBottom(r.center().x(), r.bottom() - h * 0.02);
  // Cover behind the pages.
  QPainterPath cover;
  cover.moveTo(r.left(), r.top() + h * 0.22);
  cover.lineTo(spineTop.x(), spineTop.y() + h * 0.06);
  cover.lineTo(r.right(), r.top() + h * 0.22);
  cover.lineTo(r.right(), r.bottom() - h * 0.08);
  cover.lineTo(spineBottom);
  cover.lineTo(r.left(), r.bottom() - h * 0.08);
  cover.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kNavy);
  p.drawPath(cover.translated(0, h * 0.04));
  // The two pages, each a curved leaf.
  for (int side : {-1, 1}) {
    const qreal outer = spineTop.x() + side * w * 0.47;
    QPainterPath page;
    page.moveTo(spineTop);
    page.cubicTo(QPointF(spineTop.x() + side * w * 0.18, r.top()), QPointF(outer - side * w * 0.08, r.top()),
                 QPointF(outer, r.top() + h * 0.10));
    page.lineTo(QPointF(outer, r.bottom() - h * 0.14));
    page.cubicTo(QPointF(outer - side * w * 0.08, r.bottom() - h * 0.24),
                 QPointF(spineBottom.x() + side * w * 0.18, r.bottom() - h * 0.16), spineBottom);
    page.closeSubpath();
    QLinearGradient paper(QPointF(spineTop.x(), 0), QPointF(outer, 0));
    paper.setColorAt(0, QColor(0xe9, 0xe4, 0xd6));
    paper.setColorAt(0.25, QColor(0xfb, 0xf8, 0xf0));
    paper.setColorAt(1, QColor(0xf3, 0xee, 0xe0));
    p.setBrush(paper);
    p.setPen(QPen(QColor(0x9a, 0x93, 0x80), qMax(1.0, w / 120)));
    p.drawPath(page);
    // Lines of text on the page.
    p.setPen(QPen(QColor(0x8a, 0x9b, 0xb8), qMax(1.0, w / 90), Qt::SolidLine, Qt::RoundCap));
    for (int line = 0; line < 6; ++line) {
      const qreal y = r.top() + h * (0.24 + 0.095 * line);
      const qreal from = spineTop.x() + side * w * 0.08;
      const qreal to = outer - side * w * (line == 5 ? 0.20 : 0.07);
      p.drawLine(QPointF(from, y + h * 0.02), QPointF(to, y));
    }
  }
  // The ribbon down the spine.
  QPainterPath ribbon;
  const qreal rw = w * 0.035;
  ribbon.moveTo(spineTop.x() - rw, spineTop.y() + h * 0.05);
  ribbon.lineTo(spineTop.x() + rw, spineTop.y() + h * 0.05);
  ribbon.lineTo(spineTop.x() + rw, r.bottom() + h * 0.10);
  ribbon.lineTo(spineTop.x(), r.bottom() + h * 0.06);
  ribbon.lineTo(spineTop.x() - rw, r.bottom() + h * 0.10);
  ribbon.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawPath(ribbon);
}

QImage Splash() {
  QImage image(248, 291, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  QLinearGradient sky(0, 0, 0, 291);
  sky.setColorAt(0, QColor(0xd8, 0xea, 0xf2));
  sky.setColorAt(0.55, QColor(0xf7, 0xfb, 0xfc));
  sky.setColorAt(1, QColor(0xff, 0xff, 0xff));
  p.fillRect(image.rect(), sky);
  // A band of the Azeri letters behind the book.
  QFont letters(QStringLiteral("DejaVu Serif"));
  letters.setPixelSize(22);
  p.setFont(letters);
  p.setPen(QColor(0xb7, 0xd3, 0xdf));
  p.drawText(QRectF(0, 18, 248, 30), Qt::AlignCenter, QString::fromUtf8("ə ı İ ğ ş ç ö ü"));
  QRadialGradient glow(QPointF(124, 112), 90);
  glow.setColorAt(0, QColor(255, 255, 255, 200));
  glow.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(QRectF(20, 30, 208, 170), glow);
  DrawBook(p, QRectF(44, 58, 160, 110));
  QFont title(QStringLiteral("DejaVu Serif"));
  title.setPixelSize(34);
  title.setBold(true);
  p.setFont(title);
  p.setPen(kNavy);
  p.drawText(QRectF(0, 186, 248, 42), Qt::AlignCenter, QStringLiteral("Lexmora"));
  QFont subtitle(QStringLiteral("DejaVu Sans"));
  subtitle.setPixelSize(13);
  p.setFont(subtitle);
  p.setPen(kTeal);
  p.drawText(QRectF(0, 226, 248, 20), Qt::AlignCenter, QString::fromUtf8("Azərbaycan dili lüğəti"));
  p.setPen(QPen(kGold, 2));
  p.drawLine(QPointF(64, 250), QPointF(184, 250));
  p.setPen(QPen(QColor(0xa9, 0xc4, 0xd0), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 247, 290));
  return image;
}

QImage AboutPicture() {
  QImage image(96, 96, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient disc(QPointF(48, 44), 50);
  disc.setColorAt(0, QColor(0xe4, 0xf1, 0xf6));
  disc.setColorAt(1, QColor(0xb9, 0xd8, 0xe4));
  p.setBrush(disc);
  p.setPen(QPen(kTeal, 2));
  p.drawEllipse(QRectF(2, 2, 92, 92));
  DrawBook(p, QRectF(16, 22, 64, 46));
  return image;
}

QImage CreditsTile() {
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(QColor(0x14, 0x23, 0x4d));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x1c, 0x31, 0x63), 1));
  p.drawLine(QPointF(0, 32), QPointF(32, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x22, 0x3a, 0x70));
  p.drawEllipse(QPointF(8, 8), 1.4, 1.4);
  p.drawEllipse(QPointF(24, 24), 1.4, 1.4);
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
  const bool ok = Splash().save(out.filePath(QStringLiteral("splash.png"))) &&
                  AboutPicture().save(out.filePath(QStringLiteral("about.png"))) &&
                  CreditsTile().save(out.filePath(QStringLiteral("credits_tile.png")));
  return ok ? 0 : 1;
}
