// The article pane (Frame21): a read-only rich text view (RichView1) on the
// tooltip-coloured background, filled through the core's markup walk, with
// the two right-click popups.
#pragma once

#include <QTextBrowser>
#include <QWidget>

#include <memory>
#include <string_view>

#include "article/article_renderer.h"

class QMenu;
class QAction;

namespace lexmora::gui {

class ArticleTextView : public QTextBrowser {
  Q_OBJECT
 public:
  explicit ArticleTextView(QWidget* parent = nullptr);

 signals:
  void RightClicked(const QPoint& viewportPos, const QPoint& globalPos);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
};

class ArticleView : public QWidget {
  Q_OBJECT
 public:
  explicit ArticleView(QWidget* parent = nullptr);
  ~ArticleView() override;

  ArticleTextView* View() const { return view_; }
  // Shows an unscrambled article; the current style carries over from the
  // previous article as the renderer keeps it.
  void ShowArticle(std::string_view article);
  void Clear();
  QString PlainText() const;
  const QString& ContextWord() const { return contextWord_; }

  // The right-click handler: by the selection or the clicked word, sets the
  // context word and returns the popup to show (not shown here).
  QMenu* PopupFor(const QPoint& viewportPos);

 signals:
  void CopyRequested(const QString& word);
  void SearchInListRequested(const QString& word);
  void IdxSearchRequested(const QString& word);
  void SoundClicked(int number);

 private:
  void BuildPopups();

  ArticleTextView* view_;
  lexmora::ArticleRenderer renderer_;
  QString contextWord_;
  QMenu* wordPopup_ = nullptr;       // TntPopupMenu1
  QMenu* selectionPopup_ = nullptr;  // TntPopupMenu2
  QAction* wordCaption_ = nullptr;   // word1
};

}  // namespace lexmora::gui
