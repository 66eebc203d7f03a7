#include "sound/sound_archive.h"

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"

namespace lexmora {

std::filesystem::path SoundArchiveFile(const std::filesystem::path& programDir, std::string_view base, int subDict) {
  return ResolveCaseInsensitive(programDir / SoundArchivePath(base, subDict));
}

std::string LoadSound(const std::filesystem::path& archive, std::uint32_t k) {
  const auto size = FileSize(archive);
  if (!size || *size < kSoundArchiveHeadSize || k == 0) return {};
  std::uint8_t count[4];
  if (!ReadFileRange(archive, kSoundCountOffset, sizeof count, count)) return {};
  const std::uint64_t n = GetU32(count);
  if (k > n) return {};
  // 64-bit arithmetic: a count or an offset near 2^32 cannot wrap around.
  const std::uint64_t entryAt = kSoundArchiveHeadSize + 8ull * (k - 1);
  const std::uint64_t dataStart = kSoundArchiveHeadSize + 8ull * n;
  if (entryAt + 8 > *size) return {};
  std::uint8_t entry[8];
  if (!ReadFileRange(archive, entryAt, sizeof entry, entry)) return {};
  XorBytes(entry, sizeof entry, DataKey);
  const std::uint64_t start = dataStart + GetU32(entry);
  const std::uint64_t length = GetU32(entry + 4);
  if (start > *size || length > *size - start) return {};
  std::string item(static_cast<std::size_t>(length), '\0');
  if (length > 0 && !ReadFileRange(archive, start, item.size(), item.data())) return {};
  XorBytes(item.data(), item.size(), DataKey);
  return item;
}

std::string SoundArchiveImage(const std::vector<std::string>& items) {
  std::string image(kSoundArchiveHeadSize, '\0');
  PutU32(reinterpret_cast<std::uint8_t*>(image.data()) + kSoundCountOffset, static_cast<std::uint32_t>(items.size()));
  std::string data;
  for (const std::string& item : items) {
    std::uint8_t entry[8];
    PutU32(entry, static_cast<std::uint32_t>(data.size()));
    PutU32(entry + 4, static_cast<std::uint32_t>(item.size()));
    XorBytes(entry, sizeof entry, DataKey);
    image.append(reinterpret_cast<const char*>(entry), sizeof entry);
    std::string scrambled = item;
    XorBytes(scrambled.data(), scrambled.size(), DataKey);
    data += scrambled;
  }
  return image + data;
}

}  // namespace lexmora
