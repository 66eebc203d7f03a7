#include "import/dsl_markup.h"

#include <algorithm>

#include "text/code_page.h"

namespace lexmora {
namespace {

// Deeper nesting is left unstyled: it only comes from broken files, and the
// closing tags search the open ones.
constexpr std::size_t kMaxOpenTags = 32;
constexpr std::size_t kMaxTagName = 16;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

// The characters the body markup gives a meaning.
bool IsMarkupChar(char16_t c) { return c == u'\\' || c == u'[' || c == u'<' || c == u'>' || c == u'~'; }

bool IsTagNameChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'!' ||
         c == u'*' || c == u'\'' || c == u'_' || c == u'-';
}

// "[b]", "[/c]", "[c red]", "[m2]": a name of tag characters, then blanks
// and whatever the tag takes. Other bracketed text is text.
bool IsTag(std::u16string_view content) {
  if (!content.empty() && content.front() == u'/') content.remove_prefix(1);
  std::size_t n = 0;
  while (n < content.size() && IsTagNameChar(content[n])) ++n;
  return n > 0 && n <= kMaxTagName && (n == content.size() || IsBlank(content[n]));
}

// The margin of "m", "m0".."m9" (and longer numbers); -1 for other names.
int MarginOf(std::u16string_view name) {
  if (name.empty() || name.front() != u'm') return -1;
  if (name.size() == 1) return 1;
  int level = 0;
  for (char16_t c : name.substr(1)) {
    if (c < u'0' || c > u'9') return -1;
    level = std::min(level * 10 + (c - u'0'), 99);
  }
  return level;
}

}  // namespace

void DslBodyWriter::Start(std::u16string_view tilde) {
  tilde_ = tilde;
  run_.clear();
  media_.clear();
  inMedia_ = false;
  open_.clear();
  margin_ = -1;
  paragraphDue_ = false;
}

void DslBodyWriter::StartParagraph() {
  if (!paragraphDue_) return;
  b_.EnsureParagraph(margin_ >= 0 ? margin_ : 1);
  paragraphDue_ = false;
}

void DslBodyWriter::Flush() {
  if (run_.empty()) return;
  StartParagraph();
  int style = b_.Styles().text;
  for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
    if (it->style >= 0) {
      style = it->style;
      break;
    }
  }
  b_.SetStyle(style);
  b_.Text(run_);
  run_.clear();
}

void DslBodyWriter::Line(std::u16string_view line) {
  paragraphDue_ = true;
  for (std::size_t i = 0; i < line.size(); ++i) {
    // Plain text goes over in runs.
    std::size_t plain = i;
    while (plain < line.size() && !IsMarkupChar(line[plain])) ++plain;
    if (plain > i) {
      (inMedia_ ? media_ : run_).append(line.data() + i, plain - i);
      i = plain;
      if (i == line.size()) break;
    }
    const char16_t c = line[i];
    const char16_t next = i + 1 < line.size() ? line[i + 1] : u'\0';
    if (c == u'\\' && i + 1 < line.size()) {
      Put(line[++i]);
    } else if (c == u'[') {
      // The tag ends at the next bracket unless that opens another: a stray
      // '[' costs no search to the end of the line.
      const std::size_t end = line.find_first_of(u"[]", i + 1);
      if (end != std::u16string_view::npos && line[end] == u']' && IsTag(line.substr(i + 1, end - i - 1))) {
        Tag(line.substr(i + 1, end - i - 1));
        i = end;
      } else {
        Put(c);
      }
    } else if (c == u'<' && next == u'<' && !inMedia_) {
      Open(u"<<", b_.Styles().link);
      ++i;
    } else if (c == u'>' && next == u'>' && !inMedia_ && Close(u"<<")) {
      ++i;
    } else if (c == u'~' && !tilde_.empty() && !inMedia_) {
      run_ += tilde_;
    } else {
      Put(c);
    }
  }
  if (inMedia_) {  // a file name never runs over lines
    inMedia_ = false;
    media_.clear();
  }
  Flush();
}

void DslBodyWriter::LinkLine(std::u16string_view text) {
  Flush();
  paragraphDue_ = true;
  StartParagraph();
  b_.SetStyle(b_.Styles().link);
  b_.Text(text);
}

void DslBodyWriter::Tag(std::u16string_view tag) {
  const bool closing = tag.front() == u'/';
  if (closing) tag.remove_prefix(1);
  std::size_t n = 0;
  while (n < tag.size() && !IsBlank(tag[n])) ++n;
  const std::u16string_view name = tag.substr(0, n);
  std::u16string_view attribute = tag.substr(n);
  while (!attribute.empty() && IsBlank(attribute.front())) attribute.remove_prefix(1);

  if (name == u"s") {
    if (closing && inMedia_) EndMedia();
    if (!closing && !inMedia_) {
      Flush();
      inMedia_ = true;
      media_.clear();
    }
    return;
  }
  if (inMedia_) return;  // tags inside a file name are no part of it
  const int margin = MarginOf(name);
  if (margin >= 0) {
    Flush();
    margin_ = closing ? -1 : margin;
    if (!closing) paragraphDue_ = true;
    return;
  }
  if (closing) {
    Close(name);
    return;
  }
  if (name == u"br") {
    Flush();
    paragraphDue_ = true;
    return;
  }
  const ImportStyles& s = b_.Styles();
  int style = -1;
  if (name == u"b") style = s.bold;
  else if (name == u"i") style = s.italic;
  else if (name == u"u") style = s.underline;
  else if (name == u"c") style = attribute.empty() ? s.green : ColourStyle(attribute);
  else if (name == u"trn" || name == u"!trs") style = s.text;
  else if (name == u"ex") style = s.example;
  else if (name == u"com") style = s.comment;
  else if (name == u"p") style = s.label;
  else if (name == u"t") style = s.transcription;
  else if (name == u"ref" || name == u"url") style = s.link;
  // [lang], [*], [sup], [sub], ['] and tags not known: their text as it is.
  Open(name, style);
}

// Dictionaries use a few colours over and over.
int DslBodyWriter::ColourStyle(std::u16string_view colour) {
  if (colour != lastColour_) {
    lastColour_ = colour;
    lastColourStyle_ = StyleForColour(b_.Styles(), Utf16ToUtf8(colour));
  }
  return lastColourStyle_;
}

void DslBodyWriter::Open(std::u16string_view name, int style) {
  if (open_.size() >= kMaxOpenTags) return;
  Flush();
  open_.push_back({std::u16string(name), style});
}

bool DslBodyWriter::Close(std::u16string_view name) {
  for (std::size_t k = open_.size(); k-- > 0;) {
    if (open_[k].name != name) continue;
    if (name == u"'") run_ += u'\u0301';  // the stress mark over the letter just written
    Flush();
    open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(k));
    return true;
  }
  return false;
}

void DslBodyWriter::EndMedia() {
  inMedia_ = false;
  std::u16string_view name = media_;
  while (!name.empty() && IsBlank(name.front())) name.remove_prefix(1);
  while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
  const int k = name.empty() || !sounds_ ? 0 : sounds_(name);
  if (k > 0) {
    StartParagraph();
    b_.Sound(k);
  }
  media_.clear();
}

}  // namespace lexmora
