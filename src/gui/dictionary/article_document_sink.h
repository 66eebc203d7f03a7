// Builds the article view's document from the renderer's calls: text items
// as new paragraphs or appended runs with their style, highlight and
// paragraph layout; sound buttons as inline images that are links.
#pragma once

#include <QTextCursor>
#include <QTextDocument>

#include "article/article_renderer.h"

namespace lexmora::gui {

// Link target of the sound button for sound number n: "sound:n".
QString SoundLink(int number);
// The sound number of a link, -1 when it is no sound link.
int SoundNumberOfLink(const QString& link);

class ArticleDocumentSink : public lexmora::ArticleViewSink {
 public:
  // The document is cleared; the sink appends to it.
  explicit ArticleDocumentSink(QTextDocument& document);

  void AddText(const ArticleTextItem& item) override;
  void AddSoundButton(const ArticleSoundItem& item) override;
  void Format() override;

 private:
  void StartParagraph(const ParagraphLayout& layout);

  QTextDocument& document_;
  QTextCursor cursor_;
  bool first_ = true;
};

// The block format of a paragraph's nine layout values.
QTextBlockFormat ParagraphFormat(const ParagraphLayout& layout);

}  // namespace lexmora::gui
