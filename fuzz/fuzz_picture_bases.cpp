// Game picture base readers: the input is cut into an index file (its
// length in the first two bytes, little-endian) and a data file (the rest),
// written as both bases of a program folder's GAME folder: "nobase.IDX" and
// "bkbase.IDX" get the index part, "nobase.NOB" and "bkbase.BOB" the data
// part. Every record (and the ones just outside the base) is loaded and
// checked against the bytes: a load succeeds exactly when the record and
// all it points at lie inside the files, and then gives those bytes
// unscrambled. The sizes of the pictures read are taken with
// EncodedPictureSize, as is the size of the whole input read as a bitmap
// and as a JPEG file.
//
// run_all.sh runs this target with a small malloc limit: a length read from
// a file must never make the reader allocate more than the file holds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/byte_io.h"
#include "fuzz_support.h"
#include "game/encoded_picture_size.h"
#include "game/picture_bases.h"

using namespace lexmora;
using namespace lexmora::fuzz;

namespace {

const fs::path& Folder() {
  static const fs::path dir = [] {
    fs::path d = ProgramFolder() / "game_folder";
    fs::create_directories(d / "GAME");
    return d;
  }();
  return dir;
}

std::string Unscrambled(std::string_view bytes) {
  std::string s(bytes);
  XorBytes(s.data(), s.size(), DataKey);
  return s;
}

void CheckSize(std::string_view file, int type) {
  const PictureSize size = EncodedPictureSize(file, type);
  LEXMORA_FUZZ_CHECK((size.width > 0) == (size.height > 0));
  LEXMORA_FUZZ_CHECK(size.width >= 0 && size.height >= 0);
  if (type != kPictureTypeBitmap && type != kPictureTypeJpeg) LEXMORA_FUZZ_CHECK(size.width == 0);
  if (type == kPictureTypeJpeg) LEXMORA_FUZZ_CHECK(size.width <= 65535 && size.height <= 65535);
}

void CheckPictures(std::string_view index, std::string_view data) {
  const int count = PictureCount(Folder());
  LEXMORA_FUZZ_CHECK(count == static_cast<int>(index.size() / RegionPictureRecord::kSize));
  for (int i = -1; i <= count; ++i) {
    const auto read = LoadGamePicture(Folder(), i);
    if (i < 0 || i == count) {
      LEXMORA_FUZZ_CHECK(!read);
      continue;
    }
    RegionPictureRecord r;
    const std::string bytes = Unscrambled(index.substr(static_cast<std::size_t>(i) * r.kSize, r.kSize));
    for (std::size_t k = 0; k < r.kSize; ++k) r.bytes[k] = static_cast<std::uint8_t>(bytes[k]);
    const std::uint64_t pointsEnd = static_cast<std::uint64_t>(r.Offset()) + r.PointBytes();
    const bool inside = pointsEnd + r.PictureBytes() <= data.size();
    LEXMORA_FUZZ_CHECK(read.has_value() == inside);
    if (!read) continue;
    LEXMORA_FUZZ_CHECK(read->record.bytes == r.bytes);
    const std::string block = Unscrambled(data.substr(r.Offset(), r.PointBytes()));
    LEXMORA_FUZZ_CHECK(read->points.size() == r.PointBytes() / 8);
    const auto* raw = reinterpret_cast<const std::uint8_t*>(block.data());
    for (std::size_t p = 0; p < read->points.size(); ++p, raw += 8) {
      LEXMORA_FUZZ_CHECK(read->points[p].x == static_cast<std::int32_t>(GetU32(raw)));
      LEXMORA_FUZZ_CHECK(read->points[p].y == static_cast<std::int32_t>(GetU32(raw + 4)));
    }
    LEXMORA_FUZZ_CHECK(read->picture == Unscrambled(data.substr(static_cast<std::size_t>(pointsEnd), r.PictureBytes())));
    CheckSize(read->picture, r.Type());
  }
}

void CheckBackgrounds(std::string_view index, std::string_view data) {
  const int count = BackgroundCount(Folder());
  LEXMORA_FUZZ_CHECK(count == static_cast<int>(index.size() / BackgroundPictureRecord::kSize));
  for (int i = -1; i <= count; ++i) {
    const auto read = LoadGameBackground(Folder(), i);
    if (i < 0 || i == count) {
      LEXMORA_FUZZ_CHECK(!read);
      continue;
    }
    BackgroundPictureRecord r;
    const std::string bytes = Unscrambled(index.substr(static_cast<std::size_t>(i) * r.kSize, r.kSize));
    for (std::size_t k = 0; k < r.kSize; ++k) r.bytes[k] = static_cast<std::uint8_t>(bytes[k]);
    const bool inside = static_cast<std::uint64_t>(r.Offset()) + r.PictureBytes() <= data.size();
    LEXMORA_FUZZ_CHECK(read.has_value() == inside);
    if (!read) continue;
    LEXMORA_FUZZ_CHECK(read->record.bytes == r.bytes);
    LEXMORA_FUZZ_CHECK(read->picture == Unscrambled(data.substr(r.Offset(), r.PictureBytes())));
    CheckSize(read->picture, r.Type());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  for (int type : {0, 1, 2, 3}) CheckSize(input, type);  // none, bitmap, JPEG, none
  if (size < 2) return 0;
  const std::size_t indexSize = std::min<std::size_t>(GetU16(data), size - 2);
  const std::string_view index = input.substr(2, indexSize);
  const std::string_view rest = input.substr(2 + indexSize);
  const fs::path game = Folder() / "GAME";
  WriteFile(game / "nobase.IDX", index);
  WriteFile(game / "nobase.NOB", rest);
  WriteFile(game / "bkbase.IDX", index);
  WriteFile(game / "bkbase.BOB", rest);
  CheckPictures(index, rest);
  CheckBackgrounds(index, rest);
  return 0;
}
