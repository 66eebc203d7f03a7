#include "import/dictd_import.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "common/source_file.h"
#include "text/text_lines.h"
#include "dictionary/language_names.h"
#include "article/markup_encoder.h"
#include "dictc/source_parser.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "dictionary/group_writer.h"
#include "dictionary/loaded_group.h"
#include "dictionary/vocl_index.h"
#include "import/dictd_article.h"
#include "import/dictd_index.h"
#include "import/dictd_reader.h"
#include "text/code_page.h"

namespace lexmora::tools {
namespace fs = std::filesystem;
namespace {

constexpr std::size_t kDefaultNameMax = 120;

// The group table the import works against: the folder's, else the built-in
// one; a group beyond the table's count is taken from the built-in table.
GroupTable TableFor(const ImportOptions& o) {
  if (o.group < 1 || o.group > GroupTable::kMaxGroups)
    throw std::runtime_error("group must be 1.." + std::to_string(GroupTable::kMaxGroups));
  GroupTable table = o.outDir.empty() ? BuiltInGroupTable() : LoadGroupTable(o.outDir).table;
  if (o.group > table.count) {
    const GroupTable builtIn = BuiltInGroupTable();
    for (int g = table.count + 1; g <= o.group; ++g) table.Group(g) = builtIn.Group(g);
    table.count = o.group;
  }
  const DictGroupRecord& r = table.Group(o.group);
  if (r.BaseName().empty()) throw std::runtime_error("group " + std::to_string(o.group) + " has no file base name");
  const int cp = r.CodePage();
  if (cp != 1250 && cp != 1251 && cp != 1252 && cp != 1254)
    throw std::runtime_error("group " + std::to_string(o.group) + " has no headword code page");
  return table;
}

int StyleOfRole(const DictGroupRecord& r, int role, int fallback) {
  std::uint32_t s = r.StyleRole(role);
  return s <= 20 ? static_cast<int>(s) : fallback;
}

// Headword in the group's code page: blanks trimmed, what the code page
// lacks (and control characters) as '?'.
std::string HeadwordBytes(std::string_view utf8, int codePage) {
  std::string bytes = FromUnicode(Utf8ToUtf16(TrimBlanks(utf8)), codePage);
  for (char& c : bytes)
    if (static_cast<std::uint8_t>(c) < 0x20) c = '?';
  return bytes;
}

std::string_view EntryText(const DictdIndexEntry& e, std::string_view data) {
  return data.substr(static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.length));
}

bool InsideData(const DictdIndexEntry& e, std::string_view data) {
  return e.offset <= data.size() && e.length <= data.size() - e.offset;
}

// The database's own description, made fit for an English name part.
std::string DatabaseShortName(const std::vector<DictdIndexEntry>& entries, std::string_view data) {
  const std::string line = DictdDatabaseName(entries, data);
  if (line.empty()) return {};
  std::string name = Utf16ToUtf8(ToUnicode(FromUnicode(Utf8ToUtf16(line), 1250), 1250));
  if (name.size() > kDefaultNameMax) name.resize(kDefaultNameMax);  // 1250 bytes are ASCII or 2-byte UTF-8 ...
  return Utf16ToUtf8(Utf8ToUtf16(name));                          // ... so drop a cut sequence here
}

SubVoclHeaderRecord MakeHeader(const ImportOptions& o, const DictGroupRecord& group, std::array<std::string, 5> names) {
  SubVoclHeaderRecord header;
  header.SetNumber(o.subDict);
  header.SetLocale(o.locale.value_or(group.Locale()));
  int bad = -1;
  auto multi = MakeMultiLanguageName(names, &bad);
  if (!multi) throw std::runtime_error("the name for language " + std::to_string(bad) + " has characters its code page lacks");
  if (multi->size() > SubVoclHeaderRecord::kNameMax) throw std::runtime_error("the names together exceed 200 bytes");
  header.SetName(*multi);
  return header;
}

// Entries of the group's other sub-dictionaries already in the folder, so
// that the rewritten word index keeps them.
std::vector<SourceSubDict> ExistingOtherSubDicts(const fs::path& dir, const GroupTable& table, int group, int skip) {
  std::vector<SourceSubDict> result;
  if (!FileSize(WordIndexPath(dir, table.Group(group).BaseName()))) return result;
  SubDictSet all;
  for (int k = 0; k < 256; ++k) all.Set(k, true);
  LoadedGroup loaded = LoadGroup(dir, table, group, all);
  for (std::size_t h = 0; h < loaded.headers.size(); ++h) {
    const SubVoclHeaderRecord& header = loaded.headers[h];
    if (header.Number() == skip) continue;
    SourceSubDict sub;
    sub.header = header;
    for (std::uint32_t index : loaded.reindex[h]) {
      const VoclIndexRecord& r = loaded.entries[index];
      sub.entries.push_back({std::string(r.Display()), std::string(r.SortKey()), ReadArticleText(loaded, static_cast<int>(index))});
    }
    result.push_back(std::move(sub));
  }
  return result;
}

void WriteSourceFile(const ImportOptions& o, const std::array<std::string, 5>& names, std::uint32_t locale, int bodyStyle,
                     const std::vector<std::pair<std::string, std::vector<std::string>>>& entries) {
  std::ofstream out(o.srcFile, std::ios::binary);
  if (!out) throw std::runtime_error("cannot write " + o.srcFile.string());
  static constexpr const char* kCodes[] = {"az", "en", "ru", "de", "fr"};
  out << "# Imported from " << o.index.filename().string() << " by lexmora-import\n";
  out << "subdict = " << o.subDict << "\n";
  for (int i = 0; i < 5; ++i)
    if (!names[static_cast<std::size_t>(i)].empty()) out << "name." << kCodes[i] << " = " << names[static_cast<std::size_t>(i)] << "\n";
  char localeText[16];
  std::snprintf(localeText, sizeof localeText, "0x%X", locale);
  out << "locale = " << localeText << "\nstyle = " << bodyStyle << "\n\n";
  for (const auto& [headword, lines] : entries) {
    out << "@ " << headword << "\n";
    for (const std::string& line : lines) out << line << "\n";
  }
  if (!out.flush()) throw std::runtime_error("cannot write " + o.srcFile.string());
}

}  // namespace

ImportReport ImportDictd(const ImportOptions& o) {
  if (o.outDir.empty() && o.srcFile.empty()) throw std::runtime_error("nothing to write: give --out or --src");
  if (o.subDict < 0 || o.subDict > 255) throw std::runtime_error("sub-dictionary must be 0..255");
  GroupTable table = TableFor(o);
  DictGroupRecord& group = table.Group(o.group);
  const int codePage = group.CodePage();
  const DictdStyles styles{StyleOfRole(group, 5, 5), StyleOfRole(group, 6, 6), StyleOfRole(group, 0, 0)};

  const std::string indexText = ReadSourceFile(o.index);
  const std::vector<DictdIndexEntry> index = ParseDictdIndex(indexText, o.index.string());
  const std::string data = ReadDictdData(o.dict);

  ImportReport report;
  report.indexLines = index.size();
  report.textBytes = data.size();
  std::array<std::string, 5> names = o.names;
  bool anyName = false;
  for (const auto& n : names) anyName = anyName || !n.empty();
  if (!anyName) names[kNameEn] = DatabaseShortName(index, data);
  SubVoclHeaderRecord header = MakeHeader(o, group, names);

  SourceSubDict sub;
  sub.header = header;
  std::vector<std::pair<std::string, std::vector<std::string>>> srcEntries;
  std::vector<std::string_view> views;
  for (const DictdIndexEntry& e : index) {
    if (IsDictdMetadata(e.headword)) { ++report.metadataSkipped; continue; }
    if (!InsideData(e, data)) { ++report.badEntries; continue; }
    std::vector<std::string> lines = DictdEntryToMarkup(EntryText(e, data), e.headword, styles);
    std::string headword = HeadwordBytes(e.headword, codePage);
    if (headword.empty()) { ++report.metadataSkipped; continue; }
    if (headword.size() > VoclIndexRecord::kDisplayMax) ++report.truncatedHeadwords;
    ++report.entries;
    if (!o.srcFile.empty()) srcEntries.emplace_back(Utf16ToUtf8(ToUnicode(headword, codePage)), lines);
    if (o.outDir.empty()) continue;
    views.assign(lines.begin(), lines.end());
    sub.entries.push_back(MakeIndexEntry(headword, codePage, EncodeArticle(views, styles.body)));
  }

  if (!o.srcFile.empty()) WriteSourceFile(o, names, header.Locale(), styles.body, srcEntries);
  if (o.outDir.empty()) return report;

  std::vector<SourceSubDict> subDicts = ExistingOtherSubDicts(o.outDir, table, o.group, o.subDict);
  for (const SourceSubDict& s : subDicts) report.otherEntries += s.entries.size();
  subDicts.push_back(std::move(sub));
  GroupWriteResult written = WriteGroupFiles(o.outDir, std::string(group.BaseName()), codePage, subDicts);
  if (!written.ok) throw std::runtime_error(written.error);
  SubDictSet enabled = group.Enabled();
  enabled.Set(o.subDict, true);
  group.SetEnabled(enabled);
  if (!SaveGroupTable(o.outDir, table)) throw std::runtime_error("cannot write groups.dgi in " + o.outDir.string());
  return report;
}

}  // namespace lexmora::tools
