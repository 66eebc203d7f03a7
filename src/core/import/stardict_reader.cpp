#include "import/stardict_reader.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <numeric>
#include <optional>
#include <utility>
#include <vector>

#include "dictionary/file_io.h"
#include "import/dictzip_file.h"
#include "import/stardict_article.h"
#include "import/stardict_dict_data.h"
#include "import/stardict_fields.h"
#include "import/stardict_files.h"
#include "import/stardict_sounds.h"
#include "text/code_page.h"
#include "text/trim.h"

namespace lexmora {
namespace fs = std::filesystem;
namespace {

// Progress is reported after this many entries or this much of their data.
constexpr std::size_t kProgressEntries = 1024;
constexpr std::uint64_t kProgressBytes = 1 << 20;

struct FileNames {
  std::string ifo, idx, syn, dict;
};

std::string ReadFile(const fs::path& path) {
  std::optional<std::string> data = ReadWholeFile(path);
  if (!data) throw ImportError(path.filename().string() + ": cannot be read");
  return std::move(*data);
}

fs::path WithSuffix(const fs::path& base, const char* suffix) {
  fs::path p = base;
  p += suffix;
  return p;
}

bool IsFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

// Reads the entries in the order of their data (each chunk of a dictzip
// file is inflated once) and lists them in the order of the .idx, each
// synonym after the words.
void ReadEntries(const StarDictIfo& ifo, std::string_view idx, std::string_view syn, DictData& dict,
                 const FileNames& names, StarDictSounds& sounds, const ImportStyles& styles,
                 const ImportProgress& progress, ImportedDictionary& out) {
  const std::vector<StarDictWord> words = ParseStarDictIdx(idx, ifo.offsetBits, names.idx);
  const std::vector<StarDictSynonym> synonyms = ParseStarDictSyn(syn, words.size(), names.syn, names.idx);
  std::vector<std::size_t> order(words.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return words[a].offset < words[b].offset; });

  std::vector<ImportedEntry> slots(words.size());
  std::vector<std::pair<std::size_t, SkippedEntry>> skipped;
  StarDictArticleWriter writer(styles, sounds);
  std::vector<StarDictField> fields;
  std::string why;
  const std::uint64_t dictSize = dict.Size();
  std::uint64_t bytesSinceReport = 0;
  for (std::size_t n = 0; n < order.size(); ++n) {
    const std::size_t k = order[n];
    const StarDictWord& w = words[k];
    if (n % kProgressEntries == 0 || bytesSinceReport >= kProgressBytes) {
      ReportProgress(progress, n, words.size());
      bytesSinceReport = 0;
    }
    bytesSinceReport += w.size;
    std::u16string headword = Trim(Utf8ToUtf16(w.word));
    if (headword.empty()) {
      skipped.push_back({k, {std::string(w.word), "empty headword"}});
      continue;
    }
    if (w.offset > dictSize || w.size > dictSize - w.offset)
      throw ImportError(names.idx + ": entry " + std::to_string(k + 1) + " at byte " + std::to_string(w.at) + ": " +
                        (w.offset > dictSize ? "offset" : "data") + " beyond " + names.dict);
    if (const char* error = SplitStarDictFields(dict.Read(w.offset, w.size), ifo.sameTypeSequence, fields))
      throw ImportError(names.dict + ": entry " + std::to_string(k + 1) + " (" + std::string(w.word) + ") at byte " +
                        std::to_string(w.offset) + ": " + error);
    std::string article = writer.Write(headword, fields, why);
    if (article.empty()) {
      skipped.push_back({k, {std::string(w.word), why}});
      continue;
    }
    slots[k] = {std::move(headword), std::move(article)};
  }
  ReportProgress(progress, words.size(), words.size());

  // Each synonym copies its word's article. So that a small .syn cannot make
  // many copies of a long article, the copies may hold at most a fixed
  // multiple of what the files hold.
  const std::uint64_t copyBudget = 16 * (std::uint64_t{idx.size()} + syn.size() + dictSize) + (16u << 20);
  std::uint64_t copied = 0;
  std::vector<ImportedEntry> synonymEntries;
  std::vector<SkippedEntry> synonymSkips;
  for (std::size_t s = 0; s < synonyms.size(); ++s) {
    const StarDictSynonym& synonym = synonyms[s];
    std::u16string headword = Trim(Utf8ToUtf16(synonym.word));
    const ImportedEntry& target = slots[synonym.index];
    if (headword.empty()) {
      synonymSkips.push_back({std::string(synonym.word), "empty synonym"});
    } else if (target.article.empty()) {
      synonymSkips.push_back(
          {std::string(synonym.word), "its word \"" + std::string(words[synonym.index].word) + "\" is left out"});
    } else {
      copied += target.article.size();
      if (copied > copyBudget)
        throw ImportError(names.syn + ": entry " + std::to_string(s + 1) + " at byte " + std::to_string(synonym.at) +
                          ": the synonyms copy their articles far more often than a dictionary of this size can hold");
      synonymEntries.push_back({std::move(headword), target.article});
    }
  }

  std::stable_sort(skipped.begin(), skipped.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  out.entries.reserve(words.size() - skipped.size() + synonymEntries.size());
  for (ImportedEntry& e : slots)
    if (!e.article.empty()) out.entries.push_back(std::move(e));
  std::move(synonymEntries.begin(), synonymEntries.end(), std::back_inserter(out.entries));
  out.skipped.reserve(skipped.size() + synonymSkips.size());
  for (auto& [k, entry] : skipped) out.skipped.push_back(std::move(entry));
  std::move(synonymSkips.begin(), synonymSkips.end(), std::back_inserter(out.skipped));
}

}  // namespace

DictionaryInfo ProbeStarDict(const fs::path& ifoFile) {
  DictionaryInfo info;
  info.name = ParseStarDictIfo(ReadFile(ifoFile), ifoFile.filename().string()).bookname;
  return info;
}

ImportedDictionary ReadStarDict(const fs::path& ifoFile, const ImportStyles& styles, const ImportProgress& progress) {
  const fs::path base = fs::path(ifoFile).replace_extension();
  const std::string stem = base.filename().string();
  FileNames names{ifoFile.filename().string(), stem + ".idx", stem + ".syn", stem + ".dict"};
  const StarDictIfo ifo = ParseStarDictIfo(ReadFile(ifoFile), names.ifo);

  std::string idx;
  if (IsFile(WithSuffix(base, ".idx"))) {
    idx = ReadFile(WithSuffix(base, ".idx"));
  } else if (IsFile(WithSuffix(base, ".idx.gz"))) {
    names.idx += ".gz";
    idx = GunzipImage(ReadFile(WithSuffix(base, ".idx.gz")), names.idx);
  } else {
    throw ImportError(names.ifo + ": " + names.idx + " (or " + names.idx + ".gz) is missing beside it");
  }
  const std::string syn = IsFile(WithSuffix(base, ".syn")) ? ReadFile(WithSuffix(base, ".syn")) : std::string();

  std::unique_ptr<DictData> dict;
  if (IsFile(WithSuffix(base, ".dict"))) {
    dict = std::make_unique<FileDictData>(WithSuffix(base, ".dict"));
  } else if (IsFile(WithSuffix(base, ".dict.dz"))) {
    names.dict += ".dz";
    dict = OpenDictzip(ReadFile(WithSuffix(base, ".dict.dz")), names.dict);
  } else {
    throw ImportError(names.ifo + ": " + names.dict + " (or " + names.dict + ".dz) is missing beside it");
  }

  ImportedDictionary out;
  out.name = ifo.bookname;
  std::error_code ec;
  const fs::path res = ifoFile.parent_path() / "res";
  StarDictSounds sounds(fs::is_directory(res, ec) ? res : fs::path(), out);
  ReadEntries(ifo, idx, syn, *dict, names, sounds, styles, progress, out);
  return out;
}

ImportedDictionary ReadStarDictImages(std::string_view ifo, std::string_view idx, std::string_view syn,
                                      std::string_view dict, const ImportStyles& styles, const std::string& baseName) {
  const FileNames names{baseName + ".ifo", baseName + ".idx", baseName + ".syn", baseName + ".dict"};
  ImportedDictionary out;
  const StarDictIfo parsed = ParseStarDictIfo(ifo, names.ifo);
  out.name = parsed.bookname;
  MemoryDictData data(dict);
  StarDictSounds sounds({}, out);
  ReadEntries(parsed, idx, syn, data, names, sounds, styles, {}, out);
  return out;
}

}  // namespace lexmora
