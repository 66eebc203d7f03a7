#include "article/article_text.h"

#include <cstdio>

#include "text/code_page.h"

namespace lexmora {

namespace {

std::string Indent(const ParagraphLayout& layout) {
  return std::string(static_cast<std::size_t>(layout[0] > 0 ? layout[0] / 10 : 0) * 2, ' ');
}

std::string HtmlEscaped(std::u16string_view text) {
  std::string out;
  for (char c : Utf16ToUtf8(text)) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
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

std::string ArticleHtml(std::string_view article) {
  RecordingArticleView view;
  ArticleRenderer renderer;
  renderer.DrawRVText(article, view);
  const ArticleStyleArray& styles = ArticleStyleTable();
  std::string out;
  bool open = false;
  for (const auto& item : view.items) {
    if (item.isSound) continue;
    const ArticleTextItem& t = item.text;
    if (t.newParagraph || !open) {
      if (open) out += "</p>\n";
      const int indent = t.layout[0] > 0 ? t.layout[0] / 10 : 0;
      out += indent > 0 ? "<p style=\"margin-left:" + std::to_string(indent) + "em\">" : std::string("<p>");
      open = true;
    }
    std::string run = HtmlEscaped(t.text);
    if (t.style >= 0 && t.style < kArticleStyleCount) {
      const TFontInfo& style = styles[static_cast<std::size_t>(t.style)];
      if (style.colour != 0) {
        char colour[8];
        std::snprintf(colour, sizeof colour, "%02x%02x%02x", style.colour & 0xFF, (style.colour >> 8) & 0xFF,
                      (style.colour >> 16) & 0xFF);
        run = "<span style=\"color:#" + std::string(colour) + "\">" + run + "</span>";
      }
      if (style.fontStyle & kUnderline) run = "<u>" + run + "</u>";
      if (style.fontStyle & kItalic) run = "<i>" + run + "</i>";
      if (style.fontStyle & kBold) run = "<b>" + run + "</b>";
    }
    out += run;
  }
  if (open) out += "</p>\n";
  return out;
}

}  // namespace lexmora
