#include "sound/sound_archive.h"

#include <gtest/gtest.h>

#include "dictionary/byte_io.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

class SoundArchiveTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& image) { return dir.Write("vcl_ea003.snd", image); }
  void SetCount(std::string& image, std::uint32_t n) {
    PutU32(reinterpret_cast<std::uint8_t*>(image.data()) + kSoundCountOffset, n);
  }
  void SetEntry(std::string& image, std::uint32_t k, std::uint32_t offset, std::uint32_t length) {
    std::uint8_t entry[8];
    PutU32(entry, offset);
    PutU32(entry + 4, length);
    XorBytes(entry, sizeof entry, DataKey);
    image.replace(kSoundArchiveHeadSize + 8 * (k - 1), 8, reinterpret_cast<const char*>(entry), 8);
  }
  test::TempDir dir;
};

TEST_F(SoundArchiveTest, ItemsOneToNAndNothingElse) {
  const auto path = Write(SoundArchiveImage({"RIFF one", "OggS two!", "ID3 three"}));
  EXPECT_EQ(LoadSound(path, 1), "RIFF one");
  EXPECT_EQ(LoadSound(path, 2), "OggS two!");
  EXPECT_EQ(LoadSound(path, 3), "ID3 three");
  EXPECT_EQ(LoadSound(path, 0), "");
  EXPECT_EQ(LoadSound(path, 4), "");
}

TEST_F(SoundArchiveTest, ItemsAreStoredScrambledAfterTheTable) {
  const std::string image = SoundArchiveImage({"ab"});
  ASSERT_EQ(image.size(), kSoundArchiveHeadSize + 8 + 2);
  EXPECT_EQ(image.substr(0, kSoundCountOffset), std::string(kSoundCountOffset, '\0'));
  EXPECT_EQ(GetU32(reinterpret_cast<const std::uint8_t*>(image.data()) + kSoundCountOffset), 1u);  // stored plain
  EXPECT_EQ(static_cast<std::uint8_t>(image[kSoundArchiveHeadSize + 8]), 'a' ^ DataKey);
  EXPECT_EQ(static_cast<std::uint8_t>(image[kSoundArchiveHeadSize]), 0 ^ DataKey);
}

TEST_F(SoundArchiveTest, EntriesPointingOutsideTheFileReadAsEmpty) {
  std::string image = SoundArchiveImage({"abc", "defg"});
  SetEntry(image, 2, 3, 5);  // one byte past the end
  auto path = Write(image);
  EXPECT_EQ(LoadSound(path, 1), "abc");
  EXPECT_EQ(LoadSound(path, 2), "");
  SetEntry(image, 2, 0xFFFFFFF0u, 0x20);  // offset + length wraps in 32 bits
  path = Write(image);
  EXPECT_EQ(LoadSound(path, 2), "");
  SetEntry(image, 2, 0, 0xFFFFFFFFu);  // a length of 4 GB allocates nothing
  path = Write(image);
  EXPECT_EQ(LoadSound(path, 2), "");
}

TEST_F(SoundArchiveTest, ACountBeyondTheTableOrAShortFileReadsAsEmpty) {
  std::string image = SoundArchiveImage({"abc"});
  SetCount(image, 0xFFFFFFFFu);
  auto path = Write(image);
  EXPECT_EQ(LoadSound(path, 0xFFFFFFFFu), "");  // its entry lies far past the end
  EXPECT_EQ(LoadSound(path, 1), "");            // the data area would start past the end
  path = Write(std::string(kSoundArchiveHeadSize - 1, '\0'));
  EXPECT_EQ(LoadSound(path, 1), "");
  EXPECT_EQ(LoadSound(dir.path() / "missing.snd", 1), "");
  path = Write(SoundArchiveImage({""}));
  EXPECT_EQ(LoadSound(path, 1), "");  // an empty item is no sound
}

TEST_F(SoundArchiveTest, TheArchiveLiesInTheProgramFoldersDict) {
  EXPECT_EQ(SoundArchiveFile(dir.path(), "vcl_ea", 3), dir.path() / "DICT" / "vcl_ea003.snd");
  std::filesystem::create_directories(dir.path() / "dict");
  dir.Write("dict/VCL_EA012.SND", SoundArchiveImage({"x"}));
  EXPECT_EQ(LoadSound(SoundArchiveFile(dir.path(), "vcl_ea", 12), 1), "x");
}

}  // namespace
}  // namespace lexmora
