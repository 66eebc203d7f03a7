// The second phase of the external sort: merging a group of up to nine
// sorted runs into one.
#pragma once

#include <cstddef>
#include <filesystem>

#include "fulltext/sort_key_order.h"

namespace lexmora {

// Merges runs first..last of dir through "sort_buf.xxx" into run number
// target and deletes them; a group of one run is only renamed. On equal
// records the run with the lower number wins. A large group is merged by
// two threads: one takes every record that comes before a splitting record,
// the other the rest, each writing its own part of the output, which is
// then exactly what one merge would have written.
void MergeRunGroup(const std::filesystem::path& dir, int first, int last, int target, std::size_t recordSize,
                   const SortKeyOrder& order);

}  // namespace lexmora
