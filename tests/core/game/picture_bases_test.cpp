#include "game/picture_bases.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"
#include "game/picture_base_writer.h"
#include "io/faulty_file_system.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

namespace fs = std::filesystem;

// Passes every call to the system's file system and keeps the largest read
// asked for, so that a test sees what a reader was ready to take in.
class ReadSizeRecorder final : public io::FileSystem {
 public:
  std::unique_ptr<io::File> Open(const fs::path& path, io::OpenMode mode, int& error) override {
    auto file = io::SystemFiles().Open(path, mode, error);
    if (!file) return nullptr;
    return std::make_unique<RecordingFile>(std::move(file), largest);
  }
  int Rename(const fs::path& from, const fs::path& to) override { return io::SystemFiles().Rename(from, to); }
  int Remove(const fs::path& path) override { return io::SystemFiles().Remove(path); }
  std::size_t largest = 0;

 private:
  class RecordingFile final : public io::File {
   public:
    RecordingFile(std::unique_ptr<io::File> base, std::size_t& largest) : base_(std::move(base)), largest_(largest) {}
    io::Result Read(void* data, std::size_t size) override {
      Note(size);
      return base_->Read(data, size);
    }
    io::Result ReadAt(std::uint64_t offset, void* data, std::size_t size) override {
      Note(size);
      return base_->ReadAt(offset, data, size);
    }
    io::Result Write(const void* data, std::size_t size) override { return base_->Write(data, size); }
    io::Result WriteAt(std::uint64_t offset, const void* data, std::size_t size) override {
      return base_->WriteAt(offset, data, size);
    }
    int Seek(std::uint64_t offset) override { return base_->Seek(offset); }
    io::Result Size() override { return base_->Size(); }
    int Sync() override { return base_->Sync(); }
    bool ReleaseRange(std::uint64_t offset, std::uint64_t length) override { return base_->ReleaseRange(offset, length); }
    int Close() override { return base_->Close(); }

   private:
    void Note(std::size_t size) { largest_ = std::max(largest_, size); }
    std::unique_ptr<io::File> base_;
    std::size_t& largest_;
  };
};

RegionPictureSource Picture(std::uint8_t type, std::vector<RegionPoint> points, std::string picture) {
  RegionPictureSource s;
  s.type = type;
  s.borderColour = 0x00102030;
  s.transparentColour = 0x00FF00FF;
  s.points = std::move(points);
  s.picture = std::move(picture);
  return s;
}

class PictureBasesTest : public ::testing::Test {
 protected:
  // Two region pictures and three backgrounds, written with the writer.
  void WriteSample() {
    pictures = {Picture(kPictureTypeBitmap, {{10, 20}, {-3, 7}, {2147483647, -2147483647 - 1}}, "BM-first-picture"),
                Picture(kPictureTypeJpeg, {{1, 1}}, std::string("\xFF\xD8jpeg\0bytes", 12))};
    pictures[1].borderColour = 0x00ABCDEF;
    pictures[1].regionCount = 9;  // stored as given, whatever the points
    backgrounds = {{kPictureTypeJpeg, "first background"}, {kPictureTypeBitmap, "BM second"}, {7, "third"}};
    ASSERT_TRUE(WriteRegionPictureBase(dir.path(), *RegionPictureBaseImage(pictures)));
    ASSERT_TRUE(WriteBackgroundBase(dir.path(), *BackgroundBaseImage(backgrounds)));
  }
  std::string Raw(std::string_view name) { return *ReadWholeFile(dir.path() / "GAME" / name); }
  void Put(std::string_view name, std::string_view data) { dir.Write(fs::path("GAME") / name, data); }
  // A region picture base of one record with the given fields over a data
  // file of dataSize bytes.
  void PutRecord(std::uint32_t offset, std::uint32_t regions, std::uint32_t l1, std::uint32_t l2,
                 std::size_t dataSize) {
    RegionPictureRecord r;
    r.SetType(kPictureTypeBitmap);
    r.SetOffset(offset);
    r.SetRegionCount(regions);
    r.SetPointBytes(l1);
    r.SetPictureBytes(l2);
    std::string index(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
    XorBytes(index.data(), index.size(), DataKey);
    Put("nobase.IDX", index);
    std::string data(dataSize, '\0');
    for (std::size_t i = 0; i < dataSize; ++i) data[i] = static_cast<char>(i * 7 + 1);
    Put("nobase.NOB", data);
  }

  test::TempDir dir;
  std::vector<RegionPictureSource> pictures;
  std::vector<BackgroundSource> backgrounds;
};

TEST_F(PictureBasesTest, RecordsRoundTripThroughWriterAndReader) {
  WriteSample();
  EXPECT_EQ(PictureCount(dir.path()), 2);
  EXPECT_EQ(BackgroundCount(dir.path()), 3);
  for (int i = 0; i < 2; ++i) {
    const auto read = LoadGamePicture(dir.path(), i);
    ASSERT_TRUE(read) << i;
    const RegionPictureSource& s = pictures[static_cast<std::size_t>(i)];
    EXPECT_EQ(read->record.Type(), s.type);
    EXPECT_EQ(read->record.BorderColour(), s.borderColour);
    EXPECT_EQ(read->record.TransparentColour(), 0x00FF00FFu);
    EXPECT_EQ(read->record.PointBytes(), 8 * s.points.size());
    EXPECT_EQ(read->record.PictureBytes(), s.picture.size());
    EXPECT_EQ(read->points, s.points);
    EXPECT_EQ(read->picture, s.picture);
  }
  EXPECT_EQ(LoadGamePicture(dir.path(), 0)->record.RegionCount(), 3u);
  EXPECT_EQ(LoadGamePicture(dir.path(), 1)->record.RegionCount(), 9u);
  // The second picture follows the first one's block and file.
  EXPECT_EQ(LoadGamePicture(dir.path(), 1)->record.Offset(), 24u + 16u);
  for (int i = 0; i < 3; ++i) {
    const auto read = LoadGameBackground(dir.path(), i);
    ASSERT_TRUE(read) << i;
    EXPECT_EQ(read->record.Type(), backgrounds[static_cast<std::size_t>(i)].type);
    EXPECT_EQ(read->picture, backgrounds[static_cast<std::size_t>(i)].picture);
  }
  EXPECT_EQ(LoadGameBackground(dir.path(), 2)->record.Offset(), 16u + 9u);
}

TEST_F(PictureBasesTest, FilesHoldScrambledRecordsAndBlocksAtTheirOffsets) {
  WriteSample();
  std::string index = Raw("nobase.IDX");
  ASSERT_EQ(index.size(), 50u);
  XorBytes(index.data(), index.size(), DataKey);
  const auto* r = reinterpret_cast<const std::uint8_t*>(index.data()) + 25;
  EXPECT_EQ(r[0], 2);
  EXPECT_EQ(GetU32(r + 1), 0x00ABCDEFu);
  EXPECT_EQ(GetU32(r + 5), 0x00FF00FFu);
  EXPECT_EQ(GetU32(r + 9), 40u);
  EXPECT_EQ(GetU32(r + 13), 9u);
  EXPECT_EQ(GetU32(r + 17), 8u);
  EXPECT_EQ(GetU32(r + 21), 12u);

  std::string data = Raw("nobase.NOB");
  ASSERT_EQ(data.size(), 24u + 16u + 8u + 12u);
  XorBytes(data.data(), data.size(), DataKey);
  const auto* p = reinterpret_cast<const std::uint8_t*>(data.data());
  EXPECT_EQ(GetU32(p + 8), static_cast<std::uint32_t>(-3));  // x then y, signed
  EXPECT_EQ(GetU32(p + 12), 7u);
  EXPECT_EQ(data.substr(24, 16), "BM-first-picture");

  std::string bk = Raw("bkbase.IDX");
  ASSERT_EQ(bk.size(), 27u);
  XorBytes(bk.data(), bk.size(), DataKey);
  const auto* b = reinterpret_cast<const std::uint8_t*>(bk.data()) + 9;
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(GetU32(b + 1), 16u);
  EXPECT_EQ(GetU32(b + 5), 9u);
}

TEST_F(PictureBasesTest, MissingFilesCountZeroAndLoadNothing) {
  EXPECT_EQ(PictureCount(dir.path()), 0);
  EXPECT_EQ(BackgroundCount(dir.path()), 0);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  EXPECT_FALSE(LoadGameBackground(dir.path(), 0));
  // An index without its data file reads no record.
  WriteSample();
  fs::remove(dir.path() / "GAME" / "nobase.NOB");
  fs::remove(dir.path() / "GAME" / "bkbase.BOB");
  EXPECT_EQ(PictureCount(dir.path()), 2);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  EXPECT_FALSE(LoadGameBackground(dir.path(), 0));
}

TEST_F(PictureBasesTest, IndexOutsideTheBaseFails) {
  WriteSample();
  for (int i : {-1, 2, 3, INT_MAX, INT_MIN}) EXPECT_FALSE(LoadGamePicture(dir.path(), i)) << i;
  for (int i : {-1, 3, INT_MAX}) EXPECT_FALSE(LoadGameBackground(dir.path(), i)) << i;
  // A cut last record is not counted and does not read.
  Put("nobase.IDX", Raw("nobase.IDX").substr(0, 49));
  EXPECT_EQ(PictureCount(dir.path()), 1);
  EXPECT_TRUE(LoadGamePicture(dir.path(), 0));
  EXPECT_FALSE(LoadGamePicture(dir.path(), 1));
  Put("bkbase.IDX", Raw("bkbase.IDX") + "12345678");
  EXPECT_EQ(BackgroundCount(dir.path()), 3);
  EXPECT_FALSE(LoadGameBackground(dir.path(), 3));
}

TEST_F(PictureBasesTest, RecordPointingOutsideTheDataFileFails) {
  PutRecord(0, 2, 16, 84, 100);  // exactly the whole file
  ASSERT_TRUE(LoadGamePicture(dir.path(), 0));
  EXPECT_EQ(LoadGamePicture(dir.path(), 0)->picture.size(), 84u);

  PutRecord(0, 2, 16, 85, 100);  // the picture one byte past the end
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  PutRecord(101, 0, 0, 0, 100);  // offset past the end
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  PutRecord(100, 0, 0, 0, 100);  // empty blocks at the very end
  EXPECT_TRUE(LoadGamePicture(dir.path(), 0));
  PutRecord(96, 1, 8, 0, 100);  // the point block past the end
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  // Sums that wrap around in 32 bits.
  PutRecord(0xFFFFFFF0u, 0, 0x20, 0, 100);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  PutRecord(50, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, 100);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));

  BackgroundPictureRecord b;
  b.SetType(kPictureTypeJpeg);
  b.SetOffset(90);
  b.SetPictureBytes(11);
  std::string index(reinterpret_cast<const char*>(b.bytes.data()), b.bytes.size());
  XorBytes(index.data(), index.size(), DataKey);
  Put("bkbase.IDX", index);
  Put("bkbase.BOB", std::string(100, 'x'));
  EXPECT_FALSE(LoadGameBackground(dir.path(), 0));
  Put("bkbase.BOB", std::string(101, 'x'));
  ASSERT_TRUE(LoadGameBackground(dir.path(), 0));
  std::string expected(11, 'x');
  XorBytes(expected.data(), expected.size(), DataKey);
  EXPECT_EQ(LoadGameBackground(dir.path(), 0)->picture, expected);
}

TEST_F(PictureBasesTest, NoReadIsLargerThanTheFileWhateverTheRecordClaims) {
  ReadSizeRecorder recorder;
  io::ScopedFileSystem scoped(recorder);
  PutRecord(0, 0xFFFFFFFFu, 0xFFFFFFF8u, 0xFFFFFFFFu, 64);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  PutRecord(0, 0xFFFFFFFFu, 16, 0x7FFFFFFFu, 64);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
  EXPECT_LE(recorder.largest, 64u);
}

TEST_F(PictureBasesTest, HugeRegionCountWithASmallPointBlockKeepsTheBlocksPoints) {
  PutRecord(0, 0xFFFFFFFFu, 20, 4, 30);  // 2 whole points, 4 bytes left over
  const auto read = LoadGamePicture(dir.path(), 0);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->record.RegionCount(), 0xFFFFFFFFu);
  ASSERT_EQ(read->points.size(), 2u);
  // The picture starts right after the whole block, leftover bytes included.
  std::string data = *ReadWholeFile(dir.path() / "GAME" / "nobase.NOB");
  XorBytes(data.data(), data.size(), DataKey);
  EXPECT_EQ(read->picture, data.substr(20, 4));
  EXPECT_EQ(read->points, ParseRegionPoints(data.substr(0, 16)));
  EXPECT_EQ(ParseRegionPoints(data.substr(0, 7)).size(), 0u);
}

TEST_F(PictureBasesTest, UnknownPictureTypeStillReads) {
  PutRecord(0, 1, 8, 4, 12);
  std::string index = Raw("nobase.IDX");
  index[0] = static_cast<char>(9 ^ DataKey);
  Put("nobase.IDX", index);
  const auto read = LoadGamePicture(dir.path(), 0);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->record.Type(), 9);
  EXPECT_EQ(read->picture.size(), 4u);
}

TEST_F(PictureBasesTest, NamesAreFoundWhateverTheirLetterCase) {
  WriteSample();
  fs::rename(dir.path() / "GAME" / "nobase.IDX", dir.path() / "GAME" / "NOBASE.idx");
  fs::rename(dir.path() / "GAME", dir.path() / "game");
  EXPECT_EQ(PictureCount(dir.path()), 2);
  EXPECT_EQ(BackgroundCount(dir.path()), 3);
  ASSERT_TRUE(LoadGamePicture(dir.path(), 1));
  EXPECT_EQ(LoadGamePicture(dir.path(), 1)->picture, pictures[1].picture);
}

TEST_F(PictureBasesTest, ReadErrorsAndFilesCutUnderTheReaderFail) {
  WriteSample();
  {
    io::FaultyFileSystem faulty;
    faulty.FailCall(io::Call::Read, 2, "nobase.NOB");  // the picture after the point block
    io::ScopedFileSystem scoped(faulty);
    EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
    EXPECT_TRUE(LoadGamePicture(dir.path(), 0));  // only that one call failed
  }
  {
    io::FaultyFileSystem faulty;
    faulty.EndReadsAt(20, "BOB");  // the size still tells 30 bytes
    io::ScopedFileSystem scoped(faulty);
    EXPECT_TRUE(LoadGameBackground(dir.path(), 0));   // bytes 0..15
    EXPECT_FALSE(LoadGameBackground(dir.path(), 1));  // bytes 16..24
  }
}

TEST(PictureBaseWriter, EmptyBasesWriteEmptyFiles) {
  test::TempDir dir;
  ASSERT_TRUE(WriteRegionPictureBase(dir.path(), *RegionPictureBaseImage({})));
  ASSERT_TRUE(WriteBackgroundBase(dir.path(), *BackgroundBaseImage({})));
  EXPECT_EQ(FileSize(dir.path() / "GAME" / "nobase.IDX"), 0u);
  EXPECT_EQ(FileSize(dir.path() / "GAME" / "bkbase.BOB"), 0u);
  EXPECT_EQ(PictureCount(dir.path()), 0);
  EXPECT_FALSE(LoadGamePicture(dir.path(), 0));
}

TEST(PictureBaseWriter, PointBlockIsXThenYSignedLittleEndian) {
  const std::string block = RegionPointBlock({{1, -1}, {0x01020304, 0}});
  ASSERT_EQ(block.size(), 16u);
  EXPECT_EQ(block.substr(0, 8), std::string("\x01\0\0\0\xFF\xFF\xFF\xFF", 8));
  EXPECT_EQ(block.substr(8, 4), "\x04\x03\x02\x01");
  EXPECT_EQ(ParseRegionPoints(block), (std::vector<RegionPoint>{{1, -1}, {0x01020304, 0}}));
}

}  // namespace
}  // namespace lexmora
