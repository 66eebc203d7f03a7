#include "game/game_words.h"

#include <algorithm>
#include <bit>
#include <numeric>

#include "game/game_random.h"

namespace lexmora {

GameWordTable ScanGameWords(const LoadedGroup& group) {
  GameWordTable table(group.entries.size(), kUnknown);
  // Articles in the order they stand in their bases, so that the reader
  // takes them from its window rather than seeking for each.
  std::vector<std::uint32_t> order(group.entries.size());
  std::iota(order.begin(), order.end(), 0u);
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    const VoclIndexRecord& x = group.entries[a];
    const VoclIndexRecord& y = group.entries[b];
    if (x.SubDict() != y.SubDict()) return x.SubDict() < y.SubDict();
    return x.ArticleOffset() < y.ArticleOffset();
  });
  ArticleReader reader(group);
  for (std::uint32_t entry : order)
    table[entry] = HasGameSection(reader.Read(static_cast<int>(entry))) ? kGameWord : kNotGameWord;
  return table;
}

GameWordSource::GameWordSource(const LoadedGroup& group, ArticleReader& reader, GameWordTable* table)
    : group_(group), reader_(reader), table_(table ? *table : own_) {
  if (table_.size() != group_.entries.size()) table_.assign(group_.entries.size(), kUnknown);
}

bool GameWordSource::IsGameWord(int position) {
  if (position < 0 || position >= WordCount()) return false;
  std::uint8_t& mark = table_[static_cast<std::size_t>(position)];
  if (mark == kUnknown) mark = HasGameSection(reader_.Read(position)) ? kGameWord : kNotGameWord;
  return mark == kGameWord;
}

GameWordInfoRecord GameWordSource::MakeGameWord(int position, GameRandom& random) {
  if (position < 0 || position >= WordCount()) return {};
  const VoclIndexRecord& entry = group_.entries[static_cast<std::size_t>(position)];
  return MakeGameWordFromText(entry.Display(), reader_.Read(position), group_.codePage, random);
}

void FreeWordSet::Assign(std::size_t size, bool free) {
  size_ = size;
  free_ = free ? size : 0;
  bits_.assign((size + 63) / 64, free ? ~std::uint64_t{0} : 0);
  if (free && size % 64 != 0) bits_.back() = (std::uint64_t{1} << (size % 64)) - 1;
  summary_.assign((bits_.size() + 63) / 64, 0);
  for (std::size_t w = 0; w < bits_.size(); ++w)
    if (bits_[w] != 0) summary_[w / 64] |= std::uint64_t{1} << (w % 64);
}

void FreeWordSet::Set(std::size_t i, bool free) {
  if (i >= size_ || IsFree(i) == free) return;
  std::uint64_t& word = bits_[i / 64];
  const std::size_t w = i / 64;
  if (free) {
    word |= std::uint64_t{1} << (i % 64);
    summary_[w / 64] |= std::uint64_t{1} << (w % 64);
    ++free_;
  } else {
    word &= ~(std::uint64_t{1} << (i % 64));
    if (word == 0) summary_[w / 64] &= ~(std::uint64_t{1} << (w % 64));
    --free_;
  }
}

std::size_t FreeWordSet::NextFree(std::size_t start) const {
  if (start >= size_ || free_ == 0) return size_;
  std::size_t w = start / 64;
  const std::uint64_t here = bits_[w] & (~std::uint64_t{0} << (start % 64));
  if (here != 0) return w * 64 + static_cast<std::size_t>(std::countr_zero(here));
  // The next word of bits that holds a free word, through the summary.
  ++w;
  for (std::size_t s = w / 64; s < summary_.size(); ++s) {
    std::uint64_t mask = summary_[s];
    if (s == w / 64) mask &= ~std::uint64_t{0} << (w % 64);
    if (mask == 0) continue;
    const std::size_t found = s * 64 + static_cast<std::size_t>(std::countr_zero(mask));
    return found * 64 + static_cast<std::size_t>(std::countr_zero(bits_[found]));
  }
  return size_;
}

GameWordChooser::GameWordChooser(GameWordSource& source, GameRandom& random, GameWordScope scope)
    : source_(source), random_(random), scope_(scope) {
  free_.Assign(static_cast<std::size_t>(source_.WordCount()), true);
}

void GameWordChooser::Reset() {
  if (scope_.viewMode == kViewFull || !scope_.viewList) {
    free_.Assign(free_.Size(), true);
    return;
  }
  // Nothing is free: the words outside the list stay used, those of the
  // list become free again.
  for (std::uint32_t entry : *scope_.viewList) free_.Set(entry, true);
}

int GameWordChooser::PickFreeWord(int start) {
  const std::size_t n = free_.Size();
  if (n == 0) return -1;
  const std::size_t from = start >= 0 && static_cast<std::size_t>(start) < n ? static_cast<std::size_t>(start) : 0;
  const auto find = [&] {
    std::size_t p = free_.NextFree(from);
    if (p == n) p = free_.NextFree(0);
    return p;
  };
  std::size_t p = find();
  if (p == n) {
    Reset();
    p = find();
    if (p == n) return -1;
  }
  free_.Set(p, false);
  return static_cast<int>(p);
}

bool GameWordChooser::ChooseGameWords(bool withRecords, int count, std::vector<GameWordInfoRecord>& words,
                                      NotepadARRAY& marks) {
  const int n = source_.WordCount();
  words.assign(static_cast<std::size_t>(std::max(count, 0)), GameWordInfoRecord{});
  marks.assign(static_cast<std::size_t>(n), 0);
  if (withRecords && scope_.viewMode != kViewFull && scope_.viewList) {
    free_.Assign(static_cast<std::size_t>(n), false);
    for (std::uint32_t entry : *scope_.viewList) free_.Set(entry, true);
  } else {
    free_.Assign(static_cast<std::size_t>(n), true);
  }
  for (int k = 1; k <= count; ++k) {
    bool found = false;
    for (int attempt = 0; attempt < n && !found; ++attempt) {
      const int position = PickFreeWord(random_.Uniform(n));
      if (position < 0) break;  // nothing to draw from
      if (!source_.IsGameWord(position)) continue;
      found = true;
      marks[static_cast<std::size_t>(position)] = 1;
      if (withRecords) words[static_cast<std::size_t>(k - 1)] = source_.MakeGameWord(position, random_);
    }
    if (found) continue;
    if (k == 1) return false;
    // The words found so far, again and again in order.
    for (int j = k; j <= count; ++j)
      words[static_cast<std::size_t>(j - 1)] = words[static_cast<std::size_t>((j - k) % (k - 1))];
    return true;
  }
  return true;
}

}  // namespace lexmora
