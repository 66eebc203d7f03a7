#include "import/dictionary_import.h"

#include <malloc.h>

#include <algorithm>
#include <system_error>

#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "dictionary/group_writer.h"
#include "dictionary/language_names.h"
#include "dictionary/loaded_group.h"
#include "import/import_registry.h"
#include "import/imported_glyphs.h"
#include "import/index_headwords.h"
#include "sound/sound_archive.h"
#include "text/code_page.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kReadShare = 900;  // per mille of the progress for reading the file

SubDictSet AllSubDicts() {
  SubDictSet all;
  for (int k = 0; k < 256; ++k) all.Set(k, true);
  return all;
}

// The articles just freed lie in small blocks all over the heap; the word
// index written next wants fresh pages. Handing the free ones back keeps
// the peak memory at what is really in use.
void ReturnFreedMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

bool KnownHeadwordCodePage(int cp) { return cp == 1250 || cp == 1251 || cp == 1252 || cp == 1254; }

// The built-in group a new group of this code page copies its styles,
// keyboard layout and picture from.
DictGroupRecord TemplateFor(int codePage) {
  const GroupTable builtIn = BuiltInGroupTable();
  for (int g = 1; g <= builtIn.count; ++g)
    if (builtIn.Group(g).CodePage() == codePage && !builtIn.Group(g).BaseName().empty()) return builtIn.Group(g);
  return builtIn.Group(1);
}

void ExtendTable(GroupTable& table, int group) {
  if (group <= table.count) return;
  const GroupTable builtIn = BuiltInGroupTable();
  for (int g = table.count + 1; g <= group; ++g) table.Group(g) = builtIn.Group(g);
  table.count = group;
}

// The group the import goes to, made when it is a new one.
int TargetGroup(const ImportRequest& r, GroupTable& table) {
  if (r.group != 0) {
    if (r.group < 1 || r.group > GroupTable::kMaxGroups)
      throw ImportError("group must be 1.." + std::to_string(GroupTable::kMaxGroups));
    ExtendTable(table, r.group);
    const DictGroupRecord& g = table.Group(r.group);
    if (g.BaseName().empty() || !KnownHeadwordCodePage(g.CodePage()))
      throw ImportError("group " + std::to_string(r.group) + " has no file base name or headword code page");
    return r.group;
  }
  if (!KnownHeadwordCodePage(r.codePage)) throw ImportError("the code page of a new group must be 1250, 1251, 1252 or 1254");
  const auto name = EncodeNamePart(kNameAz, r.newGroupName);
  if (r.newGroupName.empty() || !name) throw ImportError("the group name \"" + r.newGroupName + "\" has letters the group table cannot hold");
  if (name->size() > 60) throw ImportError("the group name is longer than 60 letters");
  const int slot = FreeGroupSlot(r.programDir, table);
  if (slot == 0) throw ImportError("all ten groups hold dictionaries; add the file to one of them");
  ExtendTable(table, slot);
  DictGroupRecord record = TemplateFor(r.codePage);
  record.SetName(*name);
  record.SetBaseName(std::string(kUserGroupBasePrefix) + std::string(slot < 10 ? "0" : "") + std::to_string(slot));
  record.SetEnabled(SubDictSet{});
  table.Group(slot) = record;
  return slot;
}

// The sub-dictionary's name: the file's title in the English part (code page
// 1250, letters it lacks by their base letters) or, when it is Cyrillic, in
// the Russian part.
SubVoclHeaderRecord MakeHeader(int number, std::uint32_t locale, const std::string& title) {
  SubVoclHeaderRecord header;
  header.SetNumber(number);
  header.SetLocale(locale);
  header.SetButtonGlyph(ImportedButtonGlyph(number));
  header.SetListGlyph(ImportedListGlyph(number));
  const std::u16string wide = Utf8ToUtf16(title);
  const bool cyrillic = std::count_if(wide.begin(), wide.end(), [](char16_t c) { return c >= 0x400 && c < 0x530; }) * 2 >
                        static_cast<std::ptrdiff_t>(wide.size());
  const int language = cyrillic ? kNameRu : kNameEn;
  const int codePage = cyrillic ? 1251 : 1250;
  std::u16string fitted;
  for (char16_t c : wide) {
    const std::string byte = IndexHeadword(std::u16string(1, c), codePage);
    if (c == u' ' || !byte.empty()) fitted += c == u' ' ? u" " : ToUnicode(byte, codePage);
    if (fitted.size() >= 90) break;
  }
  std::array<std::string, 5> parts;
  parts[static_cast<std::size_t>(language)] = Utf16ToUtf8(fitted);
  if (auto multi = MakeMultiLanguageName(parts); multi && multi->size() <= SubVoclHeaderRecord::kNameMax)
    header.SetName(*multi);
  return header;
}

int FreeSubDict(const fs::path& dir, std::string_view base, const SubDictSet& present) {
  for (int k = 0; k < 256; ++k)
    if (!present.Contains(k) && !FileSize(ResolveCaseInsensitive(ArticleBasePath(dir, base, k)))) return k;
  throw ImportError("the group already holds 256 sub-dictionaries");
}

void RemoveFile(const fs::path& path) {
  std::error_code ec;
  fs::remove(ResolveCaseInsensitive(path), ec);
}

// A sub-dictionary's full-text index files: stale ones would answer for the
// wrong articles.
void RemoveTextIndex(const fs::path& dir, std::string_view base, int subDict) {
  const std::string prefix = std::string(base) + SubDictSuffix(subDict) + ".";
  std::error_code ec;
  std::vector<fs::path> doomed;
  for (fs::directory_iterator it(dir / "DICT" / "INDEX", ec), end; !ec && it != end; it.increment(ec))
    if (it->path().filename().string().rfind(prefix, 0) == 0) doomed.push_back(it->path());
  for (const fs::path& p : doomed) fs::remove(p, ec);
}

struct ExistingIndex {
  SubDictSet present;
  std::vector<VoclIndexRecord> records;
  std::optional<std::string> image;  // the word index file as it was
};

ExistingIndex ReadExistingIndex(const fs::path& dir, const GroupTable& table, int group) {
  ExistingIndex index;
  const fs::path wif = ResolveCaseInsensitive(WordIndexPath(dir, table.Group(group).BaseName()));
  index.image = ReadWholeFile(wif);
  if (!index.image) return index;
  const LoadedGroup loaded = LoadGroup(dir, table, group, AllSubDicts());
  for (const SubVoclHeaderRecord& h : loaded.headers) index.present.Set(h.Number(), true);
  index.records.assign(loaded.entries.begin(), loaded.entries.end());
  return index;
}

std::string SafeSourceName(const fs::path& file) {
  std::string name = file.filename().string();
  for (char& c : name)
    if (c == '\t' || c == '\n' || c == '\r') c = ' ';
  return name;
}

}  // namespace

int FreeGroupSlot(const fs::path& programDir, const GroupTable& table) {
  const std::set<int> available = AvailableGroups(programDir, table);
  for (int g = 1; g <= GroupTable::kMaxGroups; ++g)
    if (g > table.count || !available.count(g)) return g;
  return 0;
}

int HeadwordCodePageFor(std::string_view language) {
  if (language == "az" || language == "tr") return 1254;
  if (language == "ru" || language == "uk" || language == "be" || language == "bg") return 1251;
  if (language == "cs" || language == "pl" || language == "hu" || language == "sk" || language == "ro") return 1250;
  return 1252;
}

int ProposeGroup(const GroupTable& table, const DictionaryInfo& info) {
  auto letter = [](const std::string& code) -> char {
    return code == "en" ? 'e' : code == "az" ? 'a' : code == "de" ? 'd' : code == "fr" ? 'f' : code == "ru" ? 'r' : 0;
  };
  const char from = letter(info.fromLanguage), to = letter(info.toLanguage);
  if (!from || !to) return 0;
  const std::string base = std::string("vcl_") + from + to;
  for (int g = 1; g <= table.count; ++g)
    if (table.Group(g).BaseName() == base) return g;
  return 0;
}

ImportResult ImportDictionary(const ImportRequest& r) {
  const std::string file = r.file.string();
  if (!FileSize(r.file)) throw ImportError(file + ": cannot read the file");
  const std::optional<ImportFormat> format = r.format ? r.format : DetectFormat(r.file);
  if (!format) throw ImportError(file + ": not a dictionary file of a known kind (dictd, StarDict, DSL, XDXF, Wiktionary extract, tab file)");

  GroupTable table = LoadGroupTable(r.programDir).table;
  const int group = TargetGroup(r, table);
  DictGroupRecord& record = table.Group(group);
  const std::string base(record.BaseName());
  const int codePage = record.CodePage();

  const DictionaryInfo info = ProbeDictionary(r.file, *format);
  const std::uint32_t headwordStyle = record.StyleRole(5), transcriptionStyle = record.StyleRole(6);
  ImportStyles styles = StylesForContent(headwordStyle <= 20 ? static_cast<int>(headwordStyle) : 5, info.toLanguage);
  if (transcriptionStyle <= 20) styles.transcription = static_cast<int>(transcriptionStyle);
  const ImportProgress readProgress = [&](std::uint64_t done, std::uint64_t total) {
    return !r.progress || r.progress(total ? std::min(done, total) * kReadShare / total : 0, 1000);
  };
  ImportedDictionary dict = ReadDictionary(r.file, *format, styles, readProgress);
  if (dict.name.empty()) dict.name = info.name.empty() ? r.file.stem().string() : info.name;

  ImportResult result;
  result.group = group;
  result.name = dict.name;
  result.sounds = dict.sounds.size();
  result.skipped = std::move(dict.skipped);
  SourceSubDict sub;
  sub.entries = IndexEntries(dict.entries, codePage, result.skipped);
  dict.entries = {};
  ReturnFreedMemory();
  result.entries = sub.entries.size();
  if (sub.entries.empty()) throw ImportError(file + ": no entries to import");
  ReportProgress(r.progress, kReadShare, 1000);

  std::error_code ec;
  fs::create_directories(r.programDir / "DICT", ec);
  if (ec) throw ImportError("cannot create " + (r.programDir / "DICT").string() + ": " + ec.message());
  ExistingIndex existing = ReadExistingIndex(r.programDir, table, group);
  const int k = FreeSubDict(r.programDir, base, existing.present);
  result.subDict = k;
  sub.header = MakeHeader(k, record.Locale(), dict.name);

  std::vector<VoclIndexRecord> records = std::move(existing.records);
  records.reserve(records.size() + sub.entries.size());
  const fs::path wbf = ArticleBasePath(r.programDir, base, k);
  const fs::path snd = SoundArchiveFile(r.programDir, base, k);
  const fs::path wif = WordIndexPath(r.programDir, base);
  // From here on a fault takes back what was written.
  auto undo = [&](bool indexWritten) {
    if (indexWritten) {
      if (existing.image) WriteFileAtomically(wif, *existing.image);
      else RemoveFile(wif);
    }
    RemoveFile(wbf);
    RemoveFile(snd);
  };
  GroupWriteResult written;
  if (!WriteArticleBase(wbf, sub, codePage, records, written)) {
    undo(false);
    throw ImportError(written.error + " (is the disk full?)");
  }
  sub.entries = {};
  ReturnFreedMemory();
  if (!dict.sounds.empty() && !WriteFileAtomically(snd, SoundArchiveImage(dict.sounds))) {
    undo(false);
    throw ImportError("cannot write " + snd.string() + " (is the disk full?)");
  }
  dict.sounds = {};
  RemoveTextIndex(r.programDir, base, k);
  existing.present.Set(k, true);
  std::string error;
  if (!WriteWordIndex(r.programDir, base, codePage, existing.present, std::move(records), error)) {
    undo(false);
    throw ImportError(error + " (is the disk full?)");
  }
  std::vector<ImportedSubDict> registry = LoadImportRegistry(r.programDir, base);
  registry.erase(std::remove_if(registry.begin(), registry.end(), [&](const ImportedSubDict& e) { return e.subDict == k; }),
                 registry.end());
  registry.push_back({k, std::string(FormatName(*format)), SafeSourceName(r.file)});
  SubDictSet enabled = record.Enabled();
  enabled.Set(k, true);
  record.SetEnabled(enabled);
  if (!SaveImportRegistry(r.programDir, base, registry) || !SaveGroupTable(r.programDir, table)) {
    undo(true);
    throw ImportError("cannot write the group table in " + r.programDir.string() + " (is the disk full?)");
  }
  ReportProgress(r.progress, 1000, 1000);
  return result;
}

void RemoveImportedDictionary(const fs::path& programDir, int group, int subDict) {
  GroupTable table = LoadGroupTable(programDir).table;
  if (!table.Valid(group)) throw ImportError("there is no group " + std::to_string(group));
  DictGroupRecord& record = table.Group(group);
  const std::string base(record.BaseName());
  std::vector<ImportedSubDict> registry = LoadImportRegistry(programDir, base);
  const auto it = std::find_if(registry.begin(), registry.end(), [&](const ImportedSubDict& e) { return e.subDict == subDict; });
  if (it == registry.end())
    throw ImportError("sub-dictionary " + std::to_string(subDict) + " of group " + std::to_string(group) +
                      " was not added by an import");
  ExistingIndex existing = ReadExistingIndex(programDir, table, group);
  std::vector<VoclIndexRecord> records;
  records.reserve(existing.records.size());
  for (const VoclIndexRecord& rec : existing.records)
    if (rec.SubDict() != subDict) records.push_back(rec);
  existing.present.Set(subDict, false);
  std::string error;
  if (existing.present.Empty()) {
    RemoveFile(WordIndexPath(programDir, base));
  } else if (!WriteWordIndex(programDir, base, record.CodePage(), existing.present, std::move(records), error)) {
    throw ImportError(error);
  }
  RemoveFile(ArticleBasePath(programDir, base, subDict));
  RemoveFile(SoundArchiveFile(programDir, base, subDict));
  RemoveTextIndex(programDir, base, subDict);
  registry.erase(it);
  SaveImportRegistry(programDir, base, registry);
  SubDictSet enabled = record.Enabled();
  enabled.Set(subDict, false);
  record.SetEnabled(enabled);
  if (!SaveGroupTable(programDir, table)) throw ImportError("cannot write the group table in " + programDir.string());
}

}  // namespace lexmora
