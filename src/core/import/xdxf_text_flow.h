// Text going into an article the way XDXF lays it out: the file's blanks run
// together, line breaks of the visual form made paragraph breaks, and breaks
// and separators held back until text follows, so that an article never ends
// in an empty paragraph or a space and no paragraph begins with one.
#pragma once

#include <string>
#include <string_view>

#include "import/article_builder.h"

namespace lexmora {

class XdxfTextFlow {
 public:
  // logical: the logical form, whose parts this program spaces itself.
  XdxfTextFlow(ArticleBuilder& builder, bool logical);

  // Text of the file (UTF-8); a line break of the visual form starts a
  // paragraph at the indent level.
  void Chars(const char* utf8, int level);
  // Text as it is, after what is pending.
  void Emit(std::u16string_view run);
  void Sound(int k);

  // A paragraph at an indent before the next text; the last asked for wins.
  void Break(int level) { break_ = level; }
  // A separator before the next text on the same line; the longest wins.
  void Separate(std::u16string_view separator);
  // The space after a part of the logical form (none in the visual form,
  // which has its spaces in the text).
  void SoftSpace();

  // A style for a part, and back. A pending separator is written before the
  // change, in the style of the text it follows.
  void Push(int style);
  void Pop() { b_.PopStyle(); }

  char16_t Last() const { return last_; }

 private:
  bool SeparatorFits(char16_t next) const;
  void FlushPending(char16_t next);

  ArticleBuilder& b_;
  const bool logical_;
  bool lineStart_;
  std::u16string_view sep_;  // pending separator: a space, ", ", " - "
  int break_ = -1;           // the indent of a pending paragraph; -1: none
  char16_t last_ = 0;        // the last character written
  std::u16string text_;      // kept from one text to the next
};

}  // namespace lexmora
