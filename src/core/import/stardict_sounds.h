// The sounds of a StarDict dictionary: WAV and Ogg files of the res/ folder
// beside its .ifo that articles name, and WAV data inside articles. Each
// file is added to the imported dictionary once, when first named.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "import/imported_dictionary.h"

namespace lexmora {

// True for a WAV (RIFF WAVE) or Ogg image, the sounds this program plays.
bool IsPlayableSound(std::string_view image);

class StarDictSounds {
 public:
  // An empty folder: the dictionary has none.
  StarDictSounds(std::filesystem::path resFolder, ImportedDictionary& dictionary)
      : folder_(std::move(resFolder)), dictionary_(dictionary) {}

  // The sound number of a file of the res/ folder ("snd/a.wav"); 0 when it
  // is missing, outside the folder or no sound this program plays.
  int FromResource(std::string_view name);
  // The sound number of WAV data; 0 when it is no sound this program plays.
  int FromData(std::string_view image);

 private:
  std::filesystem::path folder_;
  ImportedDictionary& dictionary_;
  std::unordered_map<std::string, int> byName_;
};

}  // namespace lexmora
