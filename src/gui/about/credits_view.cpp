#include "about/credits_view.h"

#include <QMouseEvent>
#include <QPixmap>
#include <QScrollBar>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTimer>

#include "dictionary/article_fonts.h"

namespace lexmora::gui {
namespace {

QTextCharFormat CreditsStyle(int style) {
  QTextCharFormat format;
  QFont font = MappedFont(QStringLiteral("Arial"));
  font.setPointSize(10);
  font.setBold(style == 0);
  format.setFont(font);
  format.setForeground(style == 0 ? QColor(Qt::yellow) : QColor(Qt::white));
  return format;
}

}  // namespace

CreditsView::CreditsView(QWidget* parent) : QTextEdit(parent) {
  setObjectName(QStringLiteral("RichView1"));
  setReadOnly(true);
  setTextInteractionFlags(Qt::NoTextInteraction);  // no selection
  setFocusPolicy(Qt::NoFocus);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFrameShape(QFrame::NoFrame);
  setContextMenuPolicy(Qt::NoContextMenu);
  viewport()->setCursor(Qt::ArrowCursor);
  // The tiled background stays where it is while the text moves over it.
  QPalette palette = this->palette();
  const QBrush tile(QPixmap(QStringLiteral(":/about/credits_tile.png")));
  palette.setBrush(QPalette::Base, tile);
  palette.setBrush(QPalette::Window, tile);
  setPalette(palette);
  viewport()->installEventFilter(this);

  timer_ = new QTimer(this);
  timer_->setObjectName(QStringLiteral("Timer1"));
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, &CreditsView::ScrollTick);
  hide();
}

void CreditsView::ShowCredits(const std::vector<CreditsParagraph>& paragraphs) {
  QTextDocument* doc = document();
  doc->clear();
  doc->setDocumentMargin(0);
  QTextFrameFormat frame = doc->rootFrame()->frameFormat();
  frame.setLeftMargin(20);
  frame.setRightMargin(5);
  doc->rootFrame()->setFrameFormat(frame);
  QTextCursor cursor(doc);
  QTextBlockFormat block;
  bool first = true;
  for (const CreditsParagraph& paragraph : paragraphs) {
    if (first) cursor.setBlockFormat(block);
    else cursor.insertBlock(block);
    first = false;
    for (const CreditsRun& run : paragraph.runs)
      cursor.insertText(QString::fromStdU16String(run.text), CreditsStyle(run.style));
  }
  // The view's cursor at the start, or showing the view would scroll to
  // the end to keep the cursor in sight.
  setTextCursor(QTextCursor(doc));
  verticalScrollBar()->setValue(0);
}

void CreditsView::SetShown(bool shown) {
  setVisible(shown);
  if (shown) timer_->start();
  else timer_->stop();
}

void CreditsView::ScrollTick() {
  QScrollBar* bar = verticalScrollBar();
  if (bar->value() >= bar->maximum()) bar->setValue(0);
  else bar->setValue(bar->value() + 1);
}

bool CreditsView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport()) {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
        if (timer_->isActive()) timer_->stop();
        else timer_->start();
        return true;
      case QEvent::MouseButtonDblClick:
        SetShown(false);
        emit HideRequested();
        return true;
      case QEvent::MouseButtonRelease:
      case QEvent::MouseMove:
      case QEvent::Wheel:
        return true;  // the view is not scrolled or selected by the mouse
      default:
        break;
    }
  }
  return QTextEdit::eventFilter(watched, event);
}

}  // namespace lexmora::gui
