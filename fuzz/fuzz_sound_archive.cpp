// Sound archive reader: arbitrary bytes as a ".snd" file, every item from 0
// to a few past the stored count and a few near 2^32; an item is never
// longer than the file, and a first whole item reads back through the
// writer's image.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dictionary/byte_io.h"
#include "fuzz_support.h"
#include "sound/sound_archive.h"

using namespace lexmora;
using namespace lexmora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const fs::path path = ProgramFolder() / "fuzz.snd";
  WriteFile(path, image);
  std::uint32_t count = 0;
  if (size >= kSoundArchiveHeadSize) count = GetU32(data + kSoundCountOffset);
  LEXMORA_FUZZ_CHECK(LoadSound(path, 0).empty());
  for (std::uint64_t k = 1; k <= 12; ++k) {
    const std::string item = LoadSound(path, static_cast<std::uint32_t>(k));
    LEXMORA_FUZZ_CHECK(item.size() <= size);
    if (k > count) LEXMORA_FUZZ_CHECK(item.empty());
  }
  for (std::uint32_t k : {count, count + 1, 0xFFFFFFFFu, 0x20000000u}) {
    const std::string item = LoadSound(path, k);
    LEXMORA_FUZZ_CHECK(item.size() <= size);
  }
  const std::string first = LoadSound(path, 1);
  if (!first.empty()) {
    WriteFile(path, SoundArchiveImage({first}));
    LEXMORA_FUZZ_CHECK(LoadSound(path, 1) == first);
  }
  return 0;
}
