// The game's two picture bases in the program folder's "GAME" folder.
//
// Region pictures: "nobase.IDX" is an array of 25-byte records, each
// scrambled on its own with the DataKey; a record points into "nobase.NOB",
// where its region-point block (scrambled as one block) is followed by the
// picture file (scrambled as one block). Backgrounds: "bkbase.IDX" holds
// 9-byte records pointing at picture files in "bkbase.BOB".
//
// Integers are little-endian, colours 32-bit 0x00BBGGRR. The pictures stay
// encoded here (a Windows bitmap file or a JPEG file); decoding them is the
// window's business.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/byte_io.h"

namespace lexmora {

inline constexpr std::string_view kGameFolderName = "GAME";
inline constexpr std::string_view kPictureIndexName = "nobase.IDX";
inline constexpr std::string_view kPictureDataName = "nobase.NOB";
inline constexpr std::string_view kBackgroundIndexName = "bkbase.IDX";
inline constexpr std::string_view kBackgroundDataName = "bkbase.BOB";

// The picture type byte of both record kinds.
inline constexpr std::uint8_t kPictureTypeBitmap = 1;
inline constexpr std::uint8_t kPictureTypeJpeg = 2;

// The files of the program folder dir, found whatever the letter case of
// their names on disk.
std::filesystem::path PictureIndexPath(const std::filesystem::path& dir);
std::filesystem::path PictureDataPath(const std::filesystem::path& dir);
std::filesystem::path BackgroundIndexPath(const std::filesystem::path& dir);
std::filesystem::path BackgroundDataPath(const std::filesystem::path& dir);

// One region picture record, unscrambled, as its 25-byte image.
struct RegionPictureRecord {
  static constexpr std::size_t kSize = 25;
  std::array<std::uint8_t, kSize> bytes{};

  std::uint8_t Type() const { return bytes[0]; }
  void SetType(std::uint8_t v) { bytes[0] = v; }
  // The colour of the outlines that bound the regions.
  std::uint32_t BorderColour() const { return GetU32(&bytes[1]); }
  void SetBorderColour(std::uint32_t v) { PutU32(&bytes[1], v); }
  // Pixels of this colour let the background show through.
  std::uint32_t TransparentColour() const { return GetU32(&bytes[5]); }
  void SetTransparentColour(std::uint32_t v) { PutU32(&bytes[5], v); }
  // Where the region-point block starts in "nobase.NOB".
  std::uint32_t Offset() const { return GetU32(&bytes[9]); }
  void SetOffset(std::uint32_t v) { PutU32(&bytes[9], v); }
  // R, the number of regions and so of the words of a game on the picture.
  std::uint32_t RegionCount() const { return GetU32(&bytes[13]); }
  void SetRegionCount(std::uint32_t v) { PutU32(&bytes[13], v); }
  // L1, the byte length of the region-point block.
  std::uint32_t PointBytes() const { return GetU32(&bytes[17]); }
  void SetPointBytes(std::uint32_t v) { PutU32(&bytes[17], v); }
  // L2, the byte length of the picture file that follows the block.
  std::uint32_t PictureBytes() const { return GetU32(&bytes[21]); }
  void SetPictureBytes(std::uint32_t v) { PutU32(&bytes[21], v); }
};
static_assert(sizeof(RegionPictureRecord) == RegionPictureRecord::kSize);

// One background record, unscrambled, as its 9-byte image.
struct BackgroundPictureRecord {
  static constexpr std::size_t kSize = 9;
  std::array<std::uint8_t, kSize> bytes{};

  std::uint8_t Type() const { return bytes[0]; }
  void SetType(std::uint8_t v) { bytes[0] = v; }
  // Where the picture file starts in "bkbase.BOB", and its length.
  std::uint32_t Offset() const { return GetU32(&bytes[1]); }
  void SetOffset(std::uint32_t v) { PutU32(&bytes[1], v); }
  std::uint32_t PictureBytes() const { return GetU32(&bytes[5]); }
  void SetPictureBytes(std::uint32_t v) { PutU32(&bytes[5], v); }
};
static_assert(sizeof(BackgroundPictureRecord) == BackgroundPictureRecord::kSize);

// A pixel position in a region picture; point r (from 1) lies inside
// region r.
struct RegionPoint {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const RegionPoint&, const RegionPoint&) = default;
};

// Region picture i as read: the record, its L1 / 8 points in order (bytes
// of the block beyond the last whole point are ignored) and the picture
// file, all unscrambled.
struct LoadedGamePicture {
  RegionPictureRecord record;
  std::vector<RegionPoint> points;
  std::string picture;
};

// Background i as read: the record and the picture file, unscrambled.
struct LoadedGameBackground {
  BackgroundPictureRecord record;
  std::string picture;
};

// The number of records of each base: the index file's size div the record
// size, 0 when the file cannot be opened.
int PictureCount(const std::filesystem::path& dir);
int BackgroundCount(const std::filesystem::path& dir);

// Record index of the base in dir with what it points at; nullopt when the
// record or any byte it points at lies outside its file (nothing is then
// allocated beyond what the files hold). A record of another type than
// bitmap or JPEG reads all the same: its picture is only not decodable.
std::optional<LoadedGamePicture> LoadGamePicture(const std::filesystem::path& dir, int index);
std::optional<LoadedGameBackground> LoadGameBackground(const std::filesystem::path& dir, int index);

// The points of an unscrambled region-point block.
std::vector<RegionPoint> ParseRegionPoints(std::string_view block);

}  // namespace lexmora
