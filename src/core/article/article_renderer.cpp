#include "article/article_renderer.h"

#include "text/code_page.h"

namespace lexmora {

ParagraphLayout IndentLayout(int level) {
  return {10 * level, 5, 10 * level - 10, 1, 2, 2, 0, 2, 2};
}

int ArticleRenderer::CurrentCodePage() const {
  if (style_ < 0 || style_ >= kArticleStyleCount) return 1251;  // the view's own style
  return StyleTextCodePage(styles_[static_cast<std::size_t>(style_)]);
}

void ArticleRenderer::AddRun(std::u16string text, ArticleViewSink& sink) {
  ArticleTextItem item;
  item.text = std::move(text);
  item.style = style_;
  item.newParagraph = newParagraph_;
  item.highlight = highlight_;
  item.layout = layout_;
  sink.AddText(item);
}

void ArticleRenderer::DrawRVText(std::string_view article, ArticleViewSink& sink) {
  newParagraph_ = true;
  highlight_ = false;
  layout_ = kArticleStartLayout;
  std::size_t i = 0;
  const std::size_t n = article.size();
  while (i < n) {
    const char c = article[i];
    if (c == kControlByte) {
      if (n - i < 4) break;  // an incomplete control sequence ends the article
      const auto kind = static_cast<std::uint8_t>(article[i + 1]);
      const auto a = static_cast<std::uint8_t>(article[i + 2]);
      const auto b = static_cast<std::uint8_t>(article[i + 3]);
      i += 4;
      switch (kind) {
        case kMarkupStyle:
          if (a <= kMaxStyleNumber) style_ = a;
          break;
        case kMarkupIndent:
          if (a <= kMaxIndentLevel) {
            if (!paragraphJustBegun_) newParagraph_ = true;
            if (a >= 1) layout_ = IndentLayout(a);
          }
          break;
        case kMarkupChar: {
          // One character in the current style. At the start of a paragraph
          // it begins that paragraph, so that the text after it continues the
          // same word instead of breaking onto a new line.
          const bool starts = newParagraph_;
          AddRun(std::u16string(1, static_cast<char16_t>(a | (b << 8))), sink);
          if (starts) newParagraph_ = paragraphJustBegun_ = false;
          break;
        }
        case kMarkupHighlightOn: highlight_ = true; break;
        case kMarkupHighlightOff: highlight_ = false; break;
        case kMarkupSound: {
          ArticleSoundItem item;
          item.number = 256 * a + b;
          item.newParagraph = newParagraph_;
          item.highlight = highlight_;
          item.layout = layout_;
          sink.AddSoundButton(item);
          break;
        }
        default:
          break;
      }
      continue;
    }
    if (c == kParagraphBreak) {
      if (newParagraph_) AddRun(u" ", sink);  // an empty line keeps its height
      ++i;
      if (i < n && article[i] == '\n') ++i;
      newParagraph_ = paragraphJustBegun_ = true;
      continue;
    }
    std::size_t end = i;
    while (end < n && article[end] != kControlByte && article[end] != kParagraphBreak) ++end;
    AddRun(ToUnicode(article.substr(i, end - i), CurrentCodePage()), sink);
    newParagraph_ = paragraphJustBegun_ = false;
    i = end;
  }
  sink.Format();
}

}  // namespace lexmora
