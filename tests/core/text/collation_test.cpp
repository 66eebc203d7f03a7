#include "text/collation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace lexmora {
namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

TEST(Collation, TheAzeriAlphabetHasSixtyFourLetters) {
  EXPECT_EQ(kAzeriCollationString.size(), 64u);
  const auto& w = CollationWeights(Collation::Azeri);
  EXPECT_EQ(w['A'], 129);
  EXPECT_EQ(w[0xC7], 132);  // Ç
  EXPECT_EQ(w['D'], 133);
  EXPECT_EQ(w['z'], 192);
  EXPECT_EQ(w['W'], 'W');
  EXPECT_EQ(w['1'], '1');
}

TEST(Collation, PrefixesEqualityAndEmptyStrings) {
  for (auto flavour : {Collation::Plain, Collation::Azeri}) {
    EXPECT_LT(CompareHeadwords("AB", "ABC", flavour), 0);
    EXPECT_GT(CompareHeadwords("ABC", "AB", flavour), 0);
    EXPECT_EQ(CompareHeadwords("ABC", "ABC", flavour), 0);
    EXPECT_LT(CompareHeadwords("", "A", flavour), 0);
    EXPECT_EQ(CompareHeadwords("", "", flavour), 0);
  }
}

TEST(Collation, AzeriOrderDiffersFromByteOrder) {
  EXPECT_LT(CompareHeadwords("\xC7" "A", "DA", Collation::Azeri), 0);
  EXPECT_GT(CompareHeadwords("\xC7" "A", "DA", Collation::Plain), 0);
  EXPECT_LT(CompareHeadwords("W", "A", Collation::Azeri), 0);
  EXPECT_LT(CompareHeadwords("9", "A", Collation::Azeri), 0);
  // All capitals before all small letters; I before İ; ı before i.
  EXPECT_LT(CompareHeadwords("Z", "a", Collation::Azeri), 0);
  EXPECT_LT(CompareHeadwords("I", "\xDD", Collation::Azeri), 0);
  EXPECT_LT(CompareHeadwords("\xFD", "i", Collation::Azeri), 0);
  EXPECT_LT(CompareHeadwords("H", "X", Collation::Azeri), 0);
  EXPECT_LT(CompareHeadwords("X", "I", Collation::Azeri), 0);
  EXPECT_EQ(CollationFor(1254), Collation::Azeri);
  EXPECT_EQ(CollationFor(1251), Collation::Plain);
}

TEST(Collation, IsATotalOrderOnRandomKeys) {
  std::vector<std::string> keys;
  unsigned seed = 7;
  for (int i = 0; i < 300; ++i) {
    std::string k;
    int len = static_cast<int>(seed % 5);
    for (int j = 0; j < len; ++j) {
      seed = seed * 1103515245u + 12345u;
      const char pool[] = "ABI\xDD\xC7\xC6Wa\xFDi";
      k.push_back(pool[(seed >> 16) % 11]);
    }
    seed = seed * 1103515245u + 12345u;
    keys.push_back(k);
  }
  for (const auto& a : keys)
    for (const auto& b : keys)
      EXPECT_EQ(Sign(CompareHeadwords(a, b, Collation::Azeri)), -Sign(CompareHeadwords(b, a, Collation::Azeri)));
  std::sort(keys.begin(), keys.end(),
            [](const std::string& a, const std::string& b) { return CompareHeadwords(a, b, Collation::Azeri) < 0; });
  for (std::size_t i = 1; i < keys.size(); ++i) EXPECT_LE(CompareHeadwords(keys[i - 1], keys[i], Collation::Azeri), 0);
}

TEST(Collation, WriterOrderNeverContradictsTheComparison) {
  // 0xB7 weighs as much as 'p' in the Azeri order: the comparison calls
  // B7 62 and 70 61 equal, and 70 61 and B7 61 equal, yet B7 62 > B7 61.
  std::vector<std::string> keys{"\xB7" "b", "pa", "\xB7" "a", "p", "\xB7", "PA", "a\xB7"};
  std::sort(keys.begin(), keys.end(),
            [](const std::string& a, const std::string& b) { return HeadwordSortsBefore(a, b, Collation::Azeri); });
  for (std::size_t i = 0; i < keys.size(); ++i)
    for (std::size_t j = i + 1; j < keys.size(); ++j)
      EXPECT_LE(CompareHeadwords(keys[i], keys[j], Collation::Azeri), 0) << i << " " << j;
  EXPECT_FALSE(HeadwordSortsBefore("x", "x", Collation::Plain));
  EXPECT_TRUE(HeadwordSortsBefore("x", "xy", Collation::Plain));
}

}  // namespace
}  // namespace lexmora
