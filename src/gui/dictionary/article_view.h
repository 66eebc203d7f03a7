// The article pane (Frame21): a read-only rich text view (RichView1) on the
// tooltip-coloured background, filled through the core's markup walk, with
// the two right-click popups.
#pragma once

#include <QTextBrowser>
#include <QWidget>

#include <memory>
#include <string_view>
#include <vector>

#include "article/article_renderer.h"
#include "sound_button.h"

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
  // Where the sound buttons play; silent while none is set.
  void SetSoundOutput(platform::SoundOutput* output) { soundOutput_ = output; }
  // Shows an unscrambled article; the current style carries over from the
  // previous article as the renderer keeps it. Every sound mark becomes a
  // button playing from the source's archive; the buttons of the previous
  // article go with it.
  void ShowArticle(std::string_view article, const SoundSource& sounds = {});
  void Clear();
  int SoundButtonCount() const { return static_cast<int>(soundButtons_.size()); }
  TSoundButton* SoundButton(int i) const { return soundButtons_[static_cast<std::size_t>(i)].get(); }
  QString PlainText() const;
  const QString& ContextWord() const { return contextWord_; }

  // The right-click handler: by the selection or the clicked word, sets the
  // context word and returns the popup to show (not shown here).
  QMenu* PopupFor(const QPoint& viewportPos);

 signals:
  void CopyRequested(const QString& word);
  void SearchInListRequested(const QString& word);
  void IdxSearchRequested(const QString& word);
  // Pronounce in a popup: the selected text, or empty for the headword.
  void PronounceRequested(const QString& selection);

 private:
  void BuildPopups();

  ArticleTextView* view_;
  lexmora::ArticleRenderer renderer_;
  QString contextWord_;
  QMenu* wordPopup_ = nullptr;       // TntPopupMenu1
  QMenu* selectionPopup_ = nullptr;  // TntPopupMenu2
  QAction* wordCaption_ = nullptr;   // word1
  platform::SoundOutput* soundOutput_ = nullptr;
  std::vector<std::unique_ptr<TSoundButton>> soundButtons_;
};

}  // namespace lexmora::gui
