#include "game/flood_fill.h"

#include <cstdlib>
#include <vector>

namespace lexmora {

namespace {

bool IsBorder(std::uint32_t pixel, std::uint32_t border, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((border >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

}  // namespace

bool OnDiagonalCross(int x, int y) {
  const auto lane = [](int v) { return ((v % 8) + 8) % 8 < 2; };
  return lane(x + y) || lane(x - y);
}

std::size_t FloodFill(const PixelView& view, int x, int y, std::uint32_t border, std::uint32_t colour,
                      FillPattern pattern, int tolerance) {
  if (!view.pixels || view.width <= 0 || view.height <= 0 || view.stride < view.width) return 0;
  if (x < 0 || y < 0 || x >= view.width || y >= view.height) return 0;
  if (IsBorder(view.At(x, y), border, tolerance)) return 0;
  // The area is found first and painted afterwards, so that the colours
  // painted never decide what belongs to it.
  const std::size_t w = static_cast<std::size_t>(view.width);
  std::vector<std::uint8_t> inside(w * static_cast<std::size_t>(view.height), 0);
  std::vector<std::size_t> todo{static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x)};
  inside[todo.back()] = 1;
  std::vector<std::size_t> area;
  while (!todo.empty()) {
    const std::size_t at = todo.back();
    todo.pop_back();
    area.push_back(at);
    const int px = static_cast<int>(at % w);
    const int py = static_cast<int>(at / w);
    const int next[4][2] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
    for (const auto& n : next) {
      if (n[0] < 0 || n[1] < 0 || n[0] >= view.width || n[1] >= view.height) continue;
      const std::size_t k = static_cast<std::size_t>(n[1]) * w + static_cast<std::size_t>(n[0]);
      if (inside[k] || IsBorder(view.At(n[0], n[1]), border, tolerance)) continue;
      inside[k] = 1;
      todo.push_back(k);
    }
  }
  std::size_t painted = 0;
  for (std::size_t at : area) {
    const int px = static_cast<int>(at % w);
    const int py = static_cast<int>(at / w);
    if (pattern == FillPattern::DiagonalCross && !OnDiagonalCross(px, py)) continue;
    view.At(px, py) = colour;
    ++painted;
  }
  return painted;
}

std::uint32_t RecordColourToPixel(std::uint32_t colour) {
  const std::uint32_t r = colour & 0xFF;
  const std::uint32_t g = (colour >> 8) & 0xFF;
  const std::uint32_t b = (colour >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace lexmora
