#include "settings/archive_time.h"

#include <chrono>
#include <cmath>

namespace lexmora {
namespace {

constexpr double kUnixEpochDays = 25569.0;  // 1970-01-01 in entry days
// The file clock counts nanoseconds in 64 bits around its own epoch, which
// leaves a few centuries; entry times outside these years are not applied.
constexpr double kMinDays = 2.0;       // 1900-01-01
constexpr double kMaxDays = 109575.0;  // 2200-01-01

}  // namespace

std::optional<std::filesystem::file_time_type> ArchiveTimeToFileTime(double days) {
  if (!std::isfinite(days) || days < kMinDays || days >= kMaxDays) return std::nullopt;
  const auto ms = static_cast<std::int64_t>(std::llround((days - kUnixEpochDays) * 86400000.0));
  const std::chrono::sys_time<std::chrono::milliseconds> sys{std::chrono::milliseconds(ms)};
  return std::filesystem::file_time_type::clock::from_sys(sys);
}

double FileTimeToArchiveTime(std::filesystem::file_time_type time) {
  const auto sys = std::filesystem::file_time_type::clock::to_sys(time);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(sys.time_since_epoch()).count();
  return kUnixEpochDays + static_cast<double>(ms) / 86400000.0;
}

}  // namespace lexmora
