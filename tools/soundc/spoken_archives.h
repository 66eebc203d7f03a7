// Sound archives spoken by the speech synthesizer: for every sub-dictionary
// of a group file whose articles carry sound marks, each mark's headword is
// spoken in the voice of the group's headword language, encoded as Ogg
// Vorbis and stored as the item of the mark's number.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lexmora::tools {

struct SpokenArchive {
  std::filesystem::path file;  // DICT/<base>NNN.snd in the output folder
  std::string voice;
  std::size_t items = 0;       // N: the highest sound number
  std::size_t spoken = 0;      // items that hold sound (a number no mark uses is empty)
};

// Writes the archives into programDir/DICT; throws SourceError for a source
// that does not read and std::runtime_error when a word cannot be spoken or
// a file cannot be written.
std::vector<SpokenArchive> BuildSpokenArchives(const std::filesystem::path& groupFile,
                                               const std::filesystem::path& programDir);

}  // namespace lexmora::tools
