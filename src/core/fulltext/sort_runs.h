// The first phase of the external sort: the input read in blocks of 16
// chunks of up to 15000 bytes, each block sorted in memory and written to
// the next run file.
#pragma once

#include <cstddef>
#include <filesystem>

#include "fulltext/sort_key_order.h"

namespace lexmora {

// What the run making has left on disk so far, for the clean-up of a
// failed sort.
struct SortRunProgress {
  int runFiles = 0;           // run numbers 1..runFiles may exist
  bool inputPartial = false;  // parts of the input were already freed
};

// Makes the runs of file in dir; returns their number (0 for an empty file).
int MakeSortedRuns(const std::filesystem::path& file, const std::filesystem::path& dir, std::size_t recordSize,
                   const SortKeyOrder& order, SortRunProgress& progress);

}  // namespace lexmora
