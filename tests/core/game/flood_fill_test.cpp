// The flood fill of one region on small pixel buffers.
#include "game/flood_fill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lexmora {
namespace {

constexpr std::uint32_t kBorder = 0xFF000000;  // black outlines
constexpr std::uint32_t kPaper = 0xFFFFFFFF;
constexpr std::uint32_t kPaint = 0xFF00FF00;
using Rows = std::vector<std::string>;

// A picture drawn with characters: '#' border, '.' paper, 'o' paint.
struct Picture {
  explicit Picture(const Rows& rows) : width(int(rows[0].size())), height(int(rows.size())) {
    for (const auto& row : rows)
      for (char c : row) pixels.push_back(c == '#' ? kBorder : c == 'o' ? kPaint : kPaper);
  }
  std::size_t Fill(int x, int y, std::uint32_t colour, FillPattern pattern = FillPattern::Solid) {
    return FloodFill(PixelView{pixels.data(), width, height, width}, x, y, kBorder, colour, pattern);
  }
  Rows Drawn() const {
    Rows out(static_cast<std::size_t>(height));
    for (std::size_t i = 0; i < pixels.size(); ++i)
      out[i / std::size_t(width)] += pixels[i] == kBorder ? '#' : pixels[i] == kPaint ? 'o' : '.';
    return out;
  }
  int width, height;
  std::vector<std::uint32_t> pixels;
};

TEST(FloodFill, SolidFillsTheFourConnectedAreaUpToTheBorderAndTheEdges) {
  Picture pic({"###...",
               "#..#..",
               "#..#..",
               "####.."});
  EXPECT_EQ(pic.Fill(1, 1, kPaint), 4u);  // the gap at the corner is no way out
  EXPECT_EQ(pic.Fill(5, 0, kPaint), 9u);  // bounded by the picture's edges
  EXPECT_EQ(pic.Drawn(), (Rows{"###ooo", "#oo#oo", "#oo#oo", "####oo"}));
  // Painting with the border colour itself ends too.
  EXPECT_EQ(pic.Fill(1, 1, kBorder), 4u);
  EXPECT_EQ(pic.Drawn()[1], "####oo");
}

TEST(FloodFill, APointOutsideOrOnTheBorderPaintsNothing) {
  Picture pic({"..", ".#"});
  for (auto [x, y] : {std::pair{1, 1}, {-1, 0}, {2, 0}, {0, 5}}) EXPECT_EQ(pic.Fill(x, y, kPaint), 0u);
  EXPECT_EQ(FloodFill(PixelView{}, 0, 0, kBorder, kPaint, FillPattern::Solid), 0u);
  EXPECT_EQ(pic.Drawn(), (Rows{"..", ".#"}));
}

TEST(FloodFill, TheCrossHatchPaintsTwoPixelWideDiagonalsEveryEight) {
  Picture pic(Rows(16, std::string(16, '.')));
  const std::size_t painted = pic.Fill(5, 5, kPaint, FillPattern::DiagonalCross);
  std::size_t lines = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      lines += OnDiagonalCross(x, y);
      EXPECT_EQ(pic.Drawn()[std::size_t(y)][std::size_t(x)], OnDiagonalCross(x, y) ? 'o' : '.') << x << "," << y;
    }
  EXPECT_EQ(painted, lines);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {8, 0}, {4, 4}, {12, 4}, {6, 3}}) EXPECT_TRUE(OnDiagonalCross(x, y));
  for (auto [x, y] : {std::pair{2, 0}, {3, 4}, {5, 2}}) EXPECT_FALSE(OnDiagonalCross(x, y));
  // Between its lines an earlier fill stays.
  Picture filled({"#####", "#ooo#", "#ooo#", "#####"});
  EXPECT_EQ(filled.Fill(2, 1, kPaper, FillPattern::DiagonalCross), 4u);
  EXPECT_EQ(filled.Drawn(), (Rows{"#####", "#..o#", "#o..#", "#####"}));
}

TEST(FloodFill, TheTopByteIsIgnoredATolerantBorderHoldsAndTheStrideIsHonoured) {
  std::vector<std::uint32_t> row = {kPaper, 0x00000000, kPaper};  // a border pixel without alpha
  EXPECT_EQ(FloodFill(PixelView{row.data(), 3, 1, 3}, 0, 0, kBorder, kPaint, FillPattern::Solid), 1u);
  row = {kPaper, 0xFF101010, kPaper};  // a nearly black outline: leaks without tolerance
  EXPECT_EQ(FloodFill(PixelView{row.data(), 3, 1, 3}, 0, 0, kBorder, kPaint, FillPattern::Solid, 32), 1u);
  EXPECT_EQ(FloodFill(PixelView{row.data(), 3, 1, 3}, 2, 0, kBorder, kPaint, FillPattern::Solid, 0), 3u);
  std::vector<std::uint32_t> wide = {kPaper, kPaper, 7, kPaper, kPaper, 7};
  EXPECT_EQ(FloodFill(PixelView{wide.data(), 2, 2, 3}, 0, 0, kBorder, kPaint, FillPattern::Solid), 4u);
  EXPECT_EQ(wide, (std::vector<std::uint32_t>{kPaint, kPaint, 7, kPaint, kPaint, 7}));
}

TEST(RecordColourToPixel, SwapsRedAndBlueAndMakesItOpaque) {
  EXPECT_EQ(RecordColourToPixel(0x000000FF), 0xFFFF0000u);
  EXPECT_EQ(RecordColourToPixel(0x12345678), 0xFF785634u);
}

}  // namespace
}  // namespace lexmora
