#include "fulltext/selection_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace lexmora {
namespace {

// Merges sorted lists through the tree and records (list, value) picks.
std::vector<std::pair<std::size_t, int>> Merge(const std::vector<std::vector<int>>& lists) {
  std::vector<std::size_t> next(lists.size(), 0);
  std::vector<bool> live(lists.size());
  for (std::size_t i = 0; i < lists.size(); ++i) live[i] = !lists[i].empty();
  auto compare = [&](std::size_t a, std::size_t b) { return lists[a][next[a]] - lists[b][next[b]]; };
  SelectionTree<decltype(compare)> tree(lists.size(), live, compare);
  std::vector<std::pair<std::size_t, int>> out;
  for (std::size_t w; (w = tree.Winner()) != tree.kNone;) {
    out.emplace_back(w, lists[w][next[w]]);
    live[w] = ++next[w] < lists[w].size();
    tree.Update(w);
  }
  return out;
}

TEST(SelectionTree, MergesInOrderAndEqualValuesComeFromTheLowerSourceFirst) {
  auto out = Merge({{1, 4, 4}, {}, {0, 4, 9}, {4}, {2, 3}});
  std::vector<std::pair<std::size_t, int>> expected{{2, 0}, {0, 1}, {4, 2}, {4, 3}, {0, 4},
                                                    {0, 4}, {2, 4}, {3, 4}, {2, 9}};
  EXPECT_EQ(out, expected);
}

TEST(SelectionTree, OneSourceNoSourceAndAllDry) {
  EXPECT_EQ(Merge({{5, 6}}), (std::vector<std::pair<std::size_t, int>>{{0, 5}, {0, 6}}));
  EXPECT_TRUE(Merge({}).empty());
  EXPECT_TRUE(Merge({{}, {}, {}}).empty());
  // Sixteen sources, the chunk count of a run.
  std::vector<std::vector<int>> lists(16);
  for (int i = 0; i < 160; ++i) lists[static_cast<std::size_t>(i % 16)].push_back(i / 3);
  auto out = Merge(lists);
  ASSERT_EQ(out.size(), 160u);
  for (std::size_t i = 1; i < out.size(); ++i) {
    EXPECT_LE(out[i - 1].second, out[i].second);
    if (out[i - 1].second == out[i].second) {
      EXPECT_LT(out[i - 1].first, out[i].first);
    }
  }
}

TEST(SelectionTree, AgreesWithAPlainScanForAnyNumberOfSources) {
  std::mt19937 rng(5);
  for (std::size_t k = 1; k <= 20; ++k) {
    std::vector<std::vector<int>> lists(k);
    for (auto& list : lists) {
      list.resize(rng() % 12);
      for (int& v : list) v = static_cast<int>(rng() % 6);
      std::sort(list.begin(), list.end());
    }
    // The reference: scan the sources in order, keep the first smallest.
    std::vector<std::pair<std::size_t, int>> expected;
    std::vector<std::size_t> next(k, 0);
    while (true) {
      std::size_t best = k;
      for (std::size_t s = 0; s < k; ++s)
        if (next[s] < lists[s].size() && (best == k || lists[s][next[s]] < lists[best][next[best]])) best = s;
      if (best == k) break;
      expected.emplace_back(best, lists[best][next[best]++]);
    }
    EXPECT_EQ(Merge(lists), expected) << k << " sources";
  }
}

}  // namespace
}  // namespace lexmora
