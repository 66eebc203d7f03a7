#include "fulltext/offset_value_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace lexmora {
namespace {

using Pick = std::pair<std::size_t, std::string>;

// Merges sorted lists of records through the tree: (source, record) picks.
std::vector<Pick> Merge(const std::vector<std::vector<std::string>>& lists, std::size_t k, bool descending) {
  std::vector<std::size_t> next(lists.size(), 0);
  std::vector<const std::uint8_t*> first(lists.size(), nullptr);
  auto at = [&](std::size_t s) { return reinterpret_cast<const std::uint8_t*>(lists[s][next[s]].data()); };
  for (std::size_t s = 0; s < lists.size(); ++s)
    if (!lists[s].empty()) first[s] = at(s);
  OffsetValueTree tree(lists.size(), k, descending);
  tree.Start(first);
  std::vector<Pick> out;
  for (std::size_t w; (w = tree.Winner()) != tree.kNone;) {
    out.emplace_back(w, lists[w][next[w]]);
    const std::uint8_t* taken = at(w);
    ++next[w];
    tree.Advance(w, taken, next[w] < lists[w].size() ? at(w) : nullptr);
  }
  return out;
}

// The reference: scan the sources in order and keep the first whose record
// comes first by the first k bytes.
std::vector<Pick> Scan(const std::vector<std::vector<std::string>>& lists, std::size_t k, bool descending) {
  auto before = [&](const std::string& a, const std::string& b) {
    const int c = std::memcmp(a.data(), b.data(), k);
    return descending ? c > 0 : c < 0;
  };
  std::vector<std::size_t> next(lists.size(), 0);
  std::vector<Pick> out;
  while (true) {
    std::size_t best = lists.size();
    for (std::size_t s = 0; s < lists.size(); ++s)
      if (next[s] < lists[s].size() && (best == lists.size() || before(lists[s][next[s]], lists[best][next[best]])))
        best = s;
    if (best == lists.size()) return out;
    out.emplace_back(best, lists[best][next[best]++]);
  }
}

TEST(OffsetValueTree, AgreesWithAPlainScan) {
  // Records over two byte values with a tail beyond the key, so that keys
  // share long stretches, are often equal, and equal keys carry different
  // tails whose order shows which source won.
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    const std::size_t k = 1 + rng() % 40;
    const bool descending = round % 2 == 1;
    const std::size_t sources = 1 + rng() % 12;
    std::vector<std::vector<std::string>> lists(sources);
    for (auto& list : lists) {
      list.resize(rng() % 30);
      for (auto& rec : list) {
        rec.assign(k + 4, '\0');
        const std::size_t varying = rng() % (k + 1);  // bytes before this one are zero
        for (std::size_t i = varying; i < k; ++i) rec[i] = static_cast<char>(rng() % 2 ? 0xFF : 0x00);
        for (std::size_t i = k; i < k + 4; ++i) rec[i] = static_cast<char>(rng());
      }
      std::stable_sort(list.begin(), list.end(), [&](const std::string& a, const std::string& b) {
        const int c = std::memcmp(a.data(), b.data(), k);
        return descending ? c > 0 : c < 0;
      });
    }
    ASSERT_EQ(Merge(lists, k, descending), Scan(lists, k, descending))
        << "round " << round << ", key " << k << ", " << sources << " sources";
  }
}

TEST(OffsetValueTree, NoSourceAndEmptySources) {
  EXPECT_TRUE(Merge({}, 4, false).empty());
  EXPECT_TRUE(Merge({{}, {}, {}}, 4, false).empty());
  EXPECT_EQ(Merge({{}, {"ab"}, {}}, 2, false), (std::vector<Pick>{{1, "ab"}}));
}

}  // namespace
}  // namespace lexmora
