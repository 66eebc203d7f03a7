#include "import/xdxf_text_flow.h"

#include <cstdint>
#include <cstring>

#include <unicode/ustring.h>

#include "text/code_page.h"

namespace lexmora {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

// Characters a space does not go before (or after).
bool TakesNoSpaceBefore(char16_t c) {
  return c == u',' || c == u'.' || c == u';' || c == u':' || c == u'!' || c == u'?' || c == u')' || c == u']';
}
bool TakesNoSpaceAfter(char16_t c) { return c == u'(' || c == u'['; }

// UTF-8 into a buffer kept for the next call (invalid sequences become
// U+FFFD); ASCII, most of the text, is widened without ICU.
void ToUtf16(const char* utf8, std::u16string& out) {
  const std::size_t size = std::strlen(utf8);
  if (size > INT32_MAX) {
    out = Utf8ToUtf16(utf8);
    return;
  }
  out.resize(size);
  std::size_t ascii = 0;
  while (ascii < size && static_cast<unsigned char>(utf8[ascii]) < 0x80) {
    out[ascii] = static_cast<char16_t>(utf8[ascii]);
    ++ascii;
  }
  if (ascii == size) return;
  UErrorCode status = U_ZERO_ERROR;
  int32_t length = 0;
  u_strFromUTF8WithSub(out.data() + ascii, static_cast<int32_t>(size - ascii), &length, utf8 + ascii,
                       static_cast<int32_t>(size - ascii), 0xFFFD, nullptr, &status);
  out.resize(ascii + (U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0));
}

}  // namespace

XdxfTextFlow::XdxfTextFlow(ArticleBuilder& builder, bool logical)
    : b_(builder), logical_(logical), lineStart_(builder.AtParagraphStart()) {
  // After the head line, what follows on the same line is set off by a space.
  if (!lineStart_) sep_ = u" ";
}

// A stretch whose blanks are single spaces goes to the builder as it is.
void XdxfTextFlow::Chars(const char* utf8, int level) {
  ToUtf16(utf8, text_);
  const std::u16string_view text = text_;
  std::size_t start = 0;  // of the stretch not yet written
  std::size_t i = 0;
  while (i < text.size()) {
    if (!IsBlank(text[i])) {
      ++i;
      continue;
    }
    std::size_t j = i;
    bool lineBreak = false;
    for (; j < text.size() && IsBlank(text[j]); ++j) lineBreak = lineBreak || text[j] == u'\n';
    const bool keep = j - i == 1 && text[i] == u' ' && i > start && j < text.size() &&
                      (!logical_ || (!TakesNoSpaceBefore(text[j]) && !TakesNoSpaceAfter(text[i - 1])));
    if (!keep) {
      if (i > start) Emit(text.substr(start, i - start));
      if (lineBreak && !logical_) {
        Break(level);
      } else {
        Separate(u" ");
      }
      start = j;
    }
    i = j;
  }
  if (start < text.size()) Emit(text.substr(start));
}

void XdxfTextFlow::Emit(std::u16string_view run) {
  if (run.empty()) return;
  FlushPending(run.front());
  b_.Text(run);
  last_ = run.back();
  lineStart_ = false;
}

void XdxfTextFlow::Sound(int k) {
  FlushPending(u'x');
  b_.Sound(k);
  lineStart_ = false;
  last_ = 0;
  SoftSpace();
}

void XdxfTextFlow::Separate(std::u16string_view separator) {
  if (separator.size() > sep_.size()) sep_ = separator;
}

void XdxfTextFlow::SoftSpace() {
  if (logical_) Separate(u" ");
}

void XdxfTextFlow::Push(int style) {
  if (break_ < 0 && !sep_.empty() && !lineStart_ && SeparatorFits(u'x')) {
    b_.Text(sep_);
    last_ = sep_.back();
    sep_ = {};
  }
  b_.PushStyle(style);
}

// Spaces this program puts between the parts of the logical form keep clear
// of punctuation and brackets.
bool XdxfTextFlow::SeparatorFits(char16_t next) const {
  if (sep_ != u" " || !logical_) return true;
  return !TakesNoSpaceBefore(next) && !TakesNoSpaceAfter(last_);
}

void XdxfTextFlow::FlushPending(char16_t next) {
  if (break_ >= 0) {
    b_.EnsureParagraph(break_);
    break_ = -1;
    lineStart_ = true;
  } else if (!sep_.empty() && !lineStart_ && SeparatorFits(next)) {
    b_.Text(sep_);
    last_ = sep_.back();
  }
  sep_ = {};
}

}  // namespace lexmora
