#include "import/imported_glyphs.h"

#include <array>
#include <string_view>

#include "dictionary/bitmap_image.h"

namespace lexmora {

namespace {

// Pixel art: '.' background, 'c' the colour, 'd' its dark edge, 'l' a light
// label, 'p' the pages.
constexpr std::array<std::string_view, 20> kBook = {
    "....................", "...dddddddddddddd...", "...ddccccccccccpd...", "...ddccccccccccpd...",
    "...ddccccccccccpd...", "...ddccllllllccpd...", "...ddcclddddlccpd...", "...ddccllllllccpd...",
    "...ddccccccccccpd...", "...ddccccccccccpd...", "...ddccccccccccpd...", "...ddccccccccccpd...",
    "...ddccccccccccpd...", "...ddccccccccccpd...", "...ddccccccccccpd...", "...ddccccccccccpd...",
    "...ddccccccccccpd...", "...ddpppppppppppd...", "...dddddddddddddd...", "....................",
};
constexpr std::array<std::string_view, 12> kDot = {
    "............", "...dddddd...", "..ddccccdd..", ".ddccccccdd.", ".dcclcccccd.", ".dccccccccd.",
    ".dccccccccd.", ".dccccccccd.", ".ddccccccdd.", "..ddccccdd..", "...dddddd...", "............",
};

struct Colours {
  Rgb main, dark;
};
// Teal, orange, green, magenta, slate, brown: none of them the sample's.
constexpr Colours kColours[] = {
    {{0x1f, 0x9e, 0x9a}, {0x0b, 0x4f, 0x4d}}, {{0xf0, 0x8a, 0x24}, {0x8a, 0x45, 0x05}},
    {{0x4c, 0xaf, 0x50}, {0x1e, 0x5e, 0x20}}, {{0xd0, 0x3f, 0xa0}, {0x6e, 0x15, 0x52}},
    {{0x60, 0x7d, 0x8b}, {0x2c, 0x3e, 0x47}}, {{0xa5, 0x6a, 0x3b}, {0x55, 0x32, 0x14}},
};

template <std::size_t N>
std::string Draw(const std::array<std::string_view, N>& rows, int subDict) {
  const Colours& c = kColours[static_cast<std::size_t>(subDict) % std::size(kColours)];
  PixelImage image;
  image.width = static_cast<int>(rows[0].size());
  image.height = static_cast<int>(N);
  for (std::string_view row : rows)
    for (char ch : row)
      image.pixels.push_back(ch == 'c'   ? c.main
                             : ch == 'd' ? c.dark
                             : ch == 'p' ? Rgb{0xf4, 0xf0, 0xe0}
                                         : Rgb{0xff, 0xff, 0xff});
  return EncodeBmp24(image);
}

}  // namespace

std::string ImportedButtonGlyph(int subDict) { return Draw(kBook, subDict); }

std::string ImportedListGlyph(int subDict) { return Draw(kDot, subDict); }

}  // namespace lexmora
