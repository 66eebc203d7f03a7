// A game generator that returns the numbers a test lists, in order, and
// records each range asked for. A draw from one value (or none) is 0 and
// takes nothing from the list, as with the real generator; past the list
// every draw is 0.
#pragma once

#include <deque>
#include <initializer_list>
#include <vector>

#include "game/game_random.h"

namespace lexmora::test {

class ScriptedRandom : public GameRandom {
 public:
  ScriptedRandom(std::initializer_list<int> values) : GameRandom(0), values_(values) {}
  int Uniform(int n) override {
    ranges.push_back(n);
    if (n <= 1 || values_.empty()) return 0;
    const int v = values_.front();
    values_.pop_front();
    return v;
  }
  // A new script; the ranges asked for are counted from here.
  void Script(std::initializer_list<int> values) {
    values_.assign(values);
    ranges.clear();
  }
  std::size_t Left() const { return values_.size(); }
  std::vector<int> ranges;

 private:
  std::deque<int> values_;
};

}  // namespace lexmora::test
