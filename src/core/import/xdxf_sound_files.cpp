#include "import/xdxf_sound_files.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "dictionary/file_io.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

bool IsPlayable(std::string_view image) {
  return image.substr(0, 4) == "OggS" || (image.substr(0, 4) == "RIFF" && image.substr(8, 4) == "WAVE");
}

}  // namespace

int XdxfSoundFiles::Number(const XdxfSoundRef& ref) {
  std::string key(ref.file);
  std::replace(key.begin(), key.end(), '\\', '/');
  const fs::path relative(key);
  key += '\n' + std::to_string(ref.start) + '\n' + std::to_string(ref.size);
  if (const auto known = numbers_.find(key); known != numbers_.end()) return known->second;
  int& number = numbers_[key];
  if (relative.is_absolute() || std::find(relative.begin(), relative.end(), fs::path("..")) != relative.end())
    return number;
  const fs::path file = folder_ / relative;
  const std::optional<std::uint64_t> size = FileSize(file);
  if (!size || ref.start >= *size) return number;
  const std::uint64_t rest = *size - ref.start;
  const auto length = static_cast<std::size_t>(ref.size == 0 ? rest : std::min(ref.size, rest));
  // The first bytes tell a sound before the whole is read.
  char head[12] = {};
  const std::size_t headSize = std::min(length, sizeof head);
  if (!ReadFileRange(file, ref.start, headSize, head) || !IsPlayable(std::string_view(head, headSize))) return number;
  // Parts of one file add up to at most twice the file, however many
  // references a damaged dictionary makes to it.
  std::uint64_t& taken = taken_[relative.lexically_normal().string()];
  if (length > 2 * *size - taken) return number;
  std::string image(length, '\0');
  if (!ReadFileRange(file, ref.start, image.size(), image.data())) return number;
  taken += length;
  number = dictionary_.AddSound(std::move(image));
  return number;
}

}  // namespace lexmora
