// StarDict reader: byte 0 chooses the .ifo (the magic line and a bookname
// before the input's keys, or the input's text alone), bytes 1-6 are the
// lengths of the .ifo keys, the .idx and the .syn (16 bits each, cut to what
// is left), the rest is the .dict. ReadStarDictImages either throws
// ImportError or gives no more entries than the .idx and .syn hold records,
// each article within a small multiple of the input. The .dict part is also
// read as a dictzip file: ranges taken from the input come back at their
// size or throw ImportError.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "import/dictzip_file.h"
#include "import/stardict_reader.h"

using namespace lexmora;

namespace {

std::size_t Length(const std::uint8_t* data, std::size_t available) {
  return std::min<std::size_t>(static_cast<std::size_t>(data[0]) << 8 | data[1], available);
}

void ReadDictzip(std::string_view image, std::string_view ranges) {
  try {
    const std::unique_ptr<DictData> dict = OpenDictzip(std::string(image), "x.dict.dz");
    const std::uint64_t size = dict->Size();
    for (std::size_t i = 0; i + 4 <= ranges.size() && i < 32; i += 4) {
      if (size == 0) break;
      const std::uint64_t offset =
          (static_cast<std::uint8_t>(ranges[i]) << 8 | static_cast<std::uint8_t>(ranges[i + 1])) % size;
      const auto length = static_cast<std::uint32_t>(std::min<std::uint64_t>(
          static_cast<std::uint8_t>(ranges[i + 2]) << 8 | static_cast<std::uint8_t>(ranges[i + 3]), size - offset));
      LEXMORA_FUZZ_CHECK(dict->Read(offset, length).size() == length);
    }
  } catch (const ImportError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 7) return 0;
  const bool rawIfo = data[0] & 1;
  std::size_t at = 7;
  std::size_t lengths[3];
  for (int i = 0; i < 3; ++i) {
    lengths[i] = Length(data + 1 + 2 * i, size - at);
    at += lengths[i];
  }
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view keys = input.substr(7, lengths[0]);
  const std::string_view idx = input.substr(7 + lengths[0], lengths[1]);
  const std::string_view syn = input.substr(7 + lengths[0] + lengths[1], lengths[2]);
  const std::string_view dict = input.substr(at);
  const std::string ifo = rawIfo ? std::string(keys) : "StarDict's dict ifo file\nbookname=fuzz\n" + std::string(keys);
  try {
    const ImportedDictionary d = ReadStarDictImages(ifo, idx, syn, dict, ImportStyles{});
    // A record takes at least 9 bytes in the .idx and 5 in the .syn.
    LEXMORA_FUZZ_CHECK(d.entries.size() + d.skipped.size() <= idx.size() / 9 + syn.size() / 5);
    LEXMORA_FUZZ_CHECK(d.sounds.size() <= dict.size() / 12);
    for (const ImportedEntry& e : d.entries) {
      LEXMORA_FUZZ_CHECK(!e.headword.empty() && !e.article.empty());
      LEXMORA_FUZZ_CHECK(e.article.size() <= 8 * size + 256);
    }
  } catch (const ImportError&) {
  }
  ReadDictzip(dict, keys);
  return 0;
}
