#include "import/dictd_reader.h"

#include <algorithm>

#include "article/markup_encoder.h"
#include "dictionary/file_io.h"
#include "import/dictd_article.h"
#include "import/gzip_file.h"
#include "import/language_codes.h"
#include "text/code_page.h"
#include "text/text_lines.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

bool InsideData(const DictdIndexEntry& e, std::string_view data) {
  return e.offset <= data.size() && e.length <= data.size() - e.offset;
}

std::string_view EntryText(const DictdIndexEntry& e, std::string_view data) {
  return data.substr(static_cast<std::size_t>(e.offset), static_cast<std::size_t>(e.length));
}

std::string ReadIndexText(const fs::path& indexFile) {
  auto text = ReadWholeFile(indexFile);
  if (!text) throw ImportError(indexFile.string() + ": cannot read the file");
  return std::move(*text);
}

std::string ReadData(const fs::path& indexFile) { return ReadDictdData(DictdDataFile(indexFile)); }

}  // namespace

fs::path DictdDataFile(const fs::path& indexFile) {
  fs::path stem = indexFile;
  if (stem.extension() == ".index") stem.replace_extension();
  fs::path dz = stem;
  dz += ".dict.dz";
  if (FileSize(dz)) return dz;
  stem += ".dict";
  return stem;
}

std::string DictdDatabaseName(const std::vector<DictdIndexEntry>& entries, std::string_view data) {
  for (const DictdIndexEntry& e : entries) {
    if ((e.headword != "00-database-short" && e.headword != "00databaseshort") || !InsideData(e, data)) continue;
    for (std::string_view line : SplitLines(EntryText(e, data))) {
      line = TrimBlanks(line);
      if (line.empty() || line.rfind("00-database-short", 0) == 0 || line.rfind("00databaseshort", 0) == 0) continue;
      return std::string(line);
    }
  }
  return {};
}

DictionaryInfo ProbeDictd(const fs::path& indexFile) {
  DictionaryInfo info;
  // FreeDict's databases are named "freedict-eng-deu".
  std::string stem = indexFile.stem().string();
  if (const std::size_t dash = stem.rfind('-'); dash != std::string::npos && dash >= 3) {
    const std::size_t before = stem.rfind('-', dash - 1);
    const std::string from = stem.substr(before == std::string::npos ? 0 : before + 1, dash - (before == std::string::npos ? 0 : before + 1));
    info.fromLanguage = LanguageCode(from);
    info.toLanguage = LanguageCode(stem.substr(dash + 1));
  }
  // Only the database's description is wanted: the data is read up to its
  // end, not inflated whole (FreeDict's eng-deu holds 79 MB).
  const std::string index = ReadIndexText(indexFile);
  const std::vector<DictdIndexEntry> entries = ParseDictdIndex(index, indexFile.string());
  std::uint64_t end = 0;
  for (const DictdIndexEntry& e : entries)
    if (e.headword == "00-database-short" || e.headword == "00databaseshort") end = std::max(end, e.offset + e.length);
  constexpr std::uint64_t kHeadLimit = 1 << 20;
  if (end > 0 && end <= kHeadLimit)
    info.name = DictdDatabaseName(entries, ReadMaybeGzippedHead(DictdDataFile(indexFile), static_cast<std::size_t>(end)));
  return info;
}

ImportedDictionary ReadDictd(const fs::path& indexFile, const ImportStyles& styles, const ImportProgress& progress) {
  const std::string indexText = ReadIndexText(indexFile);
  const std::vector<DictdIndexEntry> index = ParseDictdIndex(indexText, indexFile.string());
  const std::string data = ReadData(indexFile);
  ImportedDictionary dict;
  dict.name = DictdDatabaseName(index, data);
  const DictdStyles markupStyles{styles.headword, styles.transcription, styles.text};
  std::vector<std::string_view> views;
  std::size_t done = 0;
  for (const DictdIndexEntry& e : index) {
    if (++done % 4096 == 0) ReportProgress(progress, done, index.size());
    if (IsDictdMetadata(e.headword)) continue;
    if (!InsideData(e, data)) {
      dict.Skip(std::string(e.headword), "line " + std::to_string(e.line) + ": the article lies outside " +
                                             DictdDataFile(indexFile).filename().string());
      continue;
    }
    const std::vector<std::string> lines = DictdEntryToMarkup(EntryText(e, data), e.headword, markupStyles);
    views.assign(lines.begin(), lines.end());
    dict.entries.push_back({Utf8ToUtf16(TrimBlanks(e.headword)), EncodeArticle(views, styles.text)});
  }
  return dict;
}

}  // namespace lexmora
