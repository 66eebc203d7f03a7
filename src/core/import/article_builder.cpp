#include "import/article_builder.h"

#include <algorithm>

#include "article/article_markup.h"
#include "article/article_styles.h"
#include "article/markup_encoder.h"
#include "text/code_page.h"

namespace lexmora {

void ArticleBuilder::SetStyle(int style) { style_ = std::clamp(style, 0, kMaxStyleNumber); }

void ArticleBuilder::PushStyle(int style) {
  stack_.push_back(style_);
  SetStyle(style);
}

void ArticleBuilder::PopStyle() {
  if (stack_.empty()) return;
  style_ = stack_.back();
  stack_.pop_back();
}

void ArticleBuilder::EmitStyle() {
  if (emittedStyle_ == style_) return;
  out_ += MarkupTag(kMarkupStyle, static_cast<std::uint8_t>(style_), 0xFF);
  emittedStyle_ = style_;
}

void ArticleBuilder::Text(std::u16string_view text) {
  while (!text.empty()) {
    const std::size_t lf = text.find(u'\n');
    std::u16string_view part = text.substr(0, lf);
    if (!part.empty()) {
      EmitStyle();
      AppendEncodedText(out_, part, StyleTextCodePage(ArticleStyleTable()[static_cast<std::size_t>(style_)]));
      atParagraphStart_ = false;
    }
    if (lf == std::u16string_view::npos) break;
    Paragraph();
    text.remove_prefix(lf + 1);
  }
}

void ArticleBuilder::TextUtf8(std::string_view utf8) { Text(Utf8ToUtf16(utf8)); }

void ArticleBuilder::Paragraph(int level) {
  if (!out_.empty()) out_ += "\r\n";
  atParagraphStart_ = true;
  if (level < 0) return;
  level = std::min(level, kMaxIndentLevel);
  if (level == indent_) return;
  out_ += MarkupTag(kMarkupIndent, static_cast<std::uint8_t>(level), 0xFF);
  indent_ = level;
}

void ArticleBuilder::EnsureParagraph(int level) {
  if (out_.empty() || atParagraphStart_) {
    if (level >= 0 && level != indent_ && !out_.empty()) {
      level = std::min(level, kMaxIndentLevel);
      out_ += MarkupTag(kMarkupIndent, static_cast<std::uint8_t>(level), 0xFF);
      indent_ = level;
    }
    return;
  }
  Paragraph(level);
}

void ArticleBuilder::Sound(int k) {
  if (k < 1 || k > 0xFFFF) return;
  EmitStyle();
  out_ += MarkupTag(kMarkupSound, static_cast<std::uint8_t>(k >> 8), static_cast<std::uint8_t>(k & 0xFF));
  atParagraphStart_ = false;
}

void ArticleBuilder::Head(std::u16string_view headword) {
  SetStyle(styles_.headword);
  Text(headword);
  SetStyle(styles_.text);
}

std::string ArticleBuilder::Take() {
  // An exact copy: the buffer keeps its room for the next article, and a
  // dictionary's hundreds of thousands of articles carry no spare capacity.
  std::string out(out_);
  out_.clear();
  style_ = styles_.text;
  emittedStyle_ = -1;
  indent_ = 0;
  atParagraphStart_ = true;
  stack_.clear();
  return out;
}

}  // namespace lexmora
