#include "gamebase/bitmap_regions.h"

#include <gtest/gtest.h>

#include "dictc/glyph_image.h"
#include "dictionary/byte_io.h"

namespace lexmora::tools {
namespace {

constexpr std::uint32_t kBorder = 0x00102030;       // #302010
constexpr std::uint32_t kTransparent = 0x00FF00FF;  // #ff00ff

Rgb ToRgb(std::uint32_t c) {
  return {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c >> 16)};
}

// A picture from rows of characters: '#' border, '.' transparent, letters
// region colours.
PixelImage Drawing(const std::vector<std::string>& rows) {
  PixelImage image;
  image.height = static_cast<int>(rows.size());
  image.width = static_cast<int>(rows[0].size());
  for (const std::string& row : rows) {
    for (char c : row) {
      if (c == '#') image.pixels.push_back(ToRgb(kBorder));
      else if (c == '.') image.pixels.push_back(ToRgb(kTransparent));
      else image.pixels.push_back({static_cast<std::uint8_t>(c), 200, 100});
    }
  }
  return image;
}

ColourImage Decoded(const std::vector<std::string>& rows) {
  auto image = DecodePlainBitmap(EncodeBmp24(Drawing(rows)));
  EXPECT_TRUE(image);
  return image ? *image : ColourImage{};
}

TEST(DecodePlainBitmap, TwentyFourBitRowsComeOutFromTheTop) {
  const ColourImage image = Decoded({"#.a", "b#."});
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  EXPECT_EQ(image.pixels, (std::vector<std::uint32_t>{kBorder, kTransparent, 0x0064C861, 0x0064C862, kBorder,
                                                      kTransparent}));
}

// An 8-bit (or 1-bit) bitmap with the given palette and index rows, stored
// bottom-up unless topDown.
std::string PaletteBitmap(int bits, const std::vector<std::uint32_t>& palette,
                          const std::vector<std::vector<int>>& rows, bool topDown = false) {
  const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
  const int rowBytes = (width * bits + 31) / 32 * 4;
  const std::size_t offset = 54 + 4 * palette.size();
  std::string file(offset + static_cast<std::size_t>(rowBytes) * height, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(file.data());
  p[0] = 'B';
  p[1] = 'M';
  PutU32(p + 10, static_cast<std::uint32_t>(offset));
  PutU32(p + 14, 40);
  PutU32(p + 18, static_cast<std::uint32_t>(width));
  PutU32(p + 22, static_cast<std::uint32_t>(topDown ? -height : height));
  PutU16(p + 26, 1);
  PutU16(p + 28, static_cast<std::uint16_t>(bits));
  PutU32(p + 46, static_cast<std::uint32_t>(palette.size()));
  for (std::size_t i = 0; i < palette.size(); ++i) {
    p[54 + 4 * i] = static_cast<std::uint8_t>(palette[i] >> 16);
    p[55 + 4 * i] = static_cast<std::uint8_t>(palette[i] >> 8);
    p[56 + 4 * i] = static_cast<std::uint8_t>(palette[i]);
  }
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = p + offset + static_cast<std::size_t>(topDown ? y : height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const int bit = x * bits;
      row[bit / 8] |= static_cast<std::uint8_t>(rows[y][x] << (8 - bits - bit % 8));
    }
  }
  return file;
}

TEST(DecodePlainBitmap, PaletteBitmapsBothWaysUp) {
  const std::vector<std::uint32_t> palette = {0x000000FF, 0x0000FF00, 0x00FF0000};
  const std::vector<std::vector<int>> rows = {{0, 1, 2}, {2, 2, 0}};
  const std::vector<std::uint32_t> expected = {0xFF, 0xFF00, 0xFF0000, 0xFF0000, 0xFF0000, 0xFF};
  for (bool topDown : {false, true}) {
    auto image = DecodePlainBitmap(PaletteBitmap(8, palette, rows, topDown));
    ASSERT_TRUE(image) << topDown;
    EXPECT_EQ(image->pixels, expected) << topDown;
  }
  auto mono = DecodePlainBitmap(PaletteBitmap(1, {0, 0x00FFFFFF}, {{1, 0, 0, 0, 0, 0, 0, 0, 1, 1}}));
  ASSERT_TRUE(mono);
  EXPECT_EQ(mono->pixels, (std::vector<std::uint32_t>{0xFFFFFF, 0, 0, 0, 0, 0, 0, 0, 0xFFFFFF, 0xFFFFFF}));
  // An index beyond the palette.
  EXPECT_FALSE(DecodePlainBitmap(PaletteBitmap(8, palette, {{0, 3}})));
}

TEST(DecodePlainBitmap, OtherKindsAreNotDecoded) {
  std::string rle = EncodeBmp24(Drawing({"ab"}));
  rle[28] = 8;
  rle[30] = 1;  // run-length coded
  EXPECT_FALSE(DecodePlainBitmap(rle));
  const std::string plain = EncodeBmp24(Drawing({"ab", "cd"}));
  EXPECT_FALSE(DecodePlainBitmap(plain.substr(0, plain.size() - 1)));
  EXPECT_FALSE(DecodePlainBitmap("\xFF\xD8\xFF\xC0"));
  EXPECT_FALSE(DecodePlainBitmap(""));
}

TEST(CheckRegionPoints, PointsInSeparateRegionsPass) {
  const ColourImage image = Decoded({
      "..#####..",
      ".#aa#bb#.",
      ".#aa#bb#.",
      "..#####..",
  });
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{2, 1}, {5, 2}}), std::nullopt);
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {}), std::nullopt);
}

TEST(CheckRegionPoints, TwoPointsInOneRegionOrALeakingOutlineFail) {
  const ColourImage image = Decoded({
      "#######",
      "#aa#bb#",
      "#aa.bb#",  // a gap in the outline between a and b
      "#######",
  });
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{1, 1}, {5, 1}}),
            "point 2 (5, 1) lies in the region of point 1");
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{1, 1}, {2, 2}}),
            "point 2 (2, 2) lies in the region of point 1");
}

TEST(CheckRegionPoints, AFillMovesInFourDirectionsOnly) {
  // The regions touch only at a corner, across a diagonal outline.
  const ColourImage image = Decoded({
      "aa#",
      "a#b",
      "#bb",
  });
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{0, 0}, {2, 2}}), std::nullopt);
}

TEST(CheckRegionPoints, PointsOnTheOutlineTheTransparentColourOrOutsideFail) {
  const ColourImage image = Decoded({".#a", ".#a"});
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{2, 0}, {1, 1}}), "point 2 (1, 1) lies on the border colour");
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{0, 1}}), "point 1 (0, 1) lies on the transparent colour");
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{3, 0}}), "point 1 (3, 0) lies outside the 3 x 2 picture");
  EXPECT_EQ(CheckRegionPoints(image, kBorder, kTransparent, {{0, -1}}), "point 1 (0, -1) lies outside the 3 x 2 picture");
}

}  // namespace
}  // namespace lexmora::tools
