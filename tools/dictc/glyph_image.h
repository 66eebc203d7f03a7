// Button, list and group glyphs: readable pixel art (".glyph") turned into a
// 24-bit Windows bitmap file image, or a ".bmp" file taken as it is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/bitmap_image.h"

namespace lexmora::tools {

// Parses ".glyph" text ("size W H", palette lines "c #rrggbb", "pixels",
// H rows of W characters). fileName names the file in errors (SourceError).
PixelImage ParseGlyph(std::string_view text, const std::string& fileName);

// The bitmap image of a glyph file: ".glyph" is converted, anything else must
// already be a Windows bitmap ("BM"). Throws SourceError.
std::string LoadGlyphImage(const std::filesystem::path& path);

}  // namespace lexmora::tools
