// The flood fill that colours one region of the game's region picture: from
// a point outward over every pixel that is not the border colour.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lexmora {

// A view over a caller's 32-bit pixels, row after row; stride in pixels.
struct PixelView {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  std::uint32_t& At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x)];
  }
};

enum class FillPattern {
  Solid,          // every pixel of the region
  DiagonalCross,  // lines along both diagonals, 2 pixels wide every 8; the pixels between keep their colour
};

// Whether pixel (x, y) lies on the lines of the cross-hatch.
bool OnDiagonalCross(int x, int y);

// Fills the 4-connected area around (x, y) that is bounded by pixels of
// the border colour and by the edges of the buffer. Colours are compared
// without their top byte (alpha or unused); a channel difference up to
// `tolerance` still counts as the border, for outlines a lossy format has
// blurred. Painted pixels get `colour` as given. Nothing happens when the
// point lies outside the buffer or on the border. Returns the number of
// pixels painted.
std::size_t FloodFill(const PixelView& view, int x, int y, std::uint32_t border, std::uint32_t colour,
                      FillPattern pattern, int tolerance = 0);

// A colour of the picture records (0x00BBGGRR) as an opaque pixel
// 0xAARRGGBB, the layout of 32-bit images in memory.
std::uint32_t RecordColourToPixel(std::uint32_t colour);

}  // namespace lexmora
