// Button, list and group glyphs: readable pixel art (".glyph") turned into a
// 24-bit Windows bitmap file image, or a ".bmp" file taken as it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora::tools {

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

// Parses ".glyph" text ("size W H", palette lines "c #rrggbb", "pixels",
// H rows of W characters). fileName names the file in errors (SourceError).
PixelImage ParseGlyph(std::string_view text, const std::string& fileName);

// The bitmap image of a glyph file: ".glyph" is converted, anything else must
// already be a Windows bitmap ("BM"). Throws SourceError.
std::string LoadGlyphImage(const std::filesystem::path& path);

}  // namespace lexmora::tools
