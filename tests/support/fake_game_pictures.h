// Picture bases in memory for game tests: a region count per picture
// record; a load of a record outside the list fails and keeps the picture
// in memory.
#pragma once

#include <vector>

#include "game/game_setup.h"

namespace lexmora::test {

class FakeGamePictures : public GamePictures {
 public:
  FakeGamePictures(std::vector<int> regions, int backgrounds) : regions_(std::move(regions)), backgrounds_(backgrounds) {}
  int PictureCount() const override { return static_cast<int>(regions_.size()); }
  int BackgroundCount() const override { return backgrounds_; }
  bool LoadGamePicture(int p) override {
    pictureLoads.push_back(p);
    if (p < 0 || p >= PictureCount()) return false;
    inMemory_ = regions_[static_cast<std::size_t>(p)];
    return true;
  }
  bool LoadGameBackground(int b) override {
    backgroundLoads.push_back(b);
    return b >= 0 && b < backgrounds_;
  }
  int RegionCount() const override { return inMemory_; }

  std::vector<int> pictureLoads;
  std::vector<int> backgroundLoads;

 private:
  std::vector<int> regions_;
  int backgrounds_ = 0;
  int inMemory_ = 0;
};

}  // namespace lexmora::test
