#include "fulltext/searcher.h"

#include <algorithm>
#include <array>
#include <memory>
#include <cstdio>
#include <cstring>

#include "dictionary/byte_io.h"
#include "fulltext/query_words.h"
#include "fulltext/raw_file.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

// A file's result list: lines sorted by article, each with the form that
// found it and its postings (indices into the posting store). Line i's
// postings are postings[begin[i] .. begin[i + 1]).
struct ResultLines {
  std::vector<std::uint32_t> article, form, begin{0};
  std::vector<std::uint32_t> postings;

  std::size_t size() const { return article.size(); }
  bool Has(std::uint32_t t) const { return std::binary_search(article.begin(), article.end(), t); }
  // A line is opened, given its postings one by one, then closed.
  void Open(std::uint32_t t, std::uint32_t f) {
    article.push_back(t);
    form.push_back(f);
  }
  void Append(const std::uint32_t* p, std::size_t n) { postings.insert(postings.end(), p, p + n); }
  void Close() { begin.push_back(static_cast<std::uint32_t>(postings.size())); }
  const std::uint32_t* Postings(std::size_t i) const { return postings.data() + begin[i]; }
  std::size_t Count(std::size_t i) const { return begin[i + 1] - begin[i]; }
};

// One hit of a query word: its article, the form that found it, its posting.
struct WordHit {
  std::uint32_t article, form, posting;
  bool operator<(const WordHit& o) const {
    if (article != o.article) return article < o.article;
    if (form != o.form) return form < o.form;
    return posting < o.posting;
  }
};

// The hits of one word as lines: one per article, with the form of its
// first hit and the postings of all, in the order (article, form, posting).
ResultLines LinesByArticle(std::vector<WordHit>& hits) {
  std::sort(hits.begin(), hits.end());
  ResultLines lines;
  for (std::size_t i = 0; i < hits.size();) {
    lines.Open(hits[i].article, hits[i].form);
    std::size_t j = i;
    for (; j < hits.size() && hits[j].article == hits[i].article; ++j) lines.postings.push_back(hits[j].posting);
    lines.Close();
    i = j;
  }
  return lines;
}

// Articles present in both lists, each as one line: of its two lines the one
// with the lower form (then the lower postings) comes first, followed by the
// postings of the other. a holds the earlier words, whose postings were all
// collected before b's, so on equal forms a's line comes first.
ResultLines Intersect(const ResultLines& a, const ResultLines& b) {
  ResultLines kept;
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (a.article[i] < b.article[j]) {
      ++i;
    } else if (b.article[j] < a.article[i]) {
      ++j;
    } else {
      const bool aFirst = a.form[i] <= b.form[j];
      const ResultLines& first = aFirst ? a : b;
      const ResultLines& second = aFirst ? b : a;
      const std::size_t fi = aFirst ? i : j, si = aFirst ? j : i;
      kept.Open(a.article[i], first.form[fi]);
      kept.Append(first.Postings(fi), first.Count(fi));
      kept.Append(second.Postings(si), second.Count(si));
      kept.Close();
      ++i;
      ++j;
    }
  }
  return kept;
}

struct FileSearch {
  RawFile tib, id2;
  std::uint32_t articleCount = 0;
  std::vector<OneIdxRecord> store;
};

// The hits of one index word. An article counts only while it is in every
// word so far: its mark, the number of leading query words it was found in,
// is wordsDone exactly when it is in the result list of those words, which
// previous is (null for the first word).
void CollectPostings(FileSearch& fs, const IndexWordRecord& word, std::uint32_t form, const ResultLines* previous,
                     std::vector<WordHit>& hits) {
  if (word.hitCount == 0) return;
  std::vector<std::uint8_t> block(static_cast<std::size_t>(word.hitCount) * ArticleHitRecord::kSize);
  if (!fs.id2.ReadAt(static_cast<std::uint64_t>(word.firstHit) * ArticleHitRecord::kSize, block.data(), block.size()))
    return;
  for (std::size_t i = 0; i < word.hitCount; ++i) {
    // The fields of the ArticleHitRecord, read in place.
    const std::uint8_t* h = block.data() + i * ArticleHitRecord::kSize;
    const std::uint32_t t = GetU32(h);
    if (t == 0 || t > fs.articleCount) continue;  // not an article of this sub-dictionary
    if (previous && !previous->Has(t)) continue;
    OneIdxRecord posting;
    posting.article = t;
    posting.place = GetU32(h + 4);
    posting.count = GetU16(h + 8);
    posting.subDict = h[10];
    hits.push_back({t, form, static_cast<std::uint32_t>(fs.store.size())});
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
    // Record lo never comes after the key and record hi always does. Probe
    // single records while the range is wide; read a narrow one whole.
    constexpr std::uint64_t kTail = 64;
    std::uint64_t lo = 1, hi = n;
    while (hi - lo > kTail) {
      const std::uint64_t mid = lo + (hi - lo) / 2;
      if (!read(mid)) return false;
      if (CompareWordKeys(key.data(), rec) < 0) hi = mid;
      else lo = mid;
    }
    std::uint8_t tail[kTail * IndexWordRecord::kSize];
    const std::size_t count = static_cast<std::size_t>(hi - lo);  // records lo .. hi - 1
    if (!tib.ReadAt((lo - 1) * IndexWordRecord::kSize, tail, count * IndexWordRecord::kSize)) return false;
    std::size_t a = 0, b = count;  // binary search for an equal key in the tail
    while (a < b) {
      const std::size_t m = a + (b - a) / 2;
      const int cm = CompareWordKeys(key.data(), tail + m * IndexWordRecord::kSize);
      if (cm == 0) {
        std::memcpy(rec, tail + m * IndexWordRecord::kSize, sizeof rec);
        out = IndexWordRecord::Parse(rec);
        return true;
      }
      if (cm < 0) b = m;
      else a = m + 1;
    }
    return false;
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
    search.articleCount = files[f].articleCount;
    ResultLines resultList;
    for (std::size_t k = 0; k < words.size(); ++k) {
      std::vector<WordHit> hits;
      const auto forms = SearchForms(words[k]);
      for (std::size_t v = 0; v < forms.size(); ++v) {
        IndexWordRecord word;
        if (FindIndexWord(search.tib, MakeWordKey(forms[v]), word))
          CollectPostings(search, word, static_cast<std::uint32_t>(v + 1), k > 0 ? &resultList : nullptr, hits);
        if (state.cancel) break;
      }
      ResultLines wordLines = LinesByArticle(hits);
      if (state.cancel) return false;
      resultList = k == 0 ? std::move(wordLines) : Intersect(resultList, wordLines);
      if (resultList.size() == 0) break;
      ++state.progress;
    }
    for (std::size_t i = 0; i < resultList.size(); ++i) {
      SearchResultRecord r;
      r.filePosition = static_cast<std::uint32_t>(f + 1);
      r.wordCounter = static_cast<std::uint32_t>(words.size() + 1);
      for (std::size_t n = 0; n < resultList.Count(i); ++n) r.occurrences.push_back(search.store[resultList.Postings(i)[n]]);
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
    // A query of a rare word reads a few bytes; one of a frequent word reads
    // on and on: each miss doubles the window, up to kWindow.
    const std::size_t length =
        static_cast<std::size_t>(std::min<std::uint64_t>(std::max<std::size_t>(size, window_), fileSize_ - offset));
    window_ = std::min(window_ * 2, kWindow);
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
  std::size_t window_ = 4096;
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
  // A slot the load did not fill holds 0: the sub-dictionary is switched off
  // or the article's record was dropped. Entries of one sub-dictionary come
  // in ascending order, so only its first article may map to entry 0, and
  // every mapped entry belongs to the result's sub-dictionary.
  if (entry >= group.entries.size() || (entry == 0 && article != 1)) return -1;
  if (group.entries[entry].SubDict() != static_cast<int>(result.subDict)) return -1;
  return static_cast<int>(entry);
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
