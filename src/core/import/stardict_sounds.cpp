#include "import/stardict_sounds.h"

#include <optional>

#include "dictionary/file_io.h"

namespace lexmora {

bool IsPlayableSound(std::string_view image) {
  return (image.size() >= 12 && image.substr(0, 4) == "RIFF" && image.substr(8, 4) == "WAVE") ||
         (image.size() >= 4 && image.substr(0, 4) == "OggS");
}

int StarDictSounds::FromResource(std::string_view name) {
  if (folder_.empty() || name.empty()) return 0;
  const auto [it, added] = byName_.try_emplace(std::string(name), 0);
  if (!added) return it->second;
  const std::filesystem::path relative = std::filesystem::path(std::string(name)).lexically_normal();
  // A name must not lead out of the folder ("../../x.wav", "/x.wav").
  if (relative.is_absolute() || relative.has_root_name() || relative.empty() || *relative.begin() == "..") return 0;
  std::optional<std::string> image = ReadWholeFile(folder_ / relative);
  if (image && IsPlayableSound(*image)) it->second = dictionary_.AddSound(std::move(*image));
  return it->second;
}

int StarDictSounds::FromData(std::string_view image) {
  return IsPlayableSound(image) ? dictionary_.AddSound(std::string(image)) : 0;
}

}  // namespace lexmora
