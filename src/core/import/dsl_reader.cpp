#include "import/dsl_reader.h"

#include <map>
#include <unordered_set>
#include <vector>

#include "import/article_builder.h"
#include "import/dsl_header.h"
#include "import/dsl_headwords.h"
#include "import/dsl_markup.h"
#include "import/dsl_media.h"
#include "import/dsl_text.h"
#include "import/gzip_file.h"
#include "import/language_codes.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

// The headers are in the first lines; this is plenty.
constexpr std::size_t kProbeBytes = 64 << 10;
// Progress every so many characters (1 MB of UTF-16).
constexpr std::size_t kProgressStep = 1 << 19;
// Each form of a card gets a copy of its article: a few headword lines with
// optional parts over a long body would multiply a small file many times.
// Real dictionaries stay far below this share of article bytes per text byte.
constexpr std::size_t kArticleBytesPerTextByte = 16;
constexpr std::size_t kArticleBytesAtLeast = std::size_t{16} << 20;

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

std::u16string_view TrimLeading(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

// Only these are read from the media: pictures and the rest are left out
// without reading them.
bool HasSoundExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  std::string ext(name.substr(dot + 1));
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == "wav" || ext == "ogg" || ext == "oga";
}

// Gathers the lines of a card and, at its end, adds its entries (and those
// of its subentries) to the dictionary.
class CardReader {
 public:
  CardReader(ImportedDictionary& dict, std::string_view fileName, const ImportStyles& styles,
             const DslMediaLookup& media, std::size_t textBytes)
      : dict_(dict),
        fileName_(fileName),
        media_(media),
        budget_(kArticleBytesAtLeast + kArticleBytesPerTextByte * textBytes),
        card_(styles),
        sub_(styles),
        cardWriter_(card_, [this](std::u16string_view name) { return SoundNumber(name); }),
        subWriter_(sub_, [this](std::u16string_view name) { return SoundNumber(name); }) {}

  void HeadwordLine(std::u16string_view line) {
    if (!body_.empty()) Finish();
    heads_.push_back(line);
  }
  // Lines before the first headword belong to no card and are dropped.
  void BodyLine(std::u16string_view line) {
    if (!heads_.empty()) body_.push_back(line);
  }
  void Finish();

 private:
  void Subentry(std::u16string_view heading);
  void FinishSubentry();
  void AddEntries(const std::vector<std::u16string>& forms, std::string article);
  int SoundNumber(std::u16string_view name);

  ImportedDictionary& dict_;
  std::string_view fileName_;
  const DslMediaLookup& media_;
  std::size_t budget_;  // article bytes the entries may still take
  std::vector<std::u16string_view> heads_;
  std::vector<std::u16string_view> body_;
  std::u16string tilde_;
  std::unordered_set<std::u16string> seen_;  // the card's forms so far
  ArticleBuilder card_;
  ArticleBuilder sub_;
  DslBodyWriter cardWriter_;
  DslBodyWriter subWriter_;
  bool inSubentry_ = false;
  bool subentryHasBody_ = false;
  DslHeadword subentry_;
  std::map<std::string, int> soundNumbers_;  // by DslMediaKey; 0: no sound
  std::size_t soundBytes_ = 0;
};

void CardReader::Finish() {
  std::vector<DslHeadword> heads;
  tilde_.clear();
  for (std::u16string_view line : heads_) {
    DslHeadword h = ParseDslHeadword(line, tilde_);
    if (h.forms.empty()) {
      dict_.Skip(Utf16ToUtf8(line), "the headword is empty without its markup");
      continue;
    }
    if (tilde_.empty()) tilde_ = h.tilde;
    heads.push_back(std::move(h));
  }
  const bool hasBody = !body_.empty();
  heads_.clear();
  if (heads.empty()) {
    body_.clear();
    return;
  }
  if (!hasBody) {
    for (const DslHeadword& h : heads) dict_.Skip(Utf16ToUtf8(h.shown), "the card has no text");
    return;
  }

  std::u16string headLine;
  std::vector<std::u16string> forms;
  seen_.clear();
  for (const DslHeadword& h : heads) {
    if (!headLine.empty()) headLine += u", ";
    headLine += h.shown;
    for (const std::u16string& f : h.forms)
      if (seen_.insert(f).second) forms.push_back(f);
  }
  card_.Head(headLine);
  cardWriter_.Start(tilde_);
  for (std::u16string_view line : body_) {
    std::u16string_view rest = TrimLeading(line);
    // A subentry's heading: "@ heading", often inside the [*] of secondary text.
    std::u16string_view at = rest;
    while (at.substr(0, 3) == u"[*]") at = TrimLeading(at.substr(3));
    if (!at.empty() && at.front() == u'@') {
      Subentry(at.substr(1));
    } else if (inSubentry_) {
      subWriter_.Line(rest);
      subentryHasBody_ = true;
    } else {
      cardWriter_.Line(rest);
    }
  }
  FinishSubentry();
  body_.clear();
  AddEntries(forms, card_.Take());
}

// "@ heading" starts a subentry (ending the one before); a lone "@" ends it.
// The card shows only the heading; the subentry is an entry of its own.
void CardReader::Subentry(std::u16string_view heading) {
  FinishSubentry();
  if (TrimLeading(heading).empty()) return;
  subentry_ = ParseDslHeadword(heading, tilde_);
  if (subentry_.forms.empty()) {
    dict_.Skip(Utf16ToUtf8(heading), "the subentry's headword is empty without its markup");
    return;
  }
  cardWriter_.LinkLine(subentry_.shown);
  sub_.Head(subentry_.shown);
  subWriter_.Start(tilde_);
  inSubentry_ = true;
  subentryHasBody_ = false;
}

void CardReader::FinishSubentry() {
  if (!inSubentry_) return;
  inSubentry_ = false;
  std::string article = sub_.Take();
  if (subentryHasBody_) AddEntries(subentry_.forms, std::move(article));
  else dict_.Skip(Utf16ToUtf8(subentry_.shown), "the subentry has no text");
}

void CardReader::AddEntries(const std::vector<std::u16string>& forms, std::string article) {
  for (std::size_t i = 0; i < forms.size(); ++i) {
    if (article.size() > budget_) {
      dict_.Skip(Utf16ToUtf8(forms[i]), "the articles grow to more than " + std::to_string(kArticleBytesPerTextByte) +
                                           " times the file: too many forms of long cards");
      continue;
    }
    budget_ -= article.size();
    if (i + 1 < forms.size()) dict_.entries.push_back({forms[i], article});
    else dict_.entries.push_back({forms[i], std::move(article)});
  }
}

int CardReader::SoundNumber(std::u16string_view name) {
  if (!media_) return 0;
  const std::string utf8 = Utf16ToUtf8(name);
  // Each file is read once, however many names it goes by: a small archive
  // could otherwise fill the memory with copies.
  const auto [it, fresh] = soundNumbers_.try_emplace(DslMediaKey(utf8), 0);
  // Sound buttons number at most 65535 sounds.
  if (!fresh || !HasSoundExtension(utf8) || dict_.sounds.size() >= 0xFFFF) return it->second;
  std::optional<std::string> image = media_(utf8);
  if (!image || !IsWavOrOgg(*image)) return 0;
  soundBytes_ += image->size();
  if (soundBytes_ > kMaxInflatedSize)
    throw ImportError(std::string(fileName_) + ": the sounds take more than " + std::to_string(kMaxInflatedSize >> 20) +
                      " MB");
  it->second = dict_.AddSound(std::move(*image));
  return it->second;
}

void ReadCards(std::u16string_view text, std::string_view fileName, ImportedDictionary& dict,
               const ImportStyles& styles, const DslMediaLookup& media, const ImportProgress& progress) {
  CardReader cards(dict, fileName, styles, media, text.size() * sizeof(char16_t));
  std::size_t nextReport = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (pos >= nextReport) {
      ReportProgress(progress, pos, text.size());
      nextReport = pos + kProgressStep;
    }
    std::size_t end = text.find(u'\n', pos);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    while (!line.empty() && (line.back() == u'\r' || IsBlank(line.back()))) line.remove_suffix(1);
    if (line.empty()) continue;
    if (IsBlank(line.front())) {
      cards.BodyLine(line);
    } else if (line.front() != u'#') {  // headers, and directives such as #INCLUDE further down
      cards.HeadwordLine(line);
    }
  }
  cards.Finish();
  ReportProgress(progress, text.size(), text.size());
}

}  // namespace

DictionaryInfo ProbeDsl(const std::filesystem::path& dslFile) {
  const std::string name = dslFile.filename().string();
  std::u16string text = DecodeDslText(ReadMaybeGzippedHead(dslFile, kProbeBytes), name, true);
  RemoveDslComments(text);
  const DslHeader header = ParseDslHeader(text);
  return {header.name, LanguageCode(header.indexLanguage), LanguageCode(header.contentsLanguage)};
}

ImportedDictionary ReadDslImage(std::string image, std::string_view fileName, const ImportStyles& styles,
                                const DslMediaLookup& media, const ImportProgress& progress) {
  std::u16string text = DecodeDslText(InflateMaybeGzipped(std::move(image), fileName), fileName);
  RemoveDslComments(text);
  const DslHeader header = ParseDslHeader(text);
  ImportedDictionary dict;
  dict.name = header.name;
  dict.fromLanguage = LanguageCode(header.indexLanguage);
  dict.toLanguage = LanguageCode(header.contentsLanguage);
  ReadCards(text, fileName, dict, styles, media, progress);
  return dict;
}

ImportedDictionary ReadDsl(const std::filesystem::path& dslFile, const ImportStyles& styles,
                           const ImportProgress& progress) {
  DslMedia media(dslFile);
  return ReadDslImage(ReadMaybeGzipped(dslFile), dslFile.filename().string(), styles,
                      [&media](std::string_view name) { return media.Read(name); }, progress);
}

}  // namespace lexmora
