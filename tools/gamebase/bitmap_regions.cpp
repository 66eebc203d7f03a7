#include "gamebase/bitmap_regions.h"

#include "dictionary/byte_io.h"
#include "game/encoded_picture_size.h"

namespace lexmora::tools {

namespace {

std::uint32_t Colour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) | (static_cast<std::uint32_t>(b) << 16);
}

}  // namespace

std::optional<ColourImage> DecodePlainBitmap(std::string_view file) {
  const PictureSize size = EncodedPictureSize(file, kPictureTypeBitmap);
  if (size.width == 0) return std::nullopt;
  const auto* p = reinterpret_cast<const std::uint8_t*>(file.data());
  const std::uint32_t pixelOffset = GetU32(p + 10);
  const std::uint32_t headerSize = GetU32(p + 14);
  const bool core = headerSize == 12;
  const int bits = GetU16(p + (core ? 24 : 28));
  if (!core && GetU32(p + 30) != 0) return std::nullopt;  // compressed or bit fields
  if (bits == 16) return std::nullopt;
  const bool topDown = !core && static_cast<std::int32_t>(GetU32(p + 22)) < 0;

  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    const std::size_t entryBytes = core ? 3 : 4;
    std::size_t entries = core ? 0 : GetU32(p + 46);
    if (entries == 0 || entries > (1u << bits)) entries = std::size_t{1} << bits;
    const std::size_t start = 14 + headerSize;
    if (start > file.size() || entries * entryBytes > file.size() - start) return std::nullopt;
    for (std::size_t i = 0; i < entries; ++i) {
      const std::uint8_t* e = p + start + i * entryBytes;
      palette.push_back(Colour(e[2], e[1], e[0]));
    }
  }

  ColourImage image;
  image.width = size.width;
  image.height = size.height;
  image.pixels.resize(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
  const std::size_t rowBytes = (static_cast<std::size_t>(size.width) * bits + 31) / 32 * 4;
  for (int y = 0; y < size.height; ++y) {
    const int stored = topDown ? y : size.height - 1 - y;
    const std::uint8_t* row = p + pixelOffset + static_cast<std::size_t>(stored) * rowBytes;
    for (int x = 0; x < size.width; ++x) {
      std::uint32_t colour = 0;
      if (bits == 24 || bits == 32) {
        const std::uint8_t* px = row + static_cast<std::size_t>(x) * (bits / 8);
        colour = Colour(px[2], px[1], px[0]);
      } else {
        const std::size_t bit = static_cast<std::size_t>(x) * bits;
        const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        if (index >= palette.size()) return std::nullopt;
        colour = palette[index];
      }
      image.pixels[static_cast<std::size_t>(y) * size.width + x] = colour;
    }
  }
  return image;
}

std::optional<std::string> CheckRegionPoints(const ColourImage& image, std::uint32_t borderColour,
                                             std::uint32_t transparentColour, const std::vector<RegionPoint>& points) {
  const int w = image.width, h = image.height;
  // The point (from 1) whose fill has reached a pixel, 0 where none has.
  std::vector<std::uint32_t> owner(image.pixels.size(), 0);
  std::vector<std::size_t> stack;
  for (std::size_t k = 0; k < points.size(); ++k) {
    const RegionPoint& point = points[k];
    const std::string name = "point " + std::to_string(k + 1) + " (" + std::to_string(point.x) + ", " +
                             std::to_string(point.y) + ")";
    if (point.x < 0 || point.y < 0 || point.x >= w || point.y >= h) {
      return name + " lies outside the " + std::to_string(w) + " x " + std::to_string(h) + " picture";
    }
    const std::size_t start = static_cast<std::size_t>(point.y) * w + point.x;
    if (image.pixels[start] == borderColour) return name + " lies on the border colour";
    if (image.pixels[start] == transparentColour) return name + " lies on the transparent colour";
    if (owner[start] != 0) return name + " lies in the region of point " + std::to_string(owner[start]);
    const auto number = static_cast<std::uint32_t>(k + 1);
    owner[start] = number;
    stack.assign(1, start);
    while (!stack.empty()) {
      const std::size_t i = stack.back();
      stack.pop_back();
      const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
      const std::size_t next[4] = {x > 0 ? i - 1 : i, x + 1 < w ? i + 1 : i, y > 0 ? i - w : i,
                                   y + 1 < h ? i + w : i};
      for (std::size_t j : next) {
        if (j == i || image.pixels[j] == borderColour) continue;
        if (owner[j] == number) continue;
        if (owner[j] != 0) return name + " lies in the region of point " + std::to_string(owner[j]);
        owner[j] = number;
        stack.push_back(j);
      }
    }
  }
  return std::nullopt;
}

}  // namespace lexmora::tools
