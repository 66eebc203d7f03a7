// Picks the first of k sorted sources over and over with about log2(k)
// comparisons per pick: a winner tree whose leaves are the sources. A source
// that has run dry loses every match; on equal records the source with the
// lower number wins, as a plain scan from the first source would choose.
#pragma once

#include <cstddef>
#include <vector>

namespace lexmora {

template <typename Before>  // bool Before(std::size_t a, std::size_t b): a's record comes first
class SelectionTree {
 public:
  SelectionTree(std::size_t sources, std::vector<bool>& live, Before before)
      : k_(1), live_(live), before_(before) {
    while (k_ < sources) k_ *= 2;
    n_ = sources;
    tree_.assign(2 * k_, kNone);
    for (std::size_t i = 0; i < k_; ++i) tree_[k_ + i] = i < n_ && live_[i] ? i : kNone;
    for (std::size_t node = k_ - 1; node >= 1; --node) tree_[node] = Match(tree_[2 * node], tree_[2 * node + 1]);
  }

  // The source whose record comes first, or kNone when all are dry.
  std::size_t Winner() const { return tree_[1]; }

  // Replays the matches on the path of a source after it advanced (or ran dry).
  void Update(std::size_t source) {
    std::size_t node = k_ + source;
    tree_[node] = live_[source] ? source : kNone;
    for (node /= 2; node >= 1; node /= 2) tree_[node] = Match(tree_[2 * node], tree_[2 * node + 1]);
  }

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

 private:
  std::size_t Match(std::size_t a, std::size_t b) const {
    if (a == kNone) return b;
    if (b == kNone) return a;
    // a < b always holds for the left and right subtrees' sources, so on
    // equal records a (the lower number) wins.
    return before_(b, a) ? b : a;
  }

  std::size_t k_;
  std::size_t n_ = 0;
  std::vector<bool>& live_;
  Before before_;
  std::vector<std::size_t> tree_;
};

}  // namespace lexmora
