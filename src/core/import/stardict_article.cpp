#include "import/stardict_article.h"

#include <unicode/utf8.h>

#include <algorithm>

#include "import/xdxf_article.h"
#include "text/code_page.h"
#include "text/text_lines.h"
#include "text/trim.h"

namespace lexmora {
namespace {

// The body of an article is indented under its head line, as in this
// program's own dictionaries.
constexpr int kBodyLevel = 1;

// A field's text without the blank lines before and the blanks after it;
// the blanks that begin its first line stay (they indent it).
std::string_view TrimField(std::string_view text) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n')
      start = i + 1;
    else if (c != ' ' && c != '\t' && c != '\r')
      break;
  }
  text.remove_prefix(std::min(start, text.size()));
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r' || text.back() == '\n'))
    text.remove_suffix(1);
  return text;
}

bool IsValidUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  for (std::size_t i = 0; i < text.size();) {
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    const auto length = static_cast<std::int32_t>(std::min<std::size_t>(text.size() - i, 4));
    std::int32_t at = 0;
    UChar32 c;
    U8_NEXT(bytes + i, at, length, c);
    if (c < 0) return false;
    i += static_cast<std::size_t>(at);
  }
  return true;
}

}  // namespace

StarDictArticleWriter::StarDictArticleWriter(const ImportStyles& styles, StarDictSounds& sounds)
    : builder_(styles),
      sounds_(sounds),
      text_(builder_, [this](std::string_view name) { return sounds_.FromResource(name); }) {}

std::string StarDictArticleWriter::Write(std::u16string_view headword, const std::vector<StarDictField>& fields,
                                         std::string& why) {
  if (headword.find(u'\n') == std::u16string_view::npos) {
    builder_.Head(headword);
  } else {
    // The head line is one line whatever the file holds.
    scratch_.assign(headword);
    std::replace(scratch_.begin(), scratch_.end(), u'\n', u' ');
    builder_.Head(scratch_);
  }
  // Transcriptions and sound buttons on the head line, where a reader looks
  // for the pronunciation.
  bool shown = false;
  for (const StarDictField& field : fields) {
    if (field.type == 't')
      shown |= Transcription(field.data);
    else if (field.type == 'r')
      shown |= Resources(field.data);
    else if (field.type == 'W')
      shown |= Sound(sounds_.FromData(field.data));
  }
  std::string leftOut;
  for (const StarDictField& field : fields) {
    if (std::string_view("mlyghx").find(field.type) != std::string_view::npos) {
      shown |= Body(field);
    } else if (std::string_view("trW").find(field.type) == std::string_view::npos &&
               leftOut.find(field.type) == std::string::npos) {
      leftOut += field.type;
    }
  }
  if (!shown) {
    builder_.Take();
    why = leftOut.empty() ? "empty article" : "no text, only data of type " + leftOut;
    return {};
  }
  return builder_.Take();
}

bool StarDictArticleWriter::Transcription(std::string_view utf8) {
  std::u16string text = Trim(Utf8ToUtf16(utf8));
  if (text.empty()) return false;
  std::replace(text.begin(), text.end(), u'\n', u' ');
  builder_.Text(u" [");
  builder_.PushStyle(builder_.Styles().transcription);
  builder_.Text(text);
  builder_.PopStyle();
  builder_.Text(u"]");
  return true;
}

bool StarDictArticleWriter::Sound(int number) {
  if (number == 0) return false;
  builder_.Text(u" ");
  builder_.Sound(number);
  return true;
}

// A button for each sound the list names ("snd:a.wav"); pictures, videos
// and attachments are left out.
bool StarDictArticleWriter::Resources(std::string_view list) {
  bool any = false;
  for (std::string_view line : SplitLines(list)) {
    line = TrimBlanks(line);
    if (line.substr(0, 4) == "snd:") any |= Sound(sounds_.FromResource(TrimBlanks(line.substr(4))));
  }
  return any;
}

bool StarDictArticleWriter::Body(const StarDictField& field) {
  const std::string_view text = TrimField(field.data);
  switch (field.type) {
    case 'g':
      return text_.Append(text, TextMarkup::kPango, kBodyLevel);
    case 'h':
      return text_.Append(text, TextMarkup::kHtml, kBodyLevel);
    case 'x': {
      if (TrimBlanks(text).empty()) return false;
      builder_.EnsureParagraph(kBodyLevel);
      XdxfArticleOptions options;
      options.sound = [this](const XdxfSoundRef& ref) { return ref.start == 0 && ref.size == 0 ? sounds_.FromResource(ref.file) : 0; };
      AppendXdxfArticle(text, builder_, options);
      return true;
    }
    case 'l':
      // Text "in the locale's encoding": UTF-8 where it is valid, else the
      // Western code page of the time such files were written.
      if (!IsValidUtf8(text)) return text_.Append(Utf16ToUtf8(ToUnicode(text, 1252)), TextMarkup::kPlain, kBodyLevel);
      return text_.Append(text, TextMarkup::kPlain, kBodyLevel);
    default:
      return text_.Append(text, TextMarkup::kPlain, kBodyLevel);
  }
}

}  // namespace lexmora
