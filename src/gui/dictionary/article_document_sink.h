// Builds the article view's document from the renderer's calls: text items
// as new paragraphs or appended runs with their style, highlight and
// paragraph layout; sound buttons as inline images that are links.
#pragma once

#include <QTextCursor>
#include <QTextDocument>

#include <functional>

#include "article/article_renderer.h"

namespace lexmora::gui {

// Link target of the article's sound button number i (0-based, in article
// order): "sound:i".
QString SoundLink(int button);
// The button number of a link, -1 when it is no sound link.
int SoundButtonOfLink(const QString& link);

// Size of a sound button in the article, and of its glyph.
inline constexpr int kSoundButtonSize = 19;
inline constexpr int kSoundGlyphSize = 17;

class ArticleDocumentSink : public lexmora::ArticleViewSink {
 public:
  // Makes the button of a sound mark and returns its number in the article.
  using SoundButtonMaker = std::function<int(const ArticleSoundItem&)>;

  // The document is cleared; the sink appends to it. Without a maker the
  // buttons are numbered in article order.
  explicit ArticleDocumentSink(QTextDocument& document, SoundButtonMaker makeButton = {});

  void AddText(const ArticleTextItem& item) override;
  void AddSoundButton(const ArticleSoundItem& item) override;
  void Format() override;

 private:
  void StartParagraph(const ParagraphLayout& layout);

  QTextDocument& document_;
  QTextCursor cursor_;
  bool first_ = true;
  SoundButtonMaker makeButton_;
  int buttons_ = 0;
};

// The block format of a paragraph's nine layout values.
QTextBlockFormat ParagraphFormat(const ParagraphLayout& layout);

}  // namespace lexmora::gui
