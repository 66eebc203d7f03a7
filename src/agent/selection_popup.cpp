#include "selection_popup.h"

#include <QGuiApplication>
#include <qguiapplication_platform.h>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>
#include <QVBoxLayout>

#include "dictionary/article_view.h"

#include <X11/Xlib.h>
#include <X11/keysym.h>
#undef None
#undef Bool
#undef Status

namespace lexmora::agent {

namespace {

// The X server's connection when the application runs on X11.
Display* X11Display() {
  if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) return x11->display();
  return nullptr;
}

}  // namespace

SelectionPopup::SelectionPopup(platform::SoundOutput* sound, PopupTexts texts, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::X11BypassWindowManagerHint) {
  setObjectName(QStringLiteral("SelectionPopup"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  resize(380, 240);
  setStyleSheet(QStringLiteral("#SelectionPopup { border: 1px solid #8a9bb0; }"));

  from_ = new QLabel(this);
  from_->setObjectName(QStringLiteral("SuggestedFrom"));
  from_->setContentsMargins(6, 2, 6, 0);
  article_ = new gui::ArticleView(this);
  article_->SetSoundOutput(sound);
  article_->setFocusPolicy(Qt::NoFocus);

  auto* open = new QPushButton(texts.open, this);
  open->setObjectName(QStringLiteral("OpenInDictionary"));
  auto* pronounce = new QPushButton(texts.pronounce, this);
  pronounce->setObjectName(QStringLiteral("PronounceButton"));
  auto* add = new QPushButton(texts.addToList, this);
  add->setObjectName(QStringLiteral("AddToListButton"));
  for (QPushButton* b : {open, pronounce, add}) b->setFocusPolicy(Qt::NoFocus);
  connect(open, &QPushButton::clicked, this, [this] {
    emit OpenRequested(content_);
    hide();
  });
  connect(pronounce, &QPushButton::clicked, this, [this] { emit PronounceRequested(content_); });
  connect(add, &QPushButton::clicked, this, [this] { emit AddRequested(content_); });

  auto* buttons = new QHBoxLayout;
  buttons->setContentsMargins(4, 2, 4, 4);
  buttons->addWidget(open);
  buttons->addWidget(pronounce);
  buttons->addWidget(add);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->setSpacing(0);
  layout->addWidget(from_);
  layout->addWidget(article_, 1);
  layout->addLayout(buttons);

  watch_ = new QTimer(this);
  watch_->setInterval(25);
  connect(watch_, &QTimer::timeout, this, &SelectionPopup::WatchDesktop);

  closeTimer_ = new QTimer(this);
  closeTimer_->setSingleShot(true);
  closeTimer_->setInterval(kCloseAfterLeaveMs);
  connect(closeTimer_, &QTimer::timeout, this, &QWidget::hide);
}

void SelectionPopup::ShowContent(const PopupContent& content, const QPoint& near) {
  content_ = content;
  from_->setVisible(content.suggested);
  if (content.suggested) from_->setText(content.headword + QStringLiteral(" ← ") + content.typed);
  // Not shown by a frameless window; it names the popup to the desktop.
  setWindowTitle(content.suggested ? from_->text() : content.headword);
  article_->ShowArticle(content.article, content.sounds);
  // As tall as the article needs, within bounds.
  QTextDocument* document = article_->View()->document();
  // The view's own width is not known before its first showing: the
  // popup's, less the frame and the scroll bar, stands for it.
  document->setTextWidth(width() - 24);
  const int articleHeight = static_cast<int>(document->size().height()) + 12;
  layout()->activate();  // the parts' heights, also before the first showing
  const int rest = height() - article_->height();
  resize(width(), std::clamp(articleHeight + rest, 120, 420));
  QPoint at = near + QPoint(12, 16);
  if (const QScreen* screen = QGuiApplication::screenAt(near)) {
    const QRect area = screen->availableGeometry();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() - height())));
  }
  move(at);
  closeTimer_->stop();
  show();
  raise();
}

void SelectionPopup::enterEvent(QEnterEvent* event) {
  closeTimer_->stop();
  QWidget::enterEvent(event);
}

void SelectionPopup::leaveEvent(QEvent* event) {
  closeTimer_->start();
  QWidget::leaveEvent(event);
}

namespace {

// The pointer's buttons and place on the screen; false when not on X11.
bool QueryPointer(bool& down, QPoint& at) {
  Display* display = X11Display();
  if (!display) return false;
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int mask = 0;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask)) return false;
  down = mask & (Button1Mask | Button2Mask | Button3Mask);
  at = QPoint(rootX, rootY);
  return true;
}

}  // namespace

void SelectionPopup::showEvent(QShowEvent* event) {
  // A button still held from the selection's drag is not a click elsewhere.
  QPoint at;
  if (QueryPointer(buttonWasDown_, at)) watch_->start();
  QWidget::showEvent(event);
}

void SelectionPopup::hideEvent(QHideEvent* event) {
  watch_->stop();
  closeTimer_->stop();
  QWidget::hideEvent(event);
}

void SelectionPopup::WatchDesktop() {
  Display* display = X11Display();
  if (!display) return;
  char keys[32];
  XQueryKeymap(display, keys);
  const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
  if (escape != 0 && (keys[escape / 8] & (1 << (escape % 8)))) {
    hide();
    return;
  }
  bool down = false;
  QPoint at;
  if (!QueryPointer(down, at)) return;
  // A press that begins outside the popup closes it.
  if (down && !buttonWasDown_ && !frameGeometry().contains(at)) hide();
  buttonWasDown_ = down;
}

void SelectionPopup::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace lexmora::agent
