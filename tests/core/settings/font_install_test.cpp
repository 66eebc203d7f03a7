// Installing the fonts of an archive into a fonts folder.
#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "settings/archive_time.h"
#include "settings/font_archive_writer.h"
#include "settings/font_install.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

namespace fs = std::filesystem;

struct Fixture {
  test::TempDir tmp;
  fs::path archive = tmp.path() / "system.lib";
  fs::path fonts = tmp.path() / "fonts";

  void WriteArchive(const std::vector<FontArchiveMember>& members) const {
    tmp.Write("system.lib", BuildFontArchive(members));
  }
  std::vector<FontArchiveMember> Standard() const {
    return {{"FONTS.STR", BuildFontList({"Sample Sans", "Sample Mono"}), 0},
            {"SampleSans.ttf", "sans-bytes", 36526.5},
            {"readme.txt", "not a font", 36526.5},
            {"SampleMono.TTF", "mono-bytes", 40000.0}};
  }
};

TEST(FontInstall, AllFacesInstalledExtractsNothing) {
  Fixture f;
  f.WriteArchive(f.Standard());
  EXPECT_TRUE(InstallFontsFromArchive(f.archive, f.fonts, {"sample mono", "SAMPLE SANS", "Other"}).empty());
  EXPECT_FALSE(fs::exists(f.fonts));
}

TEST(FontInstall, OneMissingFaceInstallsEveryAbsentTtfMember) {
  Fixture f;
  f.WriteArchive(f.Standard());
  fs::create_directories(f.fonts);
  f.tmp.Write("fonts/SampleMono.TTF", "already here");
  const auto installed = InstallFontsFromArchive(f.archive, f.fonts, {"Sample Mono"});
  ASSERT_EQ(installed, (std::vector<fs::path>{f.fonts / "SampleSans.ttf"}));
  EXPECT_EQ(*ReadWholeFile(f.fonts / "SampleSans.ttf"), "sans-bytes");
  EXPECT_EQ(*ReadWholeFile(f.fonts / "SampleMono.TTF"), "already here");  // not overwritten
  EXPECT_FALSE(fs::exists(f.fonts / "readme.txt"));
  EXPECT_EQ(fs::last_write_time(f.fonts / "SampleSans.ttf"), *ArchiveTimeToFileTime(36526.5));
}

TEST(FontInstall, CreatesTheFontsFolder) {
  Fixture f;
  f.WriteArchive(f.Standard());
  const auto installed = InstallFontsFromArchive(f.archive, f.fonts / "deeper", {});
  EXPECT_EQ(installed.size(), 2u);
  EXPECT_TRUE(fs::exists(f.fonts / "deeper" / "SampleMono.TTF"));
}

TEST(FontInstall, MissingArchiveOrFontListInstallsNothing) {
  Fixture f;
  EXPECT_TRUE(InstallFontsFromArchive(f.archive, f.fonts, {}).empty());
  f.WriteArchive({{"fonts.str", BuildFontList({"X"}), 0}, {"a.ttf", "a", 0}});
  EXPECT_TRUE(InstallFontsFromArchive(f.archive, f.fonts, {}).empty());
  f.tmp.Write("system.lib", "short");
  EXPECT_TRUE(InstallFontsFromArchive(f.archive, f.fonts, {}).empty());
  EXPECT_FALSE(fs::exists(f.fonts));
}

TEST(FontInstall, NamesThatLeaveTheFolderAndUnreadableMembersAreSkipped) {
  Fixture f;
  std::string image = BuildFontArchive({{"FONTS.STR", BuildFontList({"Gone"}), 0},
                                        {"../escape.ttf", "x", 0},
                                        {"sub/dir.ttf", "x", 0},
                                        {"empty.ttf", "", 0},
                                        {"good.ttf", "g", 0}});
  f.tmp.Write("system.lib", image);
  const auto installed = InstallFontsFromArchive(f.archive, f.fonts, {});
  EXPECT_EQ(installed, (std::vector<fs::path>{f.fonts / "good.ttf"}));
  EXPECT_FALSE(fs::exists(f.tmp.path() / "escape.ttf"));
  EXPECT_FALSE(fs::exists(f.fonts / "empty.ttf"));
}

TEST(FontInstall, WriteFailureStopsTheInstallation) {
  Fixture f;
  f.WriteArchive(f.Standard());
  f.tmp.Write("fonts", "a file where the folder should be");
  EXPECT_TRUE(InstallFontsFromArchive(f.archive, f.fonts, {}).empty());
}

TEST(FontInstall, FaceComparisonIgnoresCase) {
  EXPECT_TRUE(FaceInstalled("Liberation Sans", {"liberation sans"}));
  EXPECT_TRUE(FaceInstalled("TIMES NEW ROMAN", {"Times New Roman"}));
  EXPECT_FALSE(FaceInstalled("Liberation Sans", {"Liberation Sans Narrow"}));
  EXPECT_TRUE(FaceInstalled("Caf\xC9", {"café"}));  // 1252 byte against UTF-8
}

}  // namespace
}  // namespace lexmora
