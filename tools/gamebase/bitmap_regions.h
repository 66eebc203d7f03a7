// Checks that the points of a region picture stand in separate regions:
// for every point, the area a flood fill from it would colour (moving left,
// right, up and down, stopping at the border colour and at the edges) holds
// no other point, and the point itself is not on the border or the
// transparent colour.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/picture_bases.h"

namespace lexmora::tools {

// Pixels as 0x00BBGGRR colours, rows from the top.
struct ColourImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The pixels of an uncompressed Windows bitmap of 1, 4, 8 (with a palette),
// 24 or 32 bits per pixel; nullopt for any other kind (compressed, bit
// fields, cut short).
std::optional<ColourImage> DecodePlainBitmap(std::string_view file);

// The first fault found, as a message, or nullopt when the points are fine.
// Points are counted from 1 in the message.
std::optional<std::string> CheckRegionPoints(const ColourImage& image, std::uint32_t borderColour,
                                             std::uint32_t transparentColour, const std::vector<RegionPoint>& points);

}  // namespace lexmora::tools
