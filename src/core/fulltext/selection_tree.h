// Picks the first of k sorted sources over and over with about log2(k)
// comparisons per pick: a tree of losers whose leaves are the sources. Each
// inner node keeps the source that lost the match played there, so that
// after the winner advances only its own path is replayed, one comparison
// per level. A source that has run dry loses every match; on equal records
// the source with the lower number wins, as a plain scan from the first
// source would choose.
#pragma once

#include <cstddef>
#include <vector>

namespace lexmora {

template <typename Compare>  // int Compare(std::size_t a, std::size_t b): <0 when a's record comes first
class SelectionTree {
 public:
  SelectionTree(std::size_t sources, std::vector<bool>& live, Compare compare)
      : k_(1), live_(live), compare_(compare) {
    while (k_ < sources) k_ *= 2;
    n_ = sources;
    losers_.assign(k_, kNone);
    winner_ = k_ == 1 ? (n_ == 1 ? 0 : kNone) : Build(1);
  }

  // The source whose record comes first, or kNone when all are dry.
  std::size_t Winner() const { return winner_ != kNone && live_[winner_] ? winner_ : kNone; }

  // Replays the matches on the path of the winner after it advanced (or ran
  // dry).
  void Update(std::size_t source) {
    std::size_t candidate = source;
    for (std::size_t node = (k_ + source) / 2; node >= 1; node /= 2) {
      if (Beats(losers_[node], candidate)) std::swap(losers_[node], candidate);
    }
    winner_ = candidate;
  }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

 private:
  bool Dry(std::size_t s) const { return s == kNone || s >= n_ || !live_[s]; }
  // True when a comes before b: a dry source never does, and of two equal
  // records the lower source number wins.
  bool Beats(std::size_t a, std::size_t b) const {
    if (Dry(a)) return false;
    if (Dry(b)) return true;
    const int c = compare_(a, b);
    return c < 0 || (c == 0 && a < b);
  }
  // Plays the matches below node; returns the winner, keeping the losers.
  std::size_t Build(std::size_t node) {
    std::size_t left, right;
    if (2 * node >= k_) {
      left = 2 * node - k_;
      right = left + 1;
    } else {
      left = Build(2 * node);
      right = Build(2 * node + 1);
    }
    if (Beats(right, left)) std::swap(left, right);
    losers_[node] = right;
    return left;
  }

  std::size_t k_;
  std::size_t n_ = 0;
  std::vector<bool>& live_;
  Compare compare_;
  std::vector<std::size_t> losers_;  // by inner node, 1 .. k - 1
  std::size_t winner_ = kNone;
};

}  // namespace lexmora
