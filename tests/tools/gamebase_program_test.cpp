// lexmora-gamebase as a user runs it, and on the sample pictures of the
// repository.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <optional>
#include <set>
#include <string>

#include "dictionary/file_io.h"
#include "game/encoded_picture_size.h"
#include "game/picture_bases.h"
#include "gamebase/bitmap_regions.h"
#include "gamebase/picture_list.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

namespace fs = std::filesystem;

struct ProgramRun {
  int exitCode;
  std::string output;  // stdout and stderr
};

ProgramRun RunGamebase(const test::TempDir& dir, const std::string& arguments) {
  const std::string log = (dir.path() / "log.txt").string();
  const int status = std::system((std::string(LEXMORA_GAMEBASE) + " " + arguments + " >'" + log + "' 2>&1").c_str());
  auto text = ReadWholeFile(log);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text ? *text : std::string()};
}

std::string Quoted(const fs::path& p) { return "'" + p.string() + "'"; }

const fs::path kSources = LEXMORA_GAME_SOURCES;

// The pixels a fill from point would colour (left, right, up and down, up
// to the border colour); nullopt when it would reach the transparent
// surroundings, so that the region is no closed shape.
std::optional<std::size_t> RegionSize(const tools::ColourImage& image, RegionPoint point, std::uint32_t border,
                                      std::uint32_t transparent) {
  const int w = image.width, h = image.height;
  std::vector<bool> seen(image.pixels.size(), false);
  std::vector<std::size_t> stack = {static_cast<std::size_t>(point.y) * w + point.x};
  seen[stack[0]] = true;
  std::size_t reached = 0;
  while (!stack.empty()) {
    const std::size_t i = stack.back();
    stack.pop_back();
    if (image.pixels[i] == transparent) return std::nullopt;
    ++reached;
    const int x = static_cast<int>(i % w), y = static_cast<int>(i / w);
    for (auto [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
      const int xx = x + dx, yy = y + dy;
      if (xx < 0 || yy < 0 || xx >= w || yy >= h) continue;
      const std::size_t j = static_cast<std::size_t>(yy) * w + xx;
      if (seen[j] || image.pixels[j] == border) continue;
      seen[j] = true;
      stack.push_back(j);
    }
  }
  return reached;
}

TEST(GamebaseProgram, BuildsBothBasesFromTheSampleLists) {
  test::TempDir dir;
  const fs::path out = dir.path() / "folder";
  const ProgramRun run = RunGamebase(dir, "--pictures " + Quoted(kSources / "pictures.txt") + " --backgrounds " +
                                              Quoted(kSources / "backgrounds.txt") + " --out " + Quoted(out));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("6 region pictures (6 with their regions checked)"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("6 backgrounds"), std::string::npos) << run.output;

  // Every record reads back as the lists give it.
  const auto pictures = tools::LoadPictureList(kSources / "pictures.txt");
  ASSERT_EQ(PictureCount(out), static_cast<int>(pictures.size()));
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const auto read = LoadGamePicture(out, static_cast<int>(i));
    ASSERT_TRUE(read) << i;
    EXPECT_EQ(read->record.Type(), pictures[i].source.type);
    EXPECT_EQ(read->record.BorderColour(), pictures[i].source.borderColour);
    EXPECT_EQ(read->record.TransparentColour(), pictures[i].source.transparentColour);
    EXPECT_EQ(read->record.RegionCount(), pictures[i].source.points.size());
    EXPECT_EQ(read->points, pictures[i].source.points);
    EXPECT_EQ(read->picture, *ReadWholeFile(kSources / pictures[i].file));
  }
  const auto backgrounds = tools::LoadBackgroundList(kSources / "backgrounds.txt");
  ASSERT_EQ(BackgroundCount(out), static_cast<int>(backgrounds.size()));
  for (std::size_t i = 0; i < backgrounds.size(); ++i) {
    const auto read = LoadGameBackground(out, static_cast<int>(i));
    ASSERT_TRUE(read) << i;
    EXPECT_EQ(read->record.Type(), backgrounds[i].source.type);
    EXPECT_EQ(read->picture, *ReadWholeFile(kSources / backgrounds[i].file));
  }
}

// What a game needs of a region picture: the picture area's size, 8 to 16
// regions closed by their outline, each worth a fill (not a speck), and a
// drawing that lets the background through around it.
TEST(GamebaseProgram, SamplePicturesAreWholeDrawingsForTheGame) {
  const auto pictures = tools::LoadPictureList(kSources / "pictures.txt");
  ASSERT_GE(pictures.size(), 6u);
  std::set<std::string> names;
  for (const auto& listed : pictures) {
    SCOPED_TRACE(listed.file);
    EXPECT_TRUE(names.insert(listed.file).second);
    const RegionPictureSource& s = listed.source;
    EXPECT_GE(s.points.size(), 8u);
    EXPECT_LE(s.points.size(), 16u);
    EXPECT_TRUE(listed.regionsChecked);
    // Black is the colour of a wrong answer: an outline in black would stop
    // the second fill of a region painted black.
    EXPECT_NE(s.borderColour, 0u);
    const auto image = tools::DecodePlainBitmap(s.picture);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 550);
    EXPECT_EQ(image->height, 300);
    std::size_t border = 0, transparent = 0;
    for (std::uint32_t c : image->pixels) {
      border += c == s.borderColour;
      transparent += c == s.transparentColour;
    }
    EXPECT_GT(transparent, image->pixels.size() / 10);
    EXPECT_GT(border, 1000u);
    EXPECT_LT(border, image->pixels.size() / 10);
    for (std::size_t k = 0; k < s.points.size(); ++k) {
      const auto size = RegionSize(*image, s.points[k], s.borderColour, s.transparentColour);
      ASSERT_TRUE(size) << "region " << k + 1 << " is open to the surroundings";
      EXPECT_GE(*size, 100u) << "region " << k + 1;
    }
  }
}

TEST(GamebaseProgram, SampleBackgroundsFitThePictureArea) {
  const auto backgrounds = tools::LoadBackgroundList(kSources / "backgrounds.txt");
  ASSERT_GE(backgrounds.size(), 6u);
  bool jpeg = false, bitmap = false;
  for (const auto& b : backgrounds) {
    const PictureSize size = EncodedPictureSize(b.source.picture, b.source.type);
    EXPECT_EQ(size.width * 300, size.height * 550) << b.file;  // 550 x 300, or a part of it stretched
    jpeg = jpeg || b.source.type == kPictureTypeJpeg;
    bitmap = bitmap || b.source.type == kPictureTypeBitmap;
  }
  EXPECT_TRUE(jpeg);
  EXPECT_TRUE(bitmap);
}

TEST(GamebaseProgram, FaultsAndWrongArgumentsFail) {
  test::TempDir dir;
  EXPECT_EQ(RunGamebase(dir, "").exitCode, 2);
  EXPECT_EQ(RunGamebase(dir, "--out " + Quoted(dir.path())).exitCode, 2);
  EXPECT_EQ(RunGamebase(dir, "--pictures x.txt").exitCode, 2);
  EXPECT_EQ(RunGamebase(dir, "--pictures x.txt --out").exitCode, 2);

  dir.Write("list.txt", "[picture]\nfile = none.bmp\n");
  const ProgramRun bad = RunGamebase(dir, "--pictures " + Quoted(dir.path() / "list.txt") + " --out " +
                                              Quoted(dir.path() / "out"));
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_NE(bad.output.find("list.txt:2: cannot read none.bmp"), std::string::npos) << bad.output;
  EXPECT_FALSE(fs::exists(dir.path() / "out" / "GAME" / "nobase.IDX"));

  // Backgrounds alone leave the region pictures alone.
  dir.Write("bk.txt", "[background]\nfile = " + (kSources / "backgrounds" / "desert_dunes.bmp").string() + "\n");
  const ProgramRun good =
      RunGamebase(dir, "--backgrounds " + Quoted(dir.path() / "bk.txt") + " --out " + Quoted(dir.path() / "out"));
  EXPECT_EQ(good.exitCode, 0) << good.output;
  EXPECT_EQ(BackgroundCount(dir.path() / "out"), 1);
  EXPECT_EQ(PictureCount(dir.path() / "out"), 0);
}

}  // namespace
}  // namespace lexmora
