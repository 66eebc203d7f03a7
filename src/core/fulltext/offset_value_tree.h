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
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "fulltext/selection_tree.h"
#include "fulltext/sort_key_order.h"

namespace lexmora {

class OffsetValueTree {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  OffsetValueTree(std::size_t sources, std::size_t keyLength, bool descending)
      : k_(keyLength), descending_(descending), records_(sources, nullptr), codes_(sources, 0), live_(sources) {}
  OffsetValueTree(const OffsetValueTree&) = delete;
  OffsetValueTree& operator=(const OffsetValueTree&) = delete;

  // The first record of every source (null for an empty one); plays all
  // matches. Before anything has been merged the codes are taken against an
  // imaginary base that differs from every record in its first byte.
  void Start(const std::vector<const std::uint8_t*>& first) {
    for (std::size_t s = 0; s < records_.size(); ++s) {
      records_[s] = first[s];
      live_[s] = first[s] != nullptr;
      if (first[s]) codes_[s] = Code(0, first[s][0]);
    }
    tree_.emplace(records_.size(), live_, CodeOrder{this});
  }

  // The source whose record comes next, or kNone when all are dry.
  std::size_t Winner() const { return tree_ ? tree_->Winner() : kNone; }

  // The winner's source moved on: previous is the record just taken (its
  // bytes must still be readable), next the source's following record or
  // null when it has run dry.
  void Advance(std::size_t source, const std::uint8_t* previous, const std::uint8_t* next) {
    records_[source] = next;
    live_[source] = next != nullptr;
    if (next) {
      const std::size_t j = FirstDifferentByte(next, previous, 0, k_);
      codes_[source] = j == k_ ? 0 : Code(j, next[j]);
    }
    tree_->Update(source);
  }

 private:
  // Smaller codes come first: a longer stretch equal to the base, then the
  // byte after it in the direction of the order.
  std::uint32_t Code(std::size_t offset, std::uint8_t value) const {
    return static_cast<std::uint32_t>((k_ - offset) << 8) | (descending_ ? 255u - value : value);
  }

  // The order of sources a and b, both coded against the same base. When the
  // codes are equal the loser is coded anew against the winner; on equal
  // keys the tree lets the lower source win, and the other equals it.
  int Compare(std::size_t a, std::size_t b) {
    const std::uint32_t ca = codes_[a], cb = codes_[b];
    if (ca != cb) return ca < cb ? -1 : 1;
    const std::size_t offset = k_ - (ca >> 8);  // where both leave the base; k: both equal it
    if (offset < k_) {
      const std::size_t j = FirstDifferentByte(records_[a], records_[b], offset + 1, k_);
      if (j < k_) {
        const bool aFirst = descending_ ? records_[a][j] > records_[b][j] : records_[a][j] < records_[b][j];
        const std::size_t loser = aFirst ? b : a;
        codes_[loser] = Code(j, records_[loser][j]);
        return aFirst ? -1 : 1;
      }
    }
    codes_[a < b ? b : a] = 0;
    return 0;
  }

  struct CodeOrder {
    OffsetValueTree* tree;
    int operator()(std::size_t a, std::size_t b) const { return tree->Compare(a, b); }
  };

  std::size_t k_;
  bool descending_;
  std::vector<const std::uint8_t*> records_;
  std::vector<std::uint32_t> codes_;
  std::vector<bool> live_;
  std::optional<SelectionTree<CodeOrder>> tree_;
};

}  // namespace lexmora
