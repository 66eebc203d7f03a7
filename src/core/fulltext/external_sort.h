// Sorts a file of fixed-size records in place on disk with little memory:
// runs of up to 16 chunks of 15000 bytes are sorted in memory and written to
// run files "sort_buf.NNN" beside the input, then merged nine at a time
// through "sort_buf.xxx" until one run remains, which replaces the input.
#pragma once

#include <cstddef>
#include <filesystem>

namespace lexmora {

inline constexpr std::size_t kSortChunkBytes = 15000;
inline constexpr std::size_t kSortChunks = 16;
inline constexpr std::size_t kSortMergeWays = 9;

// The name of run file number n in folder dir.
std::filesystem::path SortRunFileName(const std::filesystem::path& dir, int n);

// Sorts by the first keyLength bytes (1..254) of records of recordSize bytes
// (1..15000), compared as unsigned bytes. Returns false when the disk filled
// up; other file errors throw IndexIoError. A failed call removes its run
// files, and the input too once part of it had been consumed (the storage of
// what is read is freed as the sort goes, since the input is deleted anyway).
bool SortFile(const std::filesystem::path& file, bool descending, std::size_t keyLength, std::size_t recordSize);

}  // namespace lexmora
