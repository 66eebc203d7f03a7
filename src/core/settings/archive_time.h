// Modification times of font archive entries: days since 30 December 1899
// (UTC here), the fraction being the time of day.
#pragma once

#include <filesystem>
#include <optional>

namespace lexmora {

// The file time of an entry time; nullopt for a value that is not finite or
// lies outside the years 1900..2199 (far beyond them file times overflow).
std::optional<std::filesystem::file_time_type> ArchiveTimeToFileTime(double days);

// The entry time of a file time, to the millisecond.
double FileTimeToArchiveTime(std::filesystem::file_time_type time);

}  // namespace lexmora
