// The one source of random numbers of the game: the choice of pictures,
// region order, words and game sections, and the second pass. The program
// seeds it from the clock once at start; tests give it a fixed seed, or
// replace Uniform with a script of their own.
#pragma once

#include <cstdint>

namespace lexmora {

class GameRandom {
 public:
  explicit GameRandom(std::uint64_t seed);
  virtual ~GameRandom() = default;
  GameRandom(const GameRandom&) = delete;
  GameRandom& operator=(const GameRandom&) = delete;

  // A generator seeded from the system clock.
  static std::uint64_t ClockSeed();

  void Seed(std::uint64_t seed);
  // A uniform number 0..n - 1; 0 when n < 1. The same seed gives the same
  // numbers on every platform.
  virtual int Uniform(int n);

 private:
  std::uint64_t Next();
  std::uint64_t state_[4] = {};
};

}  // namespace lexmora
