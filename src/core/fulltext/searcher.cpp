#include "fulltext/searcher.h"

#include <algorithm>
#include <array>
#include <memory>
#include <cstdio>

#include "fulltext/query_words.h"
#include "fulltext/raw_file.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

// One line of a file's result list: an article, the form that found it and
// the postings (indices into the posting store) that belong to it. Lines sort
// by article, then form, then postings.
struct ResultLine {
  std::uint32_t article = 0;
  std::uint32_t form = 0;
  std::vector<std::uint32_t> postings;

  bool operator<(const ResultLine& o) const {
    if (article != o.article) return article < o.article;
    if (form != o.form) return form < o.form;
    return postings < o.postings;
  }
};

// Sorted lines with equal article numbers become the first of them followed
// by the postings of the others.
std::vector<ResultLine> MergeByArticle(std::vector<ResultLine> lines) {
  std::sort(lines.begin(), lines.end());
  std::vector<ResultLine> merged;
  for (auto& line : lines) {
    if (!merged.empty() && merged.back().article == line.article) {
      merged.back().postings.insert(merged.back().postings.end(), line.postings.begin(), line.postings.end());
    } else {
      merged.push_back(std::move(line));
    }
  }
  return merged;
}

// Articles present in both lists, each as one line (the first of its two,
// followed by the postings of the second).
std::vector<ResultLine> Intersect(std::vector<ResultLine> lines) {
  std::sort(lines.begin(), lines.end());
  std::vector<ResultLine> kept;
  for (std::size_t i = 0; i < lines.size();) {
    std::size_t j = i + 1;
    while (j < lines.size() && lines[j].article == lines[i].article) ++j;
    if (j - i == 2) {
      ResultLine line = std::move(lines[i]);
      line.postings.insert(line.postings.end(), lines[i + 1].postings.begin(), lines[i + 1].postings.end());
      kept.push_back(std::move(line));
    }
    i = j;
  }
  return kept;
}

struct FileSearch {
  RawFile tib, id2;
  std::uint64_t words = 0;
  std::vector<std::uint8_t> articleMarks;
  std::vector<OneIdxRecord> store;
};

void CollectPostings(FileSearch& fs, const IndexWordRecord& word, std::uint32_t form, std::uint32_t wordsDone,
                     std::vector<ResultLine>& lines) {
  if (word.hitCount == 0) return;
  std::vector<std::uint8_t> block(static_cast<std::size_t>(word.hitCount) * ArticleHitRecord::kSize);
  if (!fs.id2.ReadAt(static_cast<std::uint64_t>(word.firstHit) * ArticleHitRecord::kSize, block.data(), block.size()))
    return;
  for (std::size_t i = 0; i < word.hitCount; ++i) {
    const ArticleHitRecord hit = ArticleHitRecord::Parse(block.data() + i * ArticleHitRecord::kSize);
    const std::uint32_t t = hit.article;
    if (t == 0 || t >= fs.articleMarks.size()) continue;  // not an article of this sub-dictionary
    if (fs.articleMarks[t] < wordsDone) continue;
    if (fs.articleMarks[t] == wordsDone) ++fs.articleMarks[t];
    OneIdxRecord posting;
    posting.article = t;
    posting.place = hit.firstPosition;
    posting.count = hit.positionCount;
    posting.subDict = hit.subDict;
    lines.push_back({t, form, {static_cast<std::uint32_t>(fs.store.size())}});
    fs.store.push_back(posting);
  }
}

}  // namespace

bool FindIndexWord(RawFile& tib, const WordKey& key, IndexWordRecord& out) {
  std::uint64_t n = 0;
  try {
    n = tib.Size() / IndexWordRecord::kSize;
  } catch (const IndexIoError&) {
    return false;
  }
  if (n == 0) return false;
  std::uint8_t rec[IndexWordRecord::kSize];
  auto read = [&](std::uint64_t k) { return tib.ReadAt((k - 1) * IndexWordRecord::kSize, rec, sizeof rec); };
  if (!read(n)) return false;
  int c = CompareWordKeys(key.data(), rec);
  if (c > 0) return false;
  if (c < 0) {
    std::uint64_t lo = 1, hi = n;
    while (true) {
      const std::uint64_t d = (hi - lo) / 2;
      const std::uint64_t mid = lo + d;
      if (!read(mid)) return false;
      if (CompareWordKeys(key.data(), rec) < 0) hi = mid;
      else lo = mid;
      if (lo == hi || d == 0) break;
    }
    if (CompareWordKeys(key.data(), rec) != 0) return false;
  }
  out = IndexWordRecord::Parse(rec);
  return true;
}

bool SearchIndexFiles(const std::vector<std::u16string>& words, const std::vector<SearchFile>& files,
                      SearchResultsArray& results, SearchProgressState& state) {
  // The cancel flag is not cleared here: a cancel made between the start of
  // the search and this point must not be lost. Each search gets a fresh state.
  results.clear();
  state.progress = 0;
  state.progressMax = static_cast<std::uint32_t>(words.size() * files.size());
  for (std::size_t f = 0; f < files.size(); ++f) {
    FileSearch search;
    try {
      search.tib.Open(files[f].tib, RawFile::Mode::Read);
      search.id2.Open(WithIndexExtension(files[f].tib, ".ID2"), RawFile::Mode::Read);
    } catch (const IndexIoError&) {
      continue;  // no index: this sub-dictionary adds nothing
    }
    search.articleMarks.assign(static_cast<std::size_t>(files[f].articleCount) + 1, 0);
    std::vector<ResultLine> resultList;
    std::uint32_t wordsDone = 0;
    for (std::size_t k = 0; k < words.size(); ++k) {
      std::vector<ResultLine> wordLines;
      const auto forms = SearchForms(words[k]);
      for (std::size_t v = 0; v < forms.size(); ++v) {
        IndexWordRecord word;
        if (FindIndexWord(search.tib, MakeWordKey(forms[v]), word))
          CollectPostings(search, word, static_cast<std::uint32_t>(v + 1), wordsDone, wordLines);
        if (state.cancel) break;
      }
      wordLines = MergeByArticle(std::move(wordLines));
      for (auto& line : wordLines) resultList.push_back(std::move(line));
      if (state.cancel) return false;
      if (k > 0) resultList = Intersect(std::move(resultList));
      if (resultList.empty()) break;
      ++state.progress;
      ++wordsDone;
    }
    for (const ResultLine& line : resultList) {
      SearchResultRecord r;
      r.filePosition = static_cast<std::uint32_t>(f + 1);
      r.wordCounter = static_cast<std::uint32_t>(words.size() + 1);
      for (std::uint32_t p : line.postings) r.occurrences.push_back(search.store[p]);
      results.push_back(std::move(r));
    }
  }
  return true;
}

namespace {

// Reads position records through a few windows of the ".ID3" file. The
// positions of one query word lie together and are read in ascending order,
// so with one window per word most requests need no system call.
class PositionWindow {
 public:
  explicit PositionWindow(const fs::path& id3) {
    file_.Open(id3, RawFile::Mode::Read);
    fileSize_ = file_.Size();
  }

  // Points out at size bytes from offset; false when the file is shorter.
  bool Read(std::uint64_t offset, std::size_t size, const std::uint8_t*& out) {
    if (offset > fileSize_ || size > fileSize_ - offset) return false;
    ++clock_;
    for (Slot& slot : slots_) {
      if (offset >= slot.start && offset + size <= slot.start + slot.data.size()) {
        slot.used = clock_;
        out = slot.data.data() + (offset - slot.start);
        return true;
      }
    }
    Slot& victim = *std::min_element(slots_.begin(), slots_.end(),
                                     [](const Slot& a, const Slot& b) { return a.used < b.used; });
    const std::size_t length =
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::size_t>(size, kWindow), fileSize_ - offset));
    victim.data.resize(length);
    if (!file_.ReadAt(offset, victim.data.data(), length)) {
      victim.data.clear();
      return false;
    }
    victim.start = offset;
    victim.used = clock_;
    out = victim.data.data();
    return true;
  }

 private:
  static constexpr std::size_t kWindow = 64 * 1024;
  struct Slot {
    std::uint64_t start = 0;
    std::vector<std::uint8_t> data;
    std::uint64_t used = 0;
  };
  RawFile file_;
  std::uint64_t fileSize_ = 0;
  std::array<Slot, 8> slots_{};
  std::uint64_t clock_ = 0;
};

void ExpandPositions(PositionWindow& window, SearchResultRecord& result) {
  std::vector<OneIdxRecord> expanded;
  expanded.reserve(result.occurrences.size());
  for (const OneIdxRecord& posting : result.occurrences) {
    const std::uint8_t* block = nullptr;
    if (!window.Read(static_cast<std::uint64_t>(posting.place) * PositionRecord::kSize,
                     static_cast<std::size_t>(posting.count) * PositionRecord::kSize, block))
      break;
    for (std::size_t i = 0; i < posting.count; ++i) {
      const PositionRecord pr = PositionRecord::Parse(block + i * PositionRecord::kSize);
      OneIdxRecord o = posting;
      o.place = pr.position;
      o.lineFlag = pr.lineFlag;
      o.length = pr.length;
      expanded.push_back(o);
    }
  }
  result.occurrences = std::move(expanded);
}

}  // namespace

void LoadPositions(const fs::path& id3, SearchResultRecord& result) {
  try {
    PositionWindow window(id3);
    ExpandPositions(window, result);
  } catch (const IndexIoError&) {
    result.occurrences.clear();
  }
}

SearchResultsArray SearchGroupIndex(const fs::path& dir, const DictGroupRecord& record, const LoadedGroup& group,
                                    std::u16string_view text, SearchProgressState& state,
                                    std::vector<std::u16string>* normalizedWords) {
  SearchResultsArray results;
  std::vector<std::u16string> words = SplitQuery(text);
  if (words.empty()) return results;
  const int codePageA = record.CodePage();
  int codePageB = 1252;
  if (!group.headers.empty()) {
    const std::uint32_t locale = group.headers.front().Locale();
    codePageB = locale == 0x42C ? 1254 : LocaleAnsiCodePage(locale);
  }
  NormalizeQueryWords(words, codePageA, codePageB);
  if (normalizedWords) *normalizedWords = words;
  std::vector<SearchFile> files;
  std::vector<int> numbers;
  for (const auto& h : group.headers) {
    files.push_back({IndexFileName(dir, record.BaseName(), h.Number()), h.EntryCount()});
    numbers.push_back(h.Number());
  }
  SearchIndexFiles(words, files, results, state);
  // One open ".ID3" per sub-dictionary for all results.
  std::array<std::unique_ptr<PositionWindow>, 256> windows;
  std::array<bool, 256> failed{};
  for (auto& r : results) {
    if (!r.occurrences.empty()) {
      const int sub = r.occurrences.front().subDict;
      if (!windows[sub] && !failed[sub]) {
        try {
          windows[sub] = std::make_unique<PositionWindow>(
              WithIndexExtension(IndexFileName(dir, record.BaseName(), sub), ".ID3"));
        } catch (const IndexIoError&) {
          failed[sub] = true;
        }
      }
      if (windows[sub]) {
        try {
          ExpandPositions(*windows[sub], r);
        } catch (const IndexIoError&) {
          r.occurrences.clear();
        }
      } else {
        r.occurrences.clear();
      }
    }
    if (r.filePosition >= 1 && r.filePosition <= numbers.size())
      r.subDict = static_cast<std::uint32_t>(numbers[r.filePosition - 1]);
  }
  return results;
}

int ResultEntry(const LoadedGroup& group, const SearchResultRecord& result) {
  if (result.occurrences.empty() || result.subDict > 255) return -1;
  const std::uint8_t p = group.numberMap[result.subDict];
  if (p >= group.reindex.size()) return -1;
  const std::uint32_t article = result.occurrences.front().article;
  const auto& list = group.reindex[p];
  if (article == 0 || article > list.size()) return -1;
  const std::uint32_t entry = list[article - 1];
  return entry < group.entries.size() ? static_cast<int>(entry) : -1;
}

NotepadARRAY MarkSearchResults(const LoadedGroup& group, const SubDictSet& enabled, const SearchResultsArray& results) {
  NotepadARRAY marks(group.entries.size(), 0);
  for (const auto& r : results) {
    if (!enabled.Contains(static_cast<int>(r.subDict))) continue;
    const int entry = ResultEntry(group, r);
    if (entry >= 0) marks[static_cast<std::size_t>(entry)] = 1;
  }
  return marks;
}

std::string SearchStatusText(std::size_t items, std::int64_t ms) {
  if (ms < 0) ms = 0;
  char buf[96];
  std::snprintf(buf, sizeof buf, "items: %zu time:%02lld:%02lld %02lld.%03lld", items,
                static_cast<long long>(ms / 3600000), static_cast<long long>(ms / 60000 % 60),
                static_cast<long long>(ms / 1000 % 60), static_cast<long long>(ms % 1000));
  return buf;
}

}  // namespace lexmora
