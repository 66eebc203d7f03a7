#include "lists/flashcard_export.h"

#include <cstdio>

#include "article/article_renderer.h"
#include "dictionary/file_io.h"
#include "dictionary/lookup.h"
#include "session/session.h"
#include "text/code_page.h"

namespace lexmora {

namespace {

class HtmlSink : public ArticleViewSink {
 public:
  explicit HtmlSink(const ArticleStyleArray& styles) : styles_(styles) {}

  void AddText(const ArticleTextItem& item) override {
    if (item.newParagraph || !open_) StartParagraph(item.layout);
    const TFontInfo* style =
        item.style >= 0 && item.style < kArticleStyleCount ? &styles_[static_cast<std::size_t>(item.style)] : nullptr;
    std::string css;
    if (style) {
      char colour[16];
      const std::uint32_t c = style->colour;
      std::snprintf(colour, sizeof colour, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
      if (c != 0) css += std::string("color:") + colour + ";";
      if (style->fontStyle & kBold) css += "font-weight:bold;";
      if (style->fontStyle & kItalic) css += "font-style:italic;";
      if (style->fontStyle & kUnderline) css += "text-decoration:underline;";
    }
    const std::string text = HtmlText(item.text);
    if (css.empty()) html += text;
    else html += "<span style=\"" + css + "\">" + text + "</span>";
  }
  void AddSoundButton(const ArticleSoundItem& item) override {
    if (item.newParagraph || !open_) StartParagraph(item.layout);
  }
  void Format() override {
    if (open_) html += "</div>";
    open_ = false;
  }

  std::string html;

 private:
  void StartParagraph(const ParagraphLayout& layout) {
    if (open_) html += "</div>";
    open_ = true;
    // The first layout value is the paragraph's left indent.
    if (layout[0] > 0) html += "<div style=\"margin-left:" + std::to_string(layout[0]) + "px\">";
    else html += "<div>";
  }
  const ArticleStyleArray& styles_;
  bool open_ = false;
};

}  // namespace

std::string HtmlText(std::u16string_view text) {
  std::string out;
  for (char c : Utf16ToUtf8(text)) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\t': case '\r': case '\n': out += ' '; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string ArticleHtml(std::string_view article, const ArticleStyleArray& styles) {
  HtmlSink sink(styles);
  ArticleRenderer renderer(styles);
  renderer.DrawRVText(article, sink);
  return sink.html;
}

FlashCardExport ExportFlashCards(Session& session, const NotepadARRAY& marks) {
  FlashCardExport cards;
  cards.text = "#separator:tab\n#html:true\n";
  for (std::uint32_t entry : BuildViewList(marks)) {
    if (static_cast<int>(entry) >= session.Current().EntryCount()) break;
    cards.text += HtmlText(session.Headword(static_cast<int>(entry)));
    cards.text += '\t';
    cards.text += ArticleHtml(session.ArticleText(static_cast<int>(entry)));
    cards.text += '\n';
    ++cards.rows;
  }
  return cards;
}

bool WriteFlashCardFile(const std::filesystem::path& path, const FlashCardExport& cards) {
  return WriteFileAtomically(path, cards.text);
}

}  // namespace lexmora
