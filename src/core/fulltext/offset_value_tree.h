// A tree of losers for merging sorted runs whose comparisons mostly look at
// offset-value codes instead of the records. A record's code describes it
// against a base record that comes before it: the first key byte where the
// two differ and the record's byte there. Two records coded against the
// same base are ordered by their codes alone unless the codes are equal;
// only then are the key bytes after that place compared. Every record that
// waits in the tree is coded against the record that beat it, and a run's
// next record is coded against the one it follows, so that merging records
// which share long stretches (a word and its zero padding) rarely reads
// those stretches more than once.
//
// Order: the first k bytes as unsigned bytes, ascending or descending; on
// equal keys the source with the lower number wins.
//
// It plays its matches itself rather than through SelectionTree: there a
// dry source is a flag looked up on every match, here it is the largest
// code, and the merges took about 0.3 s more processor time the other way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "fulltext/sort_key_order.h"

namespace lexmora {

class OffsetValueTree {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  OffsetValueTree(std::size_t sources, std::size_t keyLength, bool descending)
      : n_(sources), k_(keyLength), descending_(descending), records_(sources, nullptr), codes_(sources, kDry) {
    size_ = 1;
    while (size_ < n_) size_ *= 2;
    losers_.assign(size_, kNone);
  }

  // The first record of every source (null for an empty one); plays all
  // matches. Before anything has been merged the codes are taken against an
  // imaginary base that differs from every record in its first byte.
  void Start(const std::vector<const std::uint8_t*>& first) {
    for (std::size_t s = 0; s < n_; ++s) {
      records_[s] = first[s];
      codes_[s] = first[s] ? Code(0, first[s][0]) : kDry;
    }
    winner_ = size_ == 1 ? (n_ == 1 ? 0 : kNone) : Build(1);
  }

  // The source whose record comes next, or kNone when all are dry.
  std::size_t Winner() const { return winner_ != kNone && codes_[winner_] != kDry ? winner_ : kNone; }

  // The winner's source moved on: previous is the record just taken (its
  // bytes must still be readable), next the source's following record or
  // null when it has run dry.
  void Advance(std::size_t source, const std::uint8_t* previous, const std::uint8_t* next) {
    records_[source] = next;
    if (next) {
      const std::size_t j = FirstDifferentByte(next, previous, 0, k_);
      codes_[source] = j == k_ ? 0 : Code(j, next[j]);
    } else {
      codes_[source] = kDry;
    }
    std::size_t candidate = source;
    for (std::size_t node = (size_ + source) / 2; node >= 1; node /= 2) {
      if (Beats(losers_[node], candidate)) std::swap(losers_[node], candidate);
    }
    winner_ = candidate;
  }

 private:
  static constexpr std::uint32_t kDry = 0xFFFFFFFFu;

  // Smaller codes come first: a longer stretch equal to the base, then the
  // byte after it in the direction of the order.
  std::uint32_t Code(std::size_t offset, std::uint8_t value) const {
    return static_cast<std::uint32_t>((k_ - offset) << 8) | (descending_ ? 255u - value : value);
  }

  // True when source a's record comes before source b's; both are coded
  // against the same base. When the codes are equal the loser is coded
  // anew against the winner.
  bool Beats(std::size_t a, std::size_t b) {
    if (a == kNone) return false;
    if (b == kNone) return true;
    const std::uint32_t ca = codes_[a], cb = codes_[b];
    if (ca != cb) return ca < cb;
    if (ca == kDry) return a < b;
    const std::size_t offset = k_ - (ca >> 8);  // where both leave the base; k: both equal it
    if (offset < k_) {
      const std::size_t j = FirstDifferentByte(records_[a], records_[b], offset + 1, k_);
      if (j < k_) {
        const bool aFirst = descending_ ? records_[a][j] > records_[b][j] : records_[a][j] < records_[b][j];
        const std::size_t loser = aFirst ? b : a;
        codes_[loser] = Code(j, records_[loser][j]);
        return aFirst;
      }
    }
    // Equal keys: the lower source first; the other equals it.
    codes_[a < b ? b : a] = 0;
    return a < b;
  }

  std::size_t Build(std::size_t node) {
    std::size_t left, right;
    if (2 * node >= size_) {
      left = 2 * node - size_;
      right = left + 1;
      if (left >= n_) left = kNone;
      if (right >= n_) right = kNone;
    } else {
      left = Build(2 * node);
      right = Build(2 * node + 1);
    }
    if (Beats(right, left)) std::swap(left, right);
    losers_[node] = right;
    return left;
  }

  std::size_t n_, k_;
  bool descending_;
  std::size_t size_ = 1;
  std::vector<const std::uint8_t*> records_;
  std::vector<std::uint32_t> codes_;
  std::vector<std::size_t> losers_;  // by inner node, 1 .. size - 1
  std::size_t winner_ = kNone;
};

}  // namespace lexmora
