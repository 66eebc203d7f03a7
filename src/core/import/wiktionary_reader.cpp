#include "import/wiktionary_reader.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <simdjson.h>

#include "import/article_builder.h"
#include "import/gzip_file.h"
#include "import/language_codes.h"
#include "text/code_page.h"
#include "text/text_lines.h"

namespace lexmora {

namespace fs = std::filesystem;
namespace dom = simdjson::dom;

namespace {

std::string_view StringField(const dom::object& o, std::string_view key) {
  std::string_view value;
  if (o[key].get_string().get(value) != simdjson::SUCCESS) return {};
  return value;
}

bool ArrayField(const dom::object& o, std::string_view key, dom::array& out) {
  return o[key].get_array().get(out) == simdjson::SUCCESS;
}

// The strings of an array field; what is not a string is passed over.
std::vector<std::string_view> Strings(const dom::object& o, std::string_view key) {
  std::vector<std::string_view> out;
  dom::array array;
  if (!ArrayField(o, key, array)) return out;
  for (dom::element e : array) {
    std::string_view s;
    if (e.get_string().get(s) == simdjson::SUCCESS && !s.empty()) out.push_back(s);
  }
  return out;
}

// Tags wiktextract uses for its own bookkeeping rather than for the reader.
bool IsBookkeepingTag(std::string_view tag) {
  return tag == "form-of" || tag == "alt-of" || tag == "no-gloss" || tag == "table-tags" || tag == "class" ||
         tag == "inflection-template" || tag == "canonical" || tag.rfind("error", 0) == 0;
}

std::string JoinTags(const std::vector<std::string_view>& tags, std::string_view separator) {
  std::string out;
  for (std::string_view t : tags) {
    if (IsBookkeepingTag(t)) continue;
    if (!out.empty()) out += separator;
    out += t;
  }
  return out;
}

constexpr std::size_t kMaxIpa = 2;
constexpr std::size_t kMaxForms = 8;

class WiktionaryArticle {
 public:
  explicit WiktionaryArticle(const ImportStyles& styles) : b_(styles), s_(styles) {}

  // The article of an entry; empty when it has no gloss to show.
  std::string Build(const dom::object& entry, std::u16string_view word) {
    b_.Head(word);
    HeadIpa(entry);
    Forms(entry, word);
    if (!Senses(entry)) {
      b_.Take();
      return {};
    }
    return b_.Take();
  }

 private:
  void Styled(int style, std::string_view utf8) {
    b_.SetStyle(style);
    b_.TextUtf8(utf8);
    b_.SetStyle(s_.text);
  }

  void HeadIpa(const dom::object& entry) {
    dom::array sounds;
    if (!ArrayField(entry, "sounds", sounds)) return;
    std::vector<std::string_view> shown;
    for (dom::element e : sounds) {
      dom::object sound;
      if (e.get_object().get(sound) != simdjson::SUCCESS) continue;
      const std::string_view ipa = StringField(sound, "ipa");
      if (ipa.empty() || std::find(shown.begin(), shown.end(), ipa) != shown.end()) continue;
      b_.Text(shown.empty() ? u" " : u", ");
      Styled(s_.transcription, ipa);
      shown.push_back(ipa);
      if (shown.size() == kMaxIpa) break;
    }
  }

  // A short line of the inflected forms; they are not headwords of their own.
  void Forms(const dom::object& entry, std::u16string_view word) {
    dom::array forms;
    if (!ArrayField(entry, "forms", forms)) return;
    const std::string wordUtf8 = Utf16ToUtf8(word);
    std::vector<std::string_view> shown;
    for (dom::element e : forms) {
      dom::object form;
      if (e.get_object().get(form) != simdjson::SUCCESS) continue;
      const std::string_view text = StringField(form, "form");
      const std::vector<std::string_view> tags = Strings(form, "tags");
      const bool bookkeeping = std::any_of(tags.begin(), tags.end(), IsBookkeepingTag);
      if (text.empty() || text == wordUtf8 || bookkeeping || std::find(shown.begin(), shown.end(), text) != shown.end())
        continue;
      if (shown.size() == kMaxForms) {
        b_.Text(u", \u2026");
        break;
      }
      if (shown.empty()) {
        b_.Paragraph(1);
        Styled(s_.label, "forms:");
        b_.Text(u" ");
      } else {
        b_.Text(u", ");
      }
      b_.TextUtf8(text);
      if (const std::string t = JoinTags(tags, " "); !t.empty()) Styled(s_.label, " (" + t + ")");
      shown.push_back(text);
    }
  }

  // The gloss of a sense. Wiktextract gives a subsense its parents' glosses
  // first; those the sense before has shown already are left out.
  static std::string GlossText(const std::vector<std::string_view>& glosses,
                               const std::vector<std::string_view>& before) {
    std::size_t shared = 0;
    while (shared + 1 < glosses.size() && shared < before.size() && glosses[shared] == before[shared]) ++shared;
    std::string out;
    for (std::size_t i = shared; i < glosses.size(); ++i) {
      if (!out.empty()) out += ": ";
      out += glosses[i];
    }
    return out;
  }

  static std::vector<std::string_view> Glosses(const dom::object& sense) {
    std::vector<std::string_view> glosses = Strings(sense, "glosses");
    return glosses.empty() ? Strings(sense, "raw_glosses") : glosses;
  }

  bool Senses(const dom::object& entry) {
    dom::array senses;
    if (!ArrayField(entry, "senses", senses)) return false;
    int count = 0;
    for (dom::element e : senses) {
      dom::object sense;
      if (e.get_object().get(sense) == simdjson::SUCCESS && !Glosses(sense).empty()) ++count;
    }
    const std::string_view pos = StringField(entry, "pos");
    std::vector<std::string_view> before;
    int number = 0;
    for (dom::element e : senses) {
      dom::object sense;
      if (e.get_object().get(sense) != simdjson::SUCCESS) continue;
      std::vector<std::string_view> glosses = Glosses(sense);
      if (glosses.empty()) continue;
      b_.Paragraph(1);
      if (count > 1) b_.TextUtf8(std::to_string(++number) + ". ");
      std::string label(pos);
      if (const std::string tags = JoinTags(Strings(sense, "tags"), ", "); !tags.empty())
        label += (label.empty() ? "(" : " (") + tags + ")";
      if (!label.empty()) {
        Styled(s_.label, label);
        b_.Text(u" ");
      }
      b_.TextUtf8(GlossText(glosses, before));
      before = std::move(glosses);
      Examples(sense);
    }
    return count > 0;
  }

  void Examples(const dom::object& sense) {
    dom::array examples;
    if (!ArrayField(sense, "examples", examples)) return;
    for (dom::element e : examples) {
      dom::object example;
      if (e.get_object().get(example) != simdjson::SUCCESS) continue;
      const std::string_view text = StringField(example, "text");
      if (text.empty()) continue;
      b_.Paragraph(2);
      Styled(s_.example, text);
      if (const std::string_view roman = StringField(example, "roman"); !roman.empty())
        Styled(s_.italic, " (" + std::string(roman) + ")");
      std::string_view translation = StringField(example, "english");
      if (translation.empty()) translation = StringField(example, "translation");
      if (!translation.empty()) b_.TextUtf8(" \u2014 " + std::string(translation));
    }
  }

  ArticleBuilder b_;
  const ImportStyles& s_;
};

// The lines of text, which is followed by SIMDJSON_PADDING more bytes.
ImportedDictionary ParseLines(std::string_view text, const std::string& name, const ImportStyles& styles,
                              const ImportProgress& progress) {
  ImportedDictionary dict;
  dom::parser parser;
  WiktionaryArticle article(styles);
  std::optional<std::string> language;  // lang_code of the first entry
  std::size_t objects = 0;
  std::string firstFault;
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = lines[i];
    const std::string where = "line " + std::to_string(i + 1);
    if (i % 1000 == 999) ReportProgress(progress, static_cast<std::uint64_t>(line.data() - text.data()), text.size());
    if (TrimBlanks(line).empty()) continue;
    dom::element doc;
    dom::object entry;
    simdjson::error_code fault = parser.parse(line.data(), line.size(), false).get(doc);
    if (!fault && doc.get_object().get(entry) != simdjson::SUCCESS) fault = simdjson::INCORRECT_TYPE;
    if (fault) {
      const std::string why = where + ": not a JSON object (" + simdjson::error_message(fault) + ")";
      if (firstFault.empty()) firstFault = why;
      dict.Skip("", why);
      continue;
    }
    ++objects;
    // A complete dump also holds the pages that only redirect.
    if (entry["redirect"].error() == simdjson::SUCCESS) continue;
    const std::string_view word = StringField(entry, "word");
    if (TrimBlanks(word).empty()) {
      dict.Skip(std::string(word), where + ": no word");
      continue;
    }
    const std::string_view code = StringField(entry, "lang_code");
    if (!language) {
      language = code;
      dict.fromLanguage = LanguageCode(code);
      dict.toLanguage = "en";
      if (const std::string_view lang = StringField(entry, "lang"); !lang.empty())
        dict.name = "Wiktionary (" + std::string(lang) + ")";
    } else if (code != *language) {
      dict.Skip(std::string(word), "language " + std::string(code));
      continue;
    }
    const std::u16string headword = Utf8ToUtf16(word);
    std::string bytes = article.Build(entry, headword);
    if (bytes.empty()) {
      dict.Skip(std::string(word), where + ": no gloss");
      continue;
    }
    dict.entries.push_back({headword, std::move(bytes)});
  }
  if (objects == 0)
    throw ImportError(name + ": " + (firstFault.empty() ? std::string("no entries") : firstFault + ", not JSON Lines"));
  ReportProgress(progress, text.size(), text.size());
  return dict;
}

}  // namespace

DictionaryInfo ProbeWiktionary(const fs::path& jsonl) {
  std::string head = ReadMaybeGzippedHead(jsonl, std::size_t{4} << 20);
  const std::vector<std::string_view> lines = SplitLines(head);
  DictionaryInfo info;
  info.toLanguage = "en";
  for (std::string_view line : lines) {
    if (TrimBlanks(line).empty()) continue;
    dom::parser parser;
    dom::object entry;
    if (parser.parse(line.data(), line.size()).get_object().get(entry) != simdjson::SUCCESS) break;
    const std::string_view code = StringField(entry, "lang_code");
    if (code.empty()) continue;  // a page that only redirects
    info.fromLanguage = LanguageCode(code);
    if (const std::string_view lang = StringField(entry, "lang"); !lang.empty())
      info.name = "Wiktionary (" + std::string(lang) + ")";
    break;
  }
  return info;
}

ImportedDictionary ReadWiktionary(const fs::path& jsonl, const ImportStyles& styles, const ImportProgress& progress) {
  return ParseWiktionary(ReadMaybeGzipped(jsonl), jsonl.filename().string(), styles, progress);
}

ImportedDictionary ParseWiktionary(std::string text, std::string_view fileName, const ImportStyles& styles,
                                   const ImportProgress& progress) {
  const std::size_t size = text.size();
  text.append(simdjson::SIMDJSON_PADDING, ' ');
  return ParseLines(std::string_view(text).substr(0, size), std::string(fileName), styles, progress);
}

}  // namespace lexmora
