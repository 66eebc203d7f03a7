// Pictures of the glyph fields (group, button and list glyphs): pixels and
// the 24-bit Windows bitmap file image the fields hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexmora {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
};

// Pixels row by row from the top.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // width * height
};

// A 24-bit bitmap file image: BITMAPFILEHEADER, BITMAPINFOHEADER, rows
// bottom-up in B G R order, each padded to a multiple of 4 bytes.
std::string EncodeBmp24(const PixelImage& image);

}  // namespace lexmora
