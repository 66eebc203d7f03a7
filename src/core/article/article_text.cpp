#include "article/article_text.h"

#include "text/code_page.h"

namespace lexmora {

namespace {

std::string Indent(const ParagraphLayout& layout) {
  return std::string(static_cast<std::size_t>(layout[0] > 0 ? layout[0] / 10 : 0) * 2, ' ');
}

}  // namespace

std::string ArticlePlainText(const RecordingArticleView& view, bool soundMarks) {
  std::string out;
  bool lineOpen = false;
  for (const auto& item : view.items) {
    if (item.isSound && !soundMarks) continue;
    const bool newParagraph = item.isSound ? item.sound.newParagraph : item.text.newParagraph;
    const auto& layout = item.isSound ? item.sound.layout : item.text.layout;
    if (newParagraph) {
      if (lineOpen) out += '\n';
      out += Indent(layout);
    }
    if (item.isSound) out += "[sound " + std::to_string(item.sound.number) + "]";
    else out += Utf16ToUtf8(item.text.text);
    lineOpen = true;
  }
  if (lineOpen) out += '\n';
  return out;
}

std::string ArticlePlainText(std::string_view article, bool soundMarks) {
  RecordingArticleView view;
  ArticleRenderer renderer;
  renderer.DrawRVText(article, view);
  return ArticlePlainText(view, soundMarks);
}

}  // namespace lexmora
