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

// The button: a raised 19 x 19 face with the 17 x 17 loudspeaker glyph
// ("SOUNDBTN") in its middle, drawn once.
QPixmap SoundButtonPixmap() {
  static QPixmap pixmap = [] {
    const qreal dpr = 2.0;
    QPixmap p(QSize(kSoundButtonSize, kSoundButtonSize) * dpr);
    p.setDevicePixelRatio(dpr);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x70, 0x70, 0x70));
    QLinearGradient face(0, 0, 0, kSoundButtonSize);
    face.setColorAt(0, QColor(0xFA, 0xFA, 0xFA));
    face.setColorAt(1, QColor(0xD8, 0xD8, 0xD8));
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kSoundButtonSize - 1, kSoundButtonSize - 1), 3, 3);
    painter.translate(1, 1);  // the glyph's 17 x 17 square
    QPainterPath speaker;
    speaker.moveTo(3, 6.5);
    speaker.lineTo(5.5, 6.5);
    speaker.lineTo(9, 3.5);
    speaker.lineTo(9, 13.5);
    speaker.lineTo(5.5, 10.5);
    speaker.lineTo(3, 10.5);
    speaker.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1E, 0x4E, 0x9A));
    painter.drawPath(speaker);
    painter.setPen(QPen(QColor(0x1E, 0x4E, 0x9A), 1.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(7.5, 5.5, 4, 6), -60 * 16, 120 * 16);
    painter.drawArc(QRectF(7.5, 3.5, 7, 10), -60 * 16, 120 * 16);
    return p;
  }();
  return pixmap;
}

QColor Inverted(const QColor& c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

}  // namespace

QString SoundLink(int button) { return QStringLiteral("sound:%1").arg(button); }

int SoundButtonOfLink(const QString& link) {
  if (!link.startsWith(QLatin1String("sound:"))) return -1;
  bool ok = false;
  const int n = link.mid(6).toInt(&ok);
  return ok && n >= 0 ? n : -1;
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

ArticleDocumentSink::ArticleDocumentSink(QTextDocument& document, SoundButtonMaker makeButton)
    : document_(document), cursor_(&document), makeButton_(std::move(makeButton)) {
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
  image.setWidth(kSoundButtonSize);
  image.setHeight(kSoundButtonSize);
  image.setVerticalAlignment(QTextCharFormat::AlignMiddle);
  image.setAnchor(true);
  const int button = makeButton_ ? makeButton_(item) : buttons_;
  ++buttons_;
  image.setAnchorHref(SoundLink(button));
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
