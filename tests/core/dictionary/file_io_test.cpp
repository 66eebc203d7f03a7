#include "dictionary/file_io.h"

#include <gtest/gtest.h>

#include "io/faulty_file_system.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

std::size_t FilesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

TEST(WriteFileAtomically, AFailedWriteOrRenameKeepsTheOldFileAndLeavesNoTemporary) {
  test::TempDir dir;
  const auto path = dir.Write("groups.dgi", "the old content");
  const std::string replacement(100000, 'n');
  for (int round = 0; round < 5; ++round) {
    io::FaultyFileSystem faulty;
    if (round == 0) faulty.DiskFullAfter(0);
    if (round == 1) faulty.DiskFullAfter(4096);
    if (round == 2) faulty.FailCall(io::Call::Close, 1, {}, ENOSPC);
    if (round == 3) faulty.FailCall(io::Call::Rename, 1);
    if (round == 4) faulty.FailCall(io::Call::Sync, 1, {}, EIO);
    io::ScopedFileSystem scope(faulty);
    EXPECT_FALSE(WriteFileAtomically(path, replacement)) << "round " << round;
    EXPECT_EQ(*ReadWholeFile(path), "the old content") << "round " << round;
    EXPECT_EQ(FilesIn(dir.path()), 1u) << "round " << round;
    EXPECT_EQ(faulty.Failures(), 1u) << "round " << round;
  }
  io::FaultyFileSystem counting;
  {
    io::ScopedFileSystem scope(counting);
    EXPECT_TRUE(WriteFileAtomically(path, replacement));
  }
  EXPECT_EQ(counting.Calls(io::Call::Sync), 1u);  // synced before the rename
  EXPECT_TRUE(*ReadWholeFile(path) == replacement);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(ReadFileRange, FailedAndShortReads) {
  test::TempDir dir;
  dir.Write("short", "0123456789");
  io::FaultyFileSystem faulty;
  faulty.FailCall(io::Call::Read, 1);
  faulty.EndReadsAt(4, "short");
  io::ScopedFileSystem scope(faulty);
  char buf[8];
  EXPECT_FALSE(ReadFileRange(dir.path() / "short", 0, 2, buf));
  EXPECT_TRUE(ReadFileRange(dir.path() / "short", 0, 2, buf));
  EXPECT_FALSE(ReadFileRange(dir.path() / "short", 2, 4, buf));
  EXPECT_EQ(*ReadWholeFile(dir.path() / "short"), "0123");  // as far as it could be read
  faulty.FailCall(io::Call::Read, 1);
  EXPECT_EQ(ReadWholeFile(dir.path() / "short"), std::nullopt);
}

}  // namespace
}  // namespace lexmora
