#include "game/game_random.h"

#include <gtest/gtest.h>

#include <vector>

namespace lexmora {
namespace {

TEST(GameRandom, TheSameSeedGivesTheSameNumbers) {
  GameRandom a(42), b(42), c(43);
  std::vector<int> x, y, z;
  for (int i = 0; i < 50; ++i) {
    x.push_back(a.Uniform(1000));
    y.push_back(b.Uniform(1000));
    z.push_back(c.Uniform(1000));
  }
  EXPECT_EQ(x, y);
  EXPECT_NE(x, z);
  a.Seed(42);
  EXPECT_EQ(a.Uniform(1000), x[0]);
}

TEST(GameRandom, NumbersCoverTheRangeEvenly) {
  GameRandom random(7);
  std::vector<int> counts(6, 0);
  for (int i = 0; i < 6000; ++i) {
    const int v = random.Uniform(6);
    ASSERT_TRUE(v >= 0 && v < 6) << v;
    ++counts[static_cast<std::size_t>(v)];
  }
  for (int n : counts) EXPECT_TRUE(n > 850 && n < 1150) << n;
  // An empty or single range gives 0.
  EXPECT_EQ(random.Uniform(0) + random.Uniform(-5) + random.Uniform(1), 0);
}

}  // namespace
}  // namespace lexmora
