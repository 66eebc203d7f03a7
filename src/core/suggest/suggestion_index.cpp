#include "suggest/suggestion_index.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "dictionary/lookup.h"
#include "suggest/azeri_stems.h"
#include "suggest/hunspell_stems.h"
#include "suggest/transliteration.h"
#include "text/code_page.h"
#include "text/trim.h"

namespace lexmora {

const char* SuggestionKindName(SuggestionKind kind) {
  switch (kind) {
    case SuggestionKind::Exact: return "exact";
    case SuggestionKind::Folded: return "folded";
    case SuggestionKind::Translit: return "translit";
    case SuggestionKind::Inflected: return "inflected";
    case SuggestionKind::Typo: return "typo";
  }
  return "";
}

SuggestionIndex::SuggestionIndex(const LoadedGroup& group, HeadwordLanguage language,
                                 std::shared_ptr<const HunspellStemmer> stemmer, bool sharedStemmerOnUse)
    : language_(language), stemmer_(std::move(stemmer)), stemmerOnUse_(sharedStemmerOnUse) {
  struct Item {
    std::uint32_t start, length, row;
  };
  std::u16string all;
  std::vector<Item> items;
  items.reserve(group.entries.size());
  all.reserve(group.entries.size() * 12);
  auto add = [&](const std::u16string& key, std::size_t row) {
    if (key.empty()) return;
    items.push_back({static_cast<std::uint32_t>(all.size()), static_cast<std::uint32_t>(key.size()),
                     static_cast<std::uint32_t>(row)});
    all += key;
  };
  for (std::size_t row = 0; row < group.entries.size(); ++row) {
    const std::u16string headword = ToUnicode(group.entries[row].Display(), group.codePage);
    add(FoldForSearch(Trim(headword), language_), row);
    if (language_ == HeadwordLanguage::German) add(GermanDigraphKey(Trim(headword)), row);
  }
  const std::u16string_view text(all);
  auto keyOf = [&](const Item& i) { return text.substr(i.start, i.length); };
  std::sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
    const int c = keyOf(a).compare(keyOf(b));
    return c != 0 ? c < 0 : a.row < b.row;
  });
  rows_.reserve(items.size());
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i == 0 || keyOf(items[i]) != keyOf(items[i - 1])) {
      keyStart_.push_back(static_cast<std::uint32_t>(keys_.size()));
      rowStart_.push_back(static_cast<std::uint32_t>(rows_.size()));
      keys_ += keyOf(items[i]);
      maxKeyLength_ = std::max<std::size_t>(maxKeyLength_, items[i].length);
    }
    if (rows_.size() == rowStart_.back() || rows_.back() != items[i].row) rows_.push_back(items[i].row);
  }
  keyStart_.push_back(static_cast<std::uint32_t>(keys_.size()));
  rowStart_.push_back(static_cast<std::uint32_t>(rows_.size()));
  keys_.shrink_to_fit();
}

const HunspellStemmer* SuggestionIndex::Stemmer() const {
  if (stemmerOnUse_) std::call_once(stemmerLoaded_, [this] { stemmer_ = SharedStemmer(language_); });
  return stemmer_.get();
}

std::size_t SuggestionIndex::MemoryBytes() const {
  return keys_.capacity() * sizeof(char16_t) +
         (keyStart_.capacity() + rowStart_.capacity() + rows_.capacity()) * sizeof(std::uint32_t);
}

std::size_t SuggestionIndex::Find(std::u16string_view key) const {
  std::size_t lo = 0, hi = KeyCount();
  while (lo < hi) {
    const std::size_t mid = lo + (hi - lo) / 2;
    const int c = Key(mid).compare(key);
    if (c == 0) return mid;
    if (c < 0) lo = mid + 1;
    else hi = mid;
  }
  return std::u16string_view::npos;
}

std::vector<std::uint32_t> SuggestionIndex::RowsOfKey(std::u16string_view key) const {
  const std::size_t k = Find(key);
  if (k == std::u16string_view::npos) return {};
  return {rows_.begin() + rowStart_[k], rows_.begin() + rowStart_[k + 1]};
}

std::vector<std::uint32_t> SuggestionIndex::RowsNear(std::u16string_view typed, int maxDistance) const {
  std::vector<std::pair<std::size_t, int>> near;
  FindNear(FoldForSearch(typed, language_), maxDistance, near);
  std::vector<std::pair<int, std::uint32_t>> ranked;
  for (const auto& [k, d] : near)
    for (std::uint32_t r = rowStart_[k]; r < rowStart_[k + 1]; ++r) ranked.emplace_back(d, rows_[r]);
  std::sort(ranked.begin(), ranked.end());
  std::vector<std::uint32_t> rows;
  for (const auto& [d, row] : ranked) rows.push_back(row);
  return rows;
}

void SuggestionIndex::FindNear(std::u16string_view key, int maxDistance,
                               std::vector<std::pair<std::size_t, int>>& out) const {
  const std::size_t m = key.size();
  const std::size_t width = m + 1;
  // rows[L * width + j]: the distance between the first L letters of the
  // walked prefix and the first j letters of the key.
  std::vector<int> rows((maxKeyLength_ + 2) * width);
  for (std::size_t j = 0; j <= m; ++j) rows[j] = static_cast<int>(j);
  // The keys [lo, hi) share the walked prefix of `depth` letters, whose
  // last letter is `last`.
  auto walk = [&](auto& self, std::size_t depth, std::size_t lo, std::size_t hi, char16_t last) -> void {
    const int* cur = &rows[depth * width];
    std::size_t i = lo;
    if (Key(i).size() == depth) {  // the prefix itself is a key (keys are unique)
      if (cur[m] <= maxDistance) out.emplace_back(i, cur[m]);
      ++i;
    }
    while (i < hi) {
      const char16_t c = Key(i)[depth];
      // The end of the keys whose next letter is c.
      std::size_t a = i + 1, b = hi;
      while (a < b) {
        const std::size_t mid = a + (b - a) / 2;
        if (Key(mid)[depth] == c) a = mid + 1;
        else b = mid;
      }
      const std::size_t j = a;
      int* next = &rows[(depth + 1) * width];
      next[0] = static_cast<int>(depth + 1);
      int best = next[0];
      for (std::size_t col = 1; col <= m; ++col) {
        const int cost = key[col - 1] == c ? 0 : 1;
        int v = std::min({cur[col] + 1, next[col - 1] + 1, cur[col - 1] + cost});
        if (depth >= 1 && col >= 2 && key[col - 1] == last && key[col - 2] == c)
          v = std::min(v, rows[(depth - 1) * width + col - 2] + 1);  // two letters swapped
        next[col] = v;
        best = std::min(best, v);
      }
      if (best <= maxDistance) self(self, depth + 1, i, j, c);
      i = j;
    }
  };
  if (KeyCount() > 0) walk(walk, 0, 0, KeyCount(), 0);
}

namespace {

// Every spelling of an Azeri folded text in which some of the a's stand for
// ə typed as a (at most the first four a's are tried).
std::vector<std::u16string> SchwaTypedAsA(const std::u16string& folded) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < folded.size() && positions.size() < 4; ++i)
    if (folded[i] == u'a') positions.push_back(i);
  std::vector<std::u16string> out;
  for (unsigned mask = 1; mask < (1u << positions.size()); ++mask) {
    std::u16string v = folded;
    for (std::size_t b = 0; b < positions.size(); ++b)
      if (mask & (1u << b)) v[positions[b]] = u'e';
    out.push_back(std::move(v));
  }
  return out;
}

}  // namespace

std::vector<Suggestion> SuggestionIndex::Suggest(std::u16string_view typed, const LoadedGroup& group,
                                                 std::size_t limit) const {
  std::vector<Suggestion> out;
  const std::u16string text = Trim(typed);
  if (text.empty() || text.size() > kMaxTyped || limit == 0 || group.entries.empty()) return out;
  std::vector<std::uint32_t> found;
  // Adds the rows found for one kind, by row, each row once overall.
  auto take = [&](SuggestionKind how) {
    std::sort(found.begin(), found.end());
    for (std::uint32_t row : found) {
      if (out.size() >= limit) break;
      if (std::none_of(out.begin(), out.end(), [row](const Suggestion& s) { return s.row == static_cast<int>(row); }))
        out.push_back({static_cast<int>(row), how});
    }
    found.clear();
  };
  auto collect = [&](std::u16string_view key) {
    const std::size_t k = Find(key);
    if (k != std::u16string_view::npos) found.insert(found.end(), rows_.begin() + rowStart_[k], rows_.begin() + rowStart_[k + 1]);
  };

  // Exact: the headwords the input box's own lookup lands on as equal.
  found = ExactRows(LookupKey(text, group.codePage), group);
  take(SuggestionKind::Exact);

  // Folded.
  const std::u16string folded = FoldForSearch(text, language_);
  collect(folded);
  if (language_ == HeadwordLanguage::Azeri)
    for (const std::u16string& v : SchwaTypedAsA(folded)) collect(v);
  take(SuggestionKind::Folded);

  // Another alphabet.
  std::vector<std::u16string> bases{folded};
  if (language_ == HeadwordLanguage::Azeri && HasCyrillic(text)) {
    bases.push_back(FoldForSearch(AzeriCyrillicToLatin(text), language_));
  } else if (language_ == HeadwordLanguage::Russian && HasLatin(text) && !HasCyrillic(text)) {
    for (const std::u16string& v : RussianLatinToCyrillic(text)) bases.push_back(FoldForSearch(v, language_));
  }
  for (std::size_t b = 1; b < bases.size(); ++b) collect(bases[b]);
  take(SuggestionKind::Translit);

  // Inflected forms.
  if (language_ == HeadwordLanguage::Azeri) {
    for (const std::u16string& base : bases)
      for (const std::u16string& stem : AzeriStemCandidates(base)) collect(stem);
  } else if (const HunspellStemmer* stemmer = Stemmer()) {
    std::vector<std::u16string> words{std::u16string(text)};
    if (bases.size() > 1) words.push_back(bases[1]);  // the likeliest transliteration
    for (const std::u16string& word : words)
      for (const std::u16string& stem : stemmer->Stems(word)) collect(FoldForSearch(stem, language_));
  }
  take(SuggestionKind::Inflected);

  // Typos: one edit, two in words of eight letters or more.
  if (out.size() < limit) {
    const std::u16string& base = bases.size() > 1 ? bases[1] : bases[0];
    if (base.size() >= 3) {
      found = RowsNear(base, base.size() >= 8 ? 2 : 1);
      for (std::uint32_t row : found) {
        if (out.size() >= limit) break;
        if (std::none_of(out.begin(), out.end(), [row](const Suggestion& s) { return s.row == static_cast<int>(row); }))
          out.push_back({static_cast<int>(row), SuggestionKind::Typo});
      }
    }
  }
  return out;
}

std::shared_ptr<const HunspellStemmer> SharedStemmer(HeadwordLanguage language) {
  static std::mutex mutex;
  static std::map<HeadwordLanguage, std::shared_ptr<const HunspellStemmer>> loaded;
  std::lock_guard lock(mutex);
  auto it = loaded.find(language);
  if (it == loaded.end()) it = loaded.emplace(language, HunspellStemmer::Open(language)).first;
  return it->second;
}

}  // namespace lexmora
