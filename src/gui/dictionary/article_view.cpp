#include "article_view.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTextBlock>
#include <QToolTip>
#include <QVBoxLayout>

#include "article_document_sink.h"
#include "context_word.h"

namespace lexmora::gui {

ArticleTextView::ArticleTextView(QWidget* parent) : QTextBrowser(parent) {}

void ArticleTextView::contextMenuEvent(QContextMenuEvent* event) {
  emit RightClicked(viewport()->mapFromGlobal(event->globalPos()), event->globalPos());
  event->accept();
}

ArticleView::ArticleView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Frame21"));
  view_ = new ArticleTextView(this);
  view_->setObjectName(QStringLiteral("RichView1"));
  view_->setOpenLinks(false);
  view_->setOpenExternalLinks(false);
  view_->setUndoRedoEnabled(false);
  view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                                 Qt::LinksAccessibleByMouse);
  QPalette palette = view_->palette();
  palette.setColor(QPalette::Base, QToolTip::palette().color(QPalette::ToolTipBase));
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Highlight, QColor(0x33, 0x66, 0xCC));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  view_->setPalette(palette);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
  BuildPopups();

  connect(view_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
    const int button = SoundButtonOfLink(url.toString());
    if (button >= 0 && button < SoundButtonCount()) SoundButton(button)->Click();
  });
  connect(view_, &ArticleTextView::RightClicked, this, [this](const QPoint& pos, const QPoint& global) {
    if (QMenu* popup = PopupFor(pos)) popup->popup(global);
  });
}

ArticleView::~ArticleView() = default;

void ArticleView::BuildPopups() {
  wordPopup_ = new QMenu(this);
  wordPopup_->setObjectName(QStringLiteral("TntPopupMenu1"));
  wordCaption_ = wordPopup_->addAction(QString());
  wordCaption_->setObjectName(QStringLiteral("word1"));
  wordCaption_->setEnabled(false);
  wordPopup_->addSeparator();
  auto add = [this](QMenu* menu, const char* name, int tag, const QString& caption, auto signal) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setProperty("Tag", tag);
    connect(action, &QAction::triggered, this, [this, signal] { emit(this->*signal)(contextWord_); });
  };
  add(wordPopup_, "TntMenuItem3", 201, tr("Copy To Clipboard"), &ArticleView::CopyRequested);
  add(wordPopup_, "TntMenuItem4", 202, tr("Search word in list"), &ArticleView::SearchInListRequested);
  add(wordPopup_, "TntMenuItem5", 203, tr("Search word in dictionaries"), &ArticleView::IdxSearchRequested);
  selectionPopup_ = new QMenu(this);
  selectionPopup_->setObjectName(QStringLiteral("TntPopupMenu2"));
  add(selectionPopup_, "TntMenuItem1", 211, tr("Copy To Clipboard"), &ArticleView::CopyRequested);
  add(selectionPopup_, "TntMenuItem2", 212, tr("Search first word in list"), &ArticleView::SearchInListRequested);
  add(selectionPopup_, "Searchwordindictionaries1", 213, tr("Search word in dictionaries"),
      &ArticleView::IdxSearchRequested);
  // Pronounce: the headword from the word popup, the selection from the other.
  for (QMenu* menu : {wordPopup_, selectionPopup_}) {
    menu->addSeparator();
    QAction* action = menu->addAction(tr("Pronounce"));
    action->setObjectName(QLatin1String(menu == wordPopup_ ? "PronounceWord1" : "PronounceSelection1"));
    action->setProperty("Tag", 503);
    const bool selection = menu == selectionPopup_;
    connect(action, &QAction::triggered, this,
            [this, selection] { emit PronounceRequested(selection ? contextWord_ : QString()); });
  }
}

QMenu* ArticleView::PopupFor(const QPoint& viewportPos) {
  const QTextCursor selection = view_->textCursor();
  if (selection.hasSelection()) {
    contextWord_ = selection.selectedText();
    contextWord_.replace(QChar(0x2029), QStringLiteral("\r\n"));
    return selectionPopup_;
  }
  const QTextCursor at = view_->cursorForPosition(viewportPos);
  const QString word = TrimClickedWord(WordAt(at.block().text(), at.positionInBlock()));
  if (!word.isEmpty()) {
    contextWord_ = word;
    wordCaption_->setText(word);
  }
  return wordPopup_;
}

void ArticleView::ShowArticle(std::string_view article, const SoundSource& sounds) {
  soundButtons_.clear();
  ArticleDocumentSink sink(*view_->document(), [this, &sounds](const ArticleSoundItem& item) {
    soundButtons_.push_back(std::make_unique<TSoundButton>(sounds, item.number, soundOutput_));
    return static_cast<int>(soundButtons_.size()) - 1;
  });
  renderer_.DrawRVText(article, sink);
  view_->verticalScrollBar()->setValue(0);
  view_->viewport()->update();
}

void ArticleView::Clear() {
  soundButtons_.clear();
  view_->document()->clear();
  view_->viewport()->update();
}

QString ArticleView::PlainText() const { return view_->toPlainText(); }

}  // namespace lexmora::gui
