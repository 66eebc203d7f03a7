#include "dictc/glyph_image.h"

#include <gtest/gtest.h>

#include "common/source_error.h"
#include "dictionary/byte_io.h"
#include "support/temp_dir.h"

namespace lexmora::tools {
namespace {

const std::uint8_t* U8(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

constexpr std::string_view kThreeByTwo =
    "# a test glyph\n"
    "size 3 2\n"
    ". #ffffff\n"
    "b #1e3c8e\n"
    "pixels\n"
    "b..\n"
    "..b\n";

TEST(GlyphImage, HeaderFieldsOfA24BitBitmap) {
  std::string bmp = EncodeBmp24(ParseGlyph(kThreeByTwo, "t.glyph"));
  // Rows of 3 pixels take 9 bytes, padded to 12.
  ASSERT_EQ(bmp.size(), 14u + 40u + 2u * 12u);
  const std::uint8_t* p = U8(bmp);
  EXPECT_EQ(p[0], 'B');
  EXPECT_EQ(p[1], 'M');
  EXPECT_EQ(GetU32(p + 2), bmp.size());
  EXPECT_EQ(GetU32(p + 6), 0u);
  EXPECT_EQ(GetU32(p + 10), 54u);
  EXPECT_EQ(GetU32(p + 14), 40u);
  EXPECT_EQ(GetU32(p + 18), 3u);
  EXPECT_EQ(GetU32(p + 22), 2u);
  EXPECT_EQ(GetU16(p + 26), 1u);
  EXPECT_EQ(GetU16(p + 28), 24u);
  EXPECT_EQ(GetU32(p + 30), 0u);
  EXPECT_EQ(GetU32(p + 34), 24u);
}

TEST(GlyphImage, RowsAreBottomUpInBgrOrderWithZeroPadding) {
  std::string bmp = EncodeBmp24(ParseGlyph(kThreeByTwo, "t.glyph"));
  const std::string bottom = bmp.substr(54, 12);  // the last source row "..b"
  const std::string top = bmp.substr(66, 12);     // the first source row "b.."
  EXPECT_EQ(bottom, std::string("\xff\xff\xff\xff\xff\xff\x8e\x3c\x1e\0\0\0", 12));
  EXPECT_EQ(top, std::string("\x8e\x3c\x1e\xff\xff\xff\xff\xff\xff\0\0\0", 12));
}

TEST(GlyphImage, RowsOfFourPixelsNeedNoPadding) {
  PixelImage image{4, 1, std::vector<Rgb>(4, Rgb{1, 2, 3})};
  std::string bmp = EncodeBmp24(image);
  EXPECT_EQ(bmp.size(), 54u + 12u);
  EXPECT_EQ(bmp.substr(54, 3), "\x03\x02\x01");
}

TEST(GlyphImage, FaultsNameTheirLine) {
  struct Case {
    std::string text;
    std::size_t line;
    std::string fragment;
  };
  const Case cases[] = {
      {"size 2 1\n. #fff\npixels\n..\n", 2, "palette"},
      {"size 2 1\n. #ffffff\npixels\n.x\n", 4, "not in the palette"},
      {"size 2 1\n. #ffffff\npixels\n...\n", 4, "3 characters, expected 2"},
      {"size 2 2\n. #ffffff\npixels\n..\n", 4, "2 pixel rows"},
      {"size 2 1\n. #ffffff\npixels\n..\n..\n", 5, "more pixel rows"},
      {"size 0 1\n", 1, "size"},
      {". #ffffff\n. #000000\n", 2, "twice"},
      {"size 1 1\n. #ffffff\n", 0, "pixels"},
  };
  for (const Case& c : cases) {
    try {
      ParseGlyph(c.text, "g.glyph");
      ADD_FAILURE() << "no error for " << c.fragment;
    } catch (const SourceError& e) {
      EXPECT_EQ(e.line(), c.line) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
    }
  }
}

TEST(GlyphImage, BmpFilesAreTakenAsTheyAreAndOthersRefused) {
  lexmora::test::TempDir dir;
  std::string bmp = EncodeBmp24(ParseGlyph(kThreeByTwo, "t.glyph"));
  EXPECT_EQ(LoadGlyphImage(dir.Write("a.bmp", bmp)), bmp);
  EXPECT_EQ(LoadGlyphImage(dir.Write("a.glyph", kThreeByTwo)), bmp);
  EXPECT_THROW(LoadGlyphImage(dir.Write("b.bmp", "not a bitmap at all, just some text.....................")), SourceError);
  EXPECT_THROW(LoadGlyphImage(dir.path() / "missing.glyph"), SourceError);
}

}  // namespace
}  // namespace lexmora::tools
