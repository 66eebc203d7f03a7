// Builds the bytes of one article in this program's markup: text in the code
// page of the current style (what it lacks as character tags), style and
// indent tags only where they change, paragraphs joined with CR LF, and
// sound buttons.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "import/import_styles.h"

namespace lexmora {

class ArticleBuilder {
 public:
  explicit ArticleBuilder(const ImportStyles& styles) : styles_(styles), style_(styles.text) {}

  const ImportStyles& Styles() const { return styles_; }

  // The style of the text that follows.
  void SetStyle(int style);
  int Style() const { return style_; }
  // A style for a marked part and back to the one before it.
  void PushStyle(int style);
  void PopStyle();

  // Text; a line feed in it starts a new paragraph at the same indent.
  void Text(std::u16string_view text);
  void TextUtf8(std::string_view utf8);
  // A new paragraph; with level >= 0 (at most 20) at that indent. The
  // article view keeps the last indent for level 0 (it only breaks the
  // line), so article bodies go at level 1 and deeper; the head line alone
  // stands at the margin.
  void Paragraph(int level = -1);
  // Starts a paragraph unless the article is empty or one was just started.
  void EnsureParagraph(int level = -1);
  // The pronunciation button of sound k (1-based) of the sub-dictionary.
  void Sound(int k);
  // The head line: the headword in the headword style. Call first.
  void Head(std::u16string_view headword);

  bool Empty() const { return out_.empty(); }
  // Nothing written since the last paragraph began (or at all).
  bool AtParagraphStart() const { return atParagraphStart_; }
  // The article bytes; the builder starts again empty.
  std::string Take();

 private:
  void EmitStyle();

  ImportStyles styles_;
  int style_;
  int emittedStyle_ = -1;
  int indent_ = 0;
  bool atParagraphStart_ = true;
  std::vector<int> stack_;
  std::string out_;
};

}  // namespace lexmora
