// Writes the game's picture bases in the format read by picture_bases.h:
// the records in the given order, each picture's data back to back in the
// data file from offset 0, every record and block scrambled on its own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/picture_bases.h"

namespace lexmora {

// One region picture to store.
struct RegionPictureSource {
  std::uint8_t type = kPictureTypeBitmap;
  std::uint32_t borderColour = 0;       // 0x00BBGGRR
  std::uint32_t transparentColour = 0;  // 0x00BBGGRR
  std::vector<RegionPoint> points;      // point r (from 1) inside region r
  // R as stored; the number of points when not given.
  std::optional<std::uint32_t> regionCount;
  std::string picture;  // the encoded picture file
};

// One background to store.
struct BackgroundSource {
  std::uint8_t type = kPictureTypeJpeg;
  std::string picture;
};

// The two file images of a base, both scrambled.
struct PictureBaseImage {
  std::string index;
  std::string data;
};

// The region-point block of points, unscrambled: x then y, signed 32-bit.
std::string RegionPointBlock(const std::vector<RegionPoint>& points);

// The images of "nobase.IDX"/"nobase.NOB" and "bkbase.IDX"/"bkbase.BOB";
// nullopt when a data file would outgrow the 32-bit offsets and lengths.
std::optional<PictureBaseImage> RegionPictureBaseImage(const std::vector<RegionPictureSource>& pictures);
std::optional<PictureBaseImage> BackgroundBaseImage(const std::vector<BackgroundSource>& backgrounds);

// Writes the images into dir's "GAME" folder (made when missing), each file
// through a temporary file renamed over the old one. False when a file could
// not be written.
bool WriteRegionPictureBase(const std::filesystem::path& dir, const PictureBaseImage& image);
bool WriteBackgroundBase(const std::filesystem::path& dir, const PictureBaseImage& image);

}  // namespace lexmora
