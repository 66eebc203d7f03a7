// The font archive reader against archives made by the writer, and against
// truncated, oversized and corrupted images.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "dictionary/byte_io.h"
#include "settings/archive_time.h"
#include "settings/font_archive.h"
#include "settings/font_archive_writer.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

std::string SampleArchive() {
  return BuildFontArchive({{"FONTS.STR", BuildFontList({"Sample Sans", "Sample Serif"}), 45000.5},
                           {"SampleSans.ttf", std::string("\x00\x01\x00\x00sans", 8), 45001.25},
                           {"SampleSerif.TTF", "serif-data", 45002.0}});
}

void SetCount(std::string& image, std::uint32_t count) {
  PutU32(reinterpret_cast<std::uint8_t*>(image.data()) + image.size() - 10, count);
}

TEST(FontArchive, WriterAndReaderAgree) {
  const std::string image = SampleArchive();
  const DynArchItemRecArray dir = ReadArchiveDirectoryFromImage(image);
  ASSERT_EQ(dir.size(), 3u);
  EXPECT_EQ(dir[1].name, "SampleSans.ttf");
  EXPECT_EQ(dir[1].modificationTime, 45001.25);
  EXPECT_EQ(dir[1].offset, 60);
  EXPECT_EQ(dir[1].size, 8);
  EXPECT_EQ(ExtractArchMemberFromImage(image, dir[1]), std::string("\x00\x01\x00\x00sans", 8));
  EXPECT_EQ(image.size(), 60u + 8 + 10 + 3 * 288 + 10);
  // Member data and directory are scrambled in the file.
  EXPECT_EQ(image.find("serif-data"), std::string::npos);
  EXPECT_EQ(image.substr(image.size() - 6), std::string("\x05\xA6" "ARCH"));

  const ArchItemRec* list = FindArchItem(dir, "FONTS.STR");
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ParseFontList(ExtractArchMemberFromImage(image, *list)), (std::vector<std::string>{"Sample Sans", "Sample Serif"}));
  EXPECT_EQ(FindArchItem(dir, "fonts.str"), nullptr);  // exact names only
}

TEST(FontArchive, FileReaderMatchesImageReader) {
  test::TempDir tmp;
  const std::string image = SampleArchive();
  tmp.Write("system.lib", image);
  const DynArchItemRecArray dir = ReadArchiveDirectory(tmp.path() / "system.lib");
  ASSERT_EQ(dir.size(), 3u);
  EXPECT_EQ(ExtractArchMember(tmp.path() / "system.lib", dir[2]), "serif-data");
  EXPECT_TRUE(ReadArchiveDirectory(tmp.path() / "missing.lib").empty());
}

TEST(FontArchive, ShortWrongOrTruncatedArchivesReadAsEmpty) {
  const std::string image = SampleArchive();
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(std::string_view()).empty());
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(image.substr(image.size() - 9)).empty());
  std::string magic = image;
  magic[magic.size() - 1] = 'X';
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(magic).empty());
  // Without the members the directory still fits; one byte less and it
  // does not.
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(image.substr(image.size() - 10 - 3 * 288 + 1)).empty());
  EXPECT_EQ(ReadArchiveDirectoryFromImage(image.substr(image.size() - 10 - 3 * 288)).size(), 3u);
}

TEST(FontArchive, DirectoryDeclaringMoreEntriesThanTheFileHoldsReadsAsEmpty) {
  std::string image = SampleArchive();
  SetCount(image, 4);  // 4 * 288 + 10 > 942 bytes
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(image).empty());
  SetCount(image, 0x7FFFFFFF);
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(image).empty());
  SetCount(image, 0xFFFFFFFF);  // negative
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(image).empty());
  SetCount(image, 0);
  EXPECT_TRUE(ReadArchiveDirectoryFromImage(image).empty());
  SetCount(image, 1);  // fewer: the last entry only
  ASSERT_EQ(ReadArchiveDirectoryFromImage(image).size(), 1u);
  EXPECT_EQ(ReadArchiveDirectoryFromImage(image)[0].name, "SampleSerif.TTF");
}

TEST(FontArchive, MemberOutsideTheFileExtractsAsEmpty) {
  const std::string image = SampleArchive();
  ArchItemRec item;
  item.offset = static_cast<std::int64_t>(image.size()) - 4;
  item.size = 5;
  EXPECT_TRUE(ExtractArchMemberFromImage(image, item).empty());
  item.size = 4;
  EXPECT_EQ(ExtractArchMemberFromImage(image, item).size(), 4u);
  item.offset = -1;
  EXPECT_TRUE(ExtractArchMemberFromImage(image, item).empty());
  item.offset = 0;
  item.size = -1;
  EXPECT_TRUE(ExtractArchMemberFromImage(image, item).empty());
  item.offset = INT64_MAX;
  item.size = 1;
  EXPECT_TRUE(ExtractArchMemberFromImage(image, item).empty());

  test::TempDir tmp;
  tmp.Write("a.lib", image);
  item.offset = static_cast<std::int64_t>(image.size());
  item.size = 1;
  EXPECT_TRUE(ExtractArchMember(tmp.path() / "a.lib", item).empty());
}

TEST(FontArchive, OverlongNameLengthIsCutToTheField) {
  std::uint8_t raw[288] = {};
  raw[0] = 0xFF;
  std::memset(raw + 1, 'a', 255);
  EXPECT_EQ(ArchItemRec::Parse(raw).name.size(), 255u);
}

TEST(FontArchive, FontListIgnoresATrailingPartialRecord) {
  std::string list = BuildFontList({"One", std::string(40, 'x')});
  EXPECT_EQ(list.size(), 60u);
  auto faces = ParseFontList(list + "partial");
  ASSERT_EQ(faces.size(), 2u);
  EXPECT_EQ(faces[1], std::string(29, 'x'));
  EXPECT_TRUE(ParseFontList(std::string(29, '\x05')).empty());
}

TEST(ArchiveTime, DaysAndFileTimesConvert) {
  // 2000-01-01 12:00 UTC = 36526.5 days.
  auto t = ArchiveTimeToFileTime(36526.5);
  ASSERT_TRUE(t.has_value());
  EXPECT_DOUBLE_EQ(FileTimeToArchiveTime(*t), 36526.5);
  const auto sys = std::filesystem::file_time_type::clock::to_sys(*t);
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch()).count(), 946728000);
  EXPECT_FALSE(ArchiveTimeToFileTime(NAN).has_value());
  EXPECT_FALSE(ArchiveTimeToFileTime(INFINITY).has_value());
  EXPECT_FALSE(ArchiveTimeToFileTime(1e300).has_value());
  EXPECT_FALSE(ArchiveTimeToFileTime(1.0).has_value());        // 1899-12-31
  EXPECT_FALSE(ArchiveTimeToFileTime(109575.0).has_value());   // 2200-01-01
  EXPECT_FALSE(ArchiveTimeToFileTime(2958465.0).has_value());  // 9999-12-31
  const auto last = ArchiveTimeToFileTime(109574.99);
  ASSERT_TRUE(last.has_value());
  EXPECT_NEAR(FileTimeToArchiveTime(*last), 109574.99, 1e-6);
}

}  // namespace
}  // namespace lexmora
