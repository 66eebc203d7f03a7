// The indexing window's gauge: 300 units per job, a bar bouncing between the
// first and the second third of the job while its occurrences are sorted.
#pragma once

#include <cstdint>

namespace lexmora::gui {

class IndexingGauge {
 public:
  static constexpr int kUnitsPerJob = 300;

  explicit IndexingGauge(int jobs) : jobs_(jobs) {}
  int Maximum() const { return jobs_ * kUnitsPerJob; }

  // One timer tick: the gauge value for the job's progress. While sorting
  // the shown value moves by a step and turns at the thirds' bounds.
  int Tick(std::uint32_t progress, std::uint32_t progressMax, bool sortPhase, std::uint32_t jobsDone) {
    std::int64_t shown = progress;
    if (jobsDone != lastJobsDone_) {
      bouncing_ = false;  // a new job sorts between its own bounds
      lastJobsDone_ = jobsDone;
    }
    if (sortPhase) {
      if (!bouncing_) {
        const std::int64_t third = progressMax / 3;
        low_ = third;
        high_ = 2 * third;
        position_ = third;
        step_ = third / 20 > 0 ? third / 20 : 1;
        bouncing_ = true;
      }
      position_ += step_;
      if (position_ < low_) {
        step_ = -step_;
        position_ = low_;
      }
      if (position_ > high_) {
        step_ = -step_;
        position_ = high_;
      }
      shown = position_;
    } else {
      bouncing_ = false;
    }
    const std::int64_t own = progressMax == 0 ? 0 : shown * kUnitsPerJob / progressMax;
    std::int64_t value = own + static_cast<std::int64_t>(jobsDone) * kUnitsPerJob;
    if (value > Maximum()) value = Maximum();
    return static_cast<int>(value);
  }

 private:
  int jobs_;
  bool bouncing_ = false;
  std::uint32_t lastJobsDone_ = 0;
  std::int64_t low_ = 0, high_ = 0, position_ = 0, step_ = 1;
};

}  // namespace lexmora::gui
