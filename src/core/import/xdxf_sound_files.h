// The sounds XDXF articles refer to (<rref>): WAV or Ogg files, or parts of
// them, in the dictionary's folder or below it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "import/imported_dictionary.h"
#include "import/xdxf_article.h"

namespace lexmora {

class XdxfSoundFiles {
 public:
  XdxfSoundFiles(std::filesystem::path folder, ImportedDictionary& dictionary)
      : folder_(std::move(folder)), dictionary_(dictionary) {}

  // The sound number of a reference, its sound added to the dictionary the
  // first time; 0 for a file that is missing, outside the folder or not a
  // WAV or Ogg image.
  int Number(const XdxfSoundRef& ref);

 private:
  std::filesystem::path folder_;
  ImportedDictionary& dictionary_;
  std::map<std::string, int> numbers_;          // 0: nothing to play
  std::map<std::string, std::uint64_t> taken_;  // bytes read from each file
};

}  // namespace lexmora
