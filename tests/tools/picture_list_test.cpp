#include "gamebase/picture_list.h"

#include <gtest/gtest.h>

#include "common/source_error.h"
#include "dictc/glyph_image.h"
#include "support/bytes.h"
#include "support/temp_dir.h"

namespace lexmora::tools {
namespace {

using test::Bytes;

// A 6 x 3 bitmap: two regions (a, b) in a #302010 outline, magenta around.
std::string TwoRegionBitmap() {
  const std::vector<std::string> rows = {"######", "#aa#b#", "######"};
  PixelImage image;
  image.width = 6;
  image.height = 3;
  for (const std::string& row : rows) {
    for (char c : row) image.pixels.push_back(c == '#' ? Rgb{0x30, 0x20, 0x10} : Rgb{static_cast<std::uint8_t>(c), 9, 9});
  }
  return EncodeBmp24(image);
}

std::string JpegHead(int width, int height) {
  return Bytes({0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 0x08, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 0x01,
                0x01, 0x11, 0x00, 0xFF, 0xD9});
}

class PictureListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Write("pics/two.bmp", TwoRegionBitmap());
    dir.Write("pics/photo.jpg", JpegHead(40, 30));
    dir.Write("pics/notes.txt", "hello");
  }
  std::vector<ListedPicture> Pictures(const std::string& text) {
    return ParsePictureList(text, "pictures.txt", dir.path());
  }
  // The message of the error a list raises, or "" when it parses.
  std::string PictureError(const std::string& text) {
    try {
      Pictures(text);
    } catch (const SourceError& e) {
      return e.what();
    }
    return "";
  }
  std::string BackgroundError(const std::string& text) {
    try {
      ParseBackgroundList(text, "backgrounds.txt", dir.path());
    } catch (const SourceError& e) {
      return e.what();
    }
    return "";
  }
  test::TempDir dir;
};

const char* kGoodPictures =
    "# two pictures\n"
    "\n"
    "[picture]\n"
    "file        = pics/two.bmp\n"
    "type        = bmp\n"
    "border      = #302010   # the outline\n"
    "transparent = #FF00ff\n"
    "point       = 1 1       # 1 a\n"
    "point       = 4 1       # 2 b\n"
    "[picture]   # a photograph, not checked\n"
    "file        = pics/photo.jpg\n"
    "border      = #000001\n"
    "transparent = #ffffff\n"
    "point       = 39 29\n";

TEST_F(PictureListTest, PicturesInListOrderWithTheirColoursAndPoints) {
  const auto pictures = Pictures(kGoodPictures);
  ASSERT_EQ(pictures.size(), 2u);
  const RegionPictureSource& a = pictures[0].source;
  EXPECT_EQ(a.type, kPictureTypeBitmap);
  EXPECT_EQ(a.borderColour, 0x00102030u);
  EXPECT_EQ(a.transparentColour, 0x00FF00FFu);
  EXPECT_EQ(a.points, (std::vector<RegionPoint>{{1, 1}, {4, 1}}));
  EXPECT_EQ(a.regionCount, std::nullopt);  // as many as points
  EXPECT_EQ(a.picture, TwoRegionBitmap());
  EXPECT_TRUE(pictures[0].regionsChecked);
  EXPECT_EQ(pictures[0].line, 3u);
  EXPECT_EQ(pictures[0].file, "pics/two.bmp");
  const RegionPictureSource& b = pictures[1].source;
  EXPECT_EQ(b.type, kPictureTypeJpeg);  // taken from the content
  EXPECT_EQ(b.borderColour, 0x00010000u);
  EXPECT_EQ(b.points, (std::vector<RegionPoint>{{39, 29}}));
  EXPECT_FALSE(pictures[1].regionsChecked);
  EXPECT_TRUE(Pictures("# nothing yet\n").empty());
}

TEST_F(PictureListTest, FaultsNameTheListAndLine) {
  const std::string head = "[picture]\nfile = pics/two.bmp\nborder = #302010\ntransparent = #ff00ff\n";
  const std::string points = "point = 1 1\npoint = 4 1\n";
  struct Case {
    std::string text;
    std::string message;
  };
  const Case cases[] = {
      {"file = pics/two.bmp\n", "pictures.txt:1: file before the first [picture]"},
      {"[pictures]\n", "pictures.txt:1: expected [picture], found [pictures]"},
      {"[picture]\nfile pics/two.bmp\n", "pictures.txt:2: expected key = value"},
      {head + points + "colour = red\n", "pictures.txt:7: unknown key colour"},
      {head + points + "border = #302010\n", "pictures.txt:7: border given twice"},
      {"[picture]\nborder = #302010\n", "pictures.txt:1: the section has no file"},
      {"[picture]\nfile = pics/none.bmp\n", "pictures.txt:2: cannot read pics/none.bmp"},
      {"[picture]\nfile = pics/two.bmp\ntype = png\n", "pictures.txt:3: type must be bmp or jpeg, not png"},
      {"[picture]\nfile = pics/two.bmp\ntype = jpeg\n", "pictures.txt:3: pics/two.bmp is not a JPEG file"},
      {"[picture]\nfile = pics/photo.jpg\ntype = bmp\n", "pictures.txt:3: pics/photo.jpg is not a bitmap file"},
      {"[picture]\nfile = pics/notes.txt\n", "pictures.txt:2: pics/notes.txt is neither a bitmap nor a JPEG file"},
      {"[picture]\nfile = pics/two.bmp\ntransparent = #ff00ff\n", "pictures.txt:1: the section has no border"},
      {"[picture]\nfile = pics/two.bmp\nborder = 302010\n", "pictures.txt:3: border must be a colour #rrggbb, not 302010"},
      {"[picture]\nfile = pics/two.bmp\nborder = #30201g\n", "pictures.txt:3: border must be a colour #rrggbb, not #30201g"},
      {"[picture]\nfile = pics/two.bmp\nborder = #302010 x\n", "pictures.txt:3: border must be a colour #rrggbb, not #302010 x"},
      {"[picture]\nfile = pics/two.bmp\nborder = #302010\ntransparent = #302010\n",
       "pictures.txt:4: the transparent colour is the border colour"},
      {head, "pictures.txt:1: the picture has no point: it needs one per region"},
      {head + "point = 1\n", "pictures.txt:5: point must be two whole numbers x y, not 1"},
      {head + "point = 1 one\n", "pictures.txt:5: point must be two whole numbers x y, not 1 one"},
      {head + "point = 1 1\npoint = 6 0\n", "pictures.txt:6: point 2 (6 0) lies outside the 6 x 3 picture"},
      {head + "point = -1 0\n", "pictures.txt:5: point 1 (-1 0) lies outside the 6 x 3 picture"},
      {head + "point = 1 1\npoint = 2 1\n", "pictures.txt:1: pics/two.bmp: point 2 (2, 1) lies in the region of point 1"},
      {head + "point = 3 1\n", "pictures.txt:1: pics/two.bmp: point 1 (3, 1) lies on the border colour"},
  };
  for (const Case& c : cases) EXPECT_EQ(PictureError(c.text), c.message) << c.text;
  EXPECT_EQ(PictureError(head + points), "");
}

TEST_F(PictureListTest, JpegWithoutASizeIsRefused) {
  dir.Write("pics/cut.jpg", JpegHead(40, 30).substr(0, 8));
  EXPECT_EQ(PictureError("[picture]\nfile = pics/cut.jpg\n"), "pictures.txt:2: cannot tell the size of pics/cut.jpg");
}

TEST_F(PictureListTest, BackgroundsTakeAFileAndAnOptionalType) {
  const auto backgrounds = ParseBackgroundList(
      "[background]\nfile = pics/photo.jpg\ntype = jpeg\n\n[background]\nfile = pics/two.bmp\n", "backgrounds.txt",
      dir.path());
  ASSERT_EQ(backgrounds.size(), 2u);
  EXPECT_EQ(backgrounds[0].source.type, kPictureTypeJpeg);
  EXPECT_EQ(backgrounds[0].source.picture, JpegHead(40, 30));
  EXPECT_EQ(backgrounds[1].source.type, kPictureTypeBitmap);
  EXPECT_EQ(backgrounds[1].line, 5u);
  EXPECT_EQ(BackgroundError("[background]\nfile = pics/two.bmp\npoint = 1 1\n"), "backgrounds.txt:3: unknown key point");
  EXPECT_EQ(BackgroundError("[picture]\n"), "backgrounds.txt:1: expected [background], found [picture]");
  EXPECT_EQ(BackgroundError("[background]\nfile = pics/two.bmp\ntype = jpeg\n"),
            "backgrounds.txt:3: pics/two.bmp is not a JPEG file");
}

TEST_F(PictureListTest, ListsReadFromFilesNamePicturesRelativeToThemselves) {
  const auto list = dir.Write("pictures.txt", std::string(kGoodPictures));
  EXPECT_EQ(LoadPictureList(list).size(), 2u);
  const auto moved = dir.Write("sub/pictures.txt", std::string(kGoodPictures));
  EXPECT_THROW(LoadPictureList(moved), SourceError);
  EXPECT_THROW(LoadBackgroundList(dir.path() / "none.txt"), SourceError);
}

TEST(ParseHtmlColour, HashAndSixHexDigitsInRedGreenBlueOrder) {
  EXPECT_EQ(ParseHtmlColour("#123456"), 0x00563412u);
  EXPECT_EQ(ParseHtmlColour("#ABCdef"), 0x00EFCDABu);
  EXPECT_EQ(ParseHtmlColour("#000000"), 0u);
  for (const char* bad : {"", "#", "123456", "#12345", "#1234567", "#12345g", "0x123456"}) {
    EXPECT_EQ(ParseHtmlColour(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace lexmora::tools
