// Sound archives (".snd"), one per sub-dictionary with recorded sounds: a
// 142-byte head whose last four bytes hold the item count N, a table of N
// eight-byte entries (offset into the data area, length), each scrambled
// on its own, and the data area, each item an audio file image scrambled
// on its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

inline constexpr std::size_t kSoundArchiveHeadSize = 142;
inline constexpr std::size_t kSoundCountOffset = 138;

// The archive of sub-dictionary subDict of the group with this base name:
// DICT/<base>NNN.snd in the program folder (found whatever its letter case).
std::filesystem::path SoundArchiveFile(const std::filesystem::path& programDir, std::string_view base, int subDict);

// Item k (1..N) of the archive, unscrambled; empty when the archive cannot
// be read, k is 0 or above N, or the entry points outside the file. Never
// reads or allocates more than the file holds.
std::string LoadSound(const std::filesystem::path& archive, std::uint32_t k);

// The image of an archive holding these audio file images, items 1..N in
// order (for the tools and tests).
std::string SoundArchiveImage(const std::vector<std::string>& items);

}  // namespace lexmora
