#include "article_document_sink.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextBlockFormat>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QUrl>

#include "article_fonts.h"

namespace lexmora::gui {

namespace {

const QUrl kSoundButtonImage(QStringLiteral("lexmora:sound-button"));

// A small raised button with a loudspeaker, drawn once.
QPixmap SoundButtonPixmap() {
  static QPixmap pixmap = [] {
    const qreal dpr = 2.0;
    QPixmap p(QSize(20, 16) * dpr);
    p.setDevicePixelRatio(dpr);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x70, 0x70, 0x70));
    QLinearGradient face(0, 0, 0, 16);
    face.setColorAt(0, QColor(0xFA, 0xFA, 0xFA));
    face.setColorAt(1, QColor(0xD8, 0xD8, 0xD8));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(0.5, 0.5, 19, 15), 3, 3);
    QPainterPath speaker;
    speaker.moveTo(5, 6);
    speaker.lineTo(7.5, 6);
    speaker.lineTo(10.5, 3.5);
    speaker.lineTo(10.5, 12.5);
    speaker.lineTo(7.5, 10);
    speaker.lineTo(5, 10);
    speaker.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1E, 0x4E, 0x9A));
    painter.drawPath(speaker);
    painter.setPen(QPen(QColor(0x1E, 0x4E, 0x9A), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(9, 5, 4, 6), -60 * 16, 120 * 16);
    painter.drawArc(QRectF(9, 3, 7, 10), -60 * 16, 120 * 16);
    return p;
  }();
  return pixmap;
}

QColor Inverted(const QColor& c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

}  // namespace

QString SoundLink(int number) { return QStringLiteral("sound:%1").arg(number); }

int SoundNumberOfLink(const QString& link) {
  if (!link.startsWith(QLatin1String("sound:"))) return -1;
  bool ok = false;
  const int n = link.mid(6).toInt(&ok);
  return ok ? n : -1;
}

QTextBlockFormat ParagraphFormat(const ParagraphLayout& layout) {
  QTextBlockFormat f;
  f.setLeftMargin(layout[0] + layout[5]);
  f.setRightMargin(layout[1] + layout[7]);
  f.setTextIndent(layout[2]);
  f.setLineHeight(layout[3], QTextBlockFormat::LineDistanceHeight);
  f.setTopMargin(layout[6]);
  f.setBottomMargin(layout[4] + layout[8]);
  return f;
}

ArticleDocumentSink::ArticleDocumentSink(QTextDocument& document) : document_(document), cursor_(&document) {
  document_.clear();
  document_.addResource(QTextDocument::ImageResource, kSoundButtonImage, SoundButtonPixmap());
  cursor_.movePosition(QTextCursor::End);
}

void ArticleDocumentSink::StartParagraph(const ParagraphLayout& layout) {
  if (first_) {
    cursor_.setBlockFormat(ParagraphFormat(layout));
    first_ = false;
  } else {
    cursor_.insertBlock(ParagraphFormat(layout));
  }
}

void ArticleDocumentSink::AddText(const ArticleTextItem& item) {
  if (item.newParagraph || first_) StartParagraph(item.layout);
  QTextCharFormat format = ArticleStyleFormat(item.style);
  if (item.highlight) {
    format.setBackground(QColor(0x80, 0x80, 0x80));
    format.setForeground(Inverted(format.foreground().color()));
  }
  cursor_.insertText(QString::fromUtf16(item.text.data(), static_cast<qsizetype>(item.text.size())), format);
}

void ArticleDocumentSink::AddSoundButton(const ArticleSoundItem& item) {
  if (item.newParagraph || first_) StartParagraph(item.layout);
  QTextImageFormat image;
  image.setName(kSoundButtonImage.toString());
  image.setWidth(20);
  image.setHeight(16);
  image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
  image.setAnchor(true);
  image.setAnchorHref(SoundLink(item.number));
  image.setToolTip(QStringLiteral("%1").arg(item.number));
  cursor_.insertImage(image);
  // Text after the button must not continue the link.
  cursor_.setCharFormat(QTextCharFormat());
}

void ArticleDocumentSink::Format() {
  QTextFrameFormat root = document_.rootFrame()->frameFormat();
  root.setLeftMargin(5);
  root.setRightMargin(8);
  root.setTopMargin(4);
  root.setBottomMargin(4);
  document_.rootFrame()->setFrameFormat(root);
}

}  // namespace lexmora::gui
