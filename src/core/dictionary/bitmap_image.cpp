#include "dictionary/bitmap_image.h"

#include "dictionary/byte_io.h"

namespace lexmora {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

}  // namespace

std::string EncodeBmp24(const PixelImage& image) {
  const std::size_t rowSize = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
  const std::size_t dataSize = rowSize * static_cast<std::size_t>(image.height);
  const std::size_t offset = kFileHeaderSize + kInfoHeaderSize;
  std::string bmp(offset + dataSize, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(bmp.data());
  p[0] = 'B';
  p[1] = 'M';
  PutU32(p + 2, static_cast<std::uint32_t>(bmp.size()));
  PutU32(p + 10, static_cast<std::uint32_t>(offset));
  std::uint8_t* info = p + kFileHeaderSize;
  PutU32(info + 0, kInfoHeaderSize);
  PutU32(info + 4, static_cast<std::uint32_t>(image.width));
  PutU32(info + 8, static_cast<std::uint32_t>(image.height));  // positive: bottom-up
  PutU16(info + 12, 1);                                        // planes
  PutU16(info + 14, 24);                                       // bits per pixel
  PutU32(info + 16, 0);                                        // no compression
  PutU32(info + 20, static_cast<std::uint32_t>(dataSize));
  PutU32(info + 24, kPixelsPerMetre);
  PutU32(info + 28, kPixelsPerMetre);
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = p + offset + rowSize * static_cast<std::size_t>(image.height - 1 - y);
    for (int x = 0; x < image.width; ++x) {
      const Rgb& c = image.pixels[static_cast<std::size_t>(y * image.width + x)];
      row[3 * x] = c.b;
      row[3 * x + 1] = c.g;
      row[3 * x + 2] = c.r;
    }
  }
  return bmp;
}

}  // namespace lexmora
