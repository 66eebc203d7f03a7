// gamebases, gamepicture and gamebackground on bases written here and on
// the sample folder's GAME folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "cli_test_support.h"
#include "dictionary/byte_io.h"
#include "game/picture_base_writer.h"
#include "support/bytes.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::RunCliArgs;

// A 24-bit bitmap file of the given size, all pixels zero.
std::string Bitmap(int width, int height) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  std::string file(54 + static_cast<std::size_t>(rowBytes) * height, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(file.data());
  p[0] = 'B';
  p[1] = 'M';
  PutU32(p + 2, static_cast<std::uint32_t>(file.size()));
  PutU32(p + 10, 54);
  PutU32(p + 14, 40);
  PutU32(p + 18, static_cast<std::uint32_t>(width));
  PutU32(p + 22, static_cast<std::uint32_t>(height));
  PutU16(p + 26, 1);
  PutU16(p + 28, 24);
  return file;
}

// The start of a JPEG file up to its frame header.
std::string JpegHead(int width, int height) {
  return Bytes({0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x0B, 0x08, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 0x01,
                0x01, 0x11, 0x00, 0xFF, 0xD9});
}

class CliGameBases : public ::testing::Test {
 protected:
  void SetUp() override {
    RegionPictureSource first;
    first.type = kPictureTypeBitmap;
    first.borderColour = 0x00332211;
    first.transparentColour = 0x00FF00FF;
    first.points = {{3, 4}, {-1, 70000}};
    first.picture = Bitmap(12, 5);
    RegionPictureSource second;
    second.type = kPictureTypeJpeg;
    second.regionCount = 7;
    second.points = {{1, 2}};
    second.picture = "not a picture";  // reads, but tells no size
    ASSERT_TRUE(WriteRegionPictureBase(dir.path(), *RegionPictureBaseImage({first, second})));
    ASSERT_TRUE(WriteBackgroundBase(
        dir.path(), *BackgroundBaseImage({{kPictureTypeJpeg, JpegHead(640, 480)}, {kPictureTypeBitmap, Bitmap(2, 3)},
                                          {9, Bitmap(2, 3)}})));
    d = dir.path().string();
  }
  test::TempDir dir;
  std::string d;
};

TEST_F(CliGameBases, CountsOfBothBases) {
  auto r = RunCliArgs({"--dir", d, "gamebases", "--json"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "{\"pictures\":2,\"backgrounds\":3}\n");
  auto text = RunCliArgs({"--dir", d, "gamebases"});
  EXPECT_EQ(text.out, "2 region pictures, 3 backgrounds\n");
  // No GAME folder: empty bases, not an error.
  test::TempDir empty;
  auto none = RunCliArgs({"--dir", empty.path().string(), "gamebases", "--json"});
  EXPECT_EQ(none.code, 0);
  EXPECT_EQ(none.out, "{\"pictures\":0,\"backgrounds\":0}\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamebases", "1"}).code, 1);
}

TEST_F(CliGameBases, PictureRecordPointsAndSize) {
  auto r = RunCliArgs({"--dir", d, "gamepicture", "0", "--json"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out,
            "{\"index\":0,\"type\":1,\"border\":3351057,\"transparent\":16711935,\"regions\":2,"
            "\"points\":[[3,4],[-1,70000]],\"width\":12,\"height\":5}\n");
  // A picture that does not decode still reads: its size is 0, 0.
  auto second = RunCliArgs({"--dir", d, "gamepicture", "1", "--json"});
  EXPECT_EQ(second.code, 0) << second.err;
  EXPECT_EQ(second.out,
            "{\"index\":1,\"type\":2,\"border\":0,\"transparent\":0,\"regions\":7,\"points\":[[1,2]],"
            "\"width\":0,\"height\":0}\n");
  auto text = RunCliArgs({"--dir", d, "gamepicture", "0"});
  EXPECT_EQ(text.out,
            "region picture 0: bitmap 12 x 5, 2 regions, border #112233, transparent #ff00ff\n"
            "  1\t3\t4\n"
            "  2\t-1\t70000\n");
}

TEST_F(CliGameBases, BackgroundTypeAndSize) {
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamebackground", "0", "--json"}).out,
            "{\"index\":0,\"type\":2,\"width\":640,\"height\":480}\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamebackground", "1", "--json"}).out,
            "{\"index\":1,\"type\":1,\"width\":2,\"height\":3}\n");
  // A bitmap stored under an unknown type does not decode.
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamebackground", "2", "--json"}).out,
            "{\"index\":2,\"type\":9,\"width\":0,\"height\":0}\n");
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamebackground", "1"}).out, "background 1: bitmap 2 x 3\n");
}

TEST_F(CliGameBases, FailedReadsExitWithOne) {
  for (const char* command : {"gamepicture", "gamebackground"}) {
    for (const char* index : {"-1", "3", "99999999999", "x", ""}) {
      auto r = RunCliArgs({"--dir", d, command, index, "--json"});
      EXPECT_EQ(r.code, 1) << command << " " << index;
      EXPECT_EQ(r.out, "") << command << " " << index;
      EXPECT_NE(r.err, "") << command << " " << index;
    }
    EXPECT_EQ(RunCliArgs({"--dir", d, command}).code, 1);
  }
  EXPECT_NE(RunCliArgs({"--dir", d, "gamepicture", "2"}).err.find("cannot be read (the base holds 2)"),
            std::string::npos);
  // A record whose picture runs past the end of the data file.
  const fs::path nob = dir.path() / "GAME" / "nobase.NOB";
  fs::resize_file(nob, fs::file_size(nob) - 1);
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamepicture", "0"}).code, 0);
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamepicture", "1"}).code, 1);
  fs::remove(dir.path() / "GAME" / "bkbase.BOB");
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamebackground", "0"}).code, 1);
}

// The sample folder the build assembles.
class SampleGameBases : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(dir / "GAME" / "nobase.IDX")) GTEST_SKIP() << "no picture bases in " << dir;
  }
  fs::path dir = LEXMORA_SAMPLE_DIR;
};

TEST_F(SampleGameBases, EveryPictureReadsWithItsPointsInsideAndEveryBackgroundHasASize) {
  const std::string d = dir.string();
  const std::regex counts(R"(\{"pictures":(\d+),"backgrounds":(\d+)\}\n)");
  std::smatch m;
  const std::string bases = RunCliArgs({"--dir", d, "gamebases", "--json"}).out;
  ASSERT_TRUE(std::regex_match(bases, m, counts)) << bases;
  const int pictures = std::stoi(m[1]), backgrounds = std::stoi(m[2]);
  EXPECT_GE(pictures, 6);
  EXPECT_GE(backgrounds, 6);

  const std::regex picture(
      R"(\{"index":\d+,"type":1,"border":(\d+),"transparent":(\d+),"regions":(\d+),"points":\[(.*)\],"width":550,"height":300\}\n)");
  const std::regex point(R"(\[(-?\d+),(-?\d+)\])");
  for (int i = 0; i < pictures; ++i) {
    auto r = RunCliArgs({"--dir", d, "gamepicture", std::to_string(i), "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_TRUE(std::regex_match(r.out, m, picture)) << r.out;
    EXPECT_NE(m[1], m[2]) << "picture " << i << ": border and transparent colour are the same";
    const int regions = std::stoi(m[3]);
    EXPECT_GE(regions, 8) << "picture " << i;
    EXPECT_LE(regions, 16) << "picture " << i;
    const std::string list = m[4];
    int n = 0;
    for (std::sregex_iterator it(list.begin(), list.end(), point), end; it != end; ++it, ++n) {
      const int x = std::stoi((*it)[1]), y = std::stoi((*it)[2]);
      EXPECT_TRUE(x >= 0 && x < 550 && y >= 0 && y < 300) << "picture " << i << " point " << n + 1;
    }
    EXPECT_EQ(n, regions) << "picture " << i;
  }
  EXPECT_EQ(RunCliArgs({"--dir", d, "gamepicture", std::to_string(pictures)}).code, 1);

  int jpegs = 0;
  const std::regex background(R"(\{"index":\d+,"type":([12]),"width":([1-9]\d*),"height":([1-9]\d*)\}\n)");
  for (int i = 0; i < backgrounds; ++i) {
    auto r = RunCliArgs({"--dir", d, "gamebackground", std::to_string(i), "--json"});
    ASSERT_EQ(r.code, 0) << r.err;
    ASSERT_TRUE(std::regex_match(r.out, m, background)) << r.out;
    if (m[1] == "2") ++jpegs;
    // Drawn for the 550 x 300 picture area, or for half of it.
    EXPECT_EQ(std::stoi(m[2]) * 300, std::stoi(m[3]) * 550) << r.out;
  }
  EXPECT_GE(jpegs, 1);
  EXPECT_LT(jpegs, backgrounds);  // a bitmap among them too
}

}  // namespace
}  // namespace lexmora
