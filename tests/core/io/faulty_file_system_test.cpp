#include "io/faulty_file_system.h"

#include <gtest/gtest.h>

#include <thread>

#include "dictionary/file_io.h"
#include "support/temp_dir.h"

namespace lexmora::io {
namespace {

std::unique_ptr<File> Open(FileSystem& files, const std::filesystem::path& path, OpenMode mode) {
  int error = 0;
  auto file = files.Open(path, mode, error);
  EXPECT_TRUE(file) << path << ": error " << error;
  return file;
}

TEST(FaultyFileSystem, TheDiskFillsUpAfterTheGivenBytesOfMatchingFiles) {
  test::TempDir dir;
  FaultyFileSystem faulty;
  faulty.DiskFullAfter(10, "run");
  auto a = Open(faulty, dir.path() / "run.1", OpenMode::Write);
  auto b = Open(faulty, dir.path() / "run.2", OpenMode::Write);
  auto other = Open(faulty, dir.path() / "other", OpenMode::Write);
  EXPECT_EQ(WriteFully(*a, "123456", 6).count, 6u);
  const Result r = WriteFully(*b, "abcdef", 6);  // 4 fit
  EXPECT_EQ(r.count, 4u);
  EXPECT_EQ(r.error, ENOSPC);
  EXPECT_EQ(b->WriteAt(0, "z", 1).error, ENOSPC);
  EXPECT_EQ(WriteFully(*other, "free", 4).count, 4u);
  for (auto* f : {&a, &b, &other}) EXPECT_EQ((*f)->Close(), 0);
  EXPECT_EQ(*ReadWholeFile(dir.path() / "run.2"), "abcd");
  EXPECT_EQ(faulty.BytesWritten(), 14u);
  EXPECT_EQ(faulty.Failures(), 2u);

  // A device that reports nothing written instead of an error.
  faulty.DiskFullAfter(2, {}, 0);
  auto c = Open(faulty, dir.path() / "c", OpenMode::Write);
  const Result zero = WriteFully(*c, "xyz", 3);
  EXPECT_TRUE(zero.ok());
  EXPECT_EQ(zero.count, 2u);
}

TEST(FaultyFileSystem, OnlyTheKthCallOfAKindOnAMatchingFileFails) {
  test::TempDir dir;
  dir.Write("data", "0123456789");
  FaultyFileSystem faulty;
  faulty.FailCall(Call::Read, 3, "data");
  faulty.FailCall(Call::Open, 2, {}, EACCES);
  auto f = Open(faulty, dir.path() / "data", OpenMode::Read);
  int error = 0;
  EXPECT_EQ(faulty.Open(dir.path() / "data", OpenMode::Read, error), nullptr);
  EXPECT_EQ(error, EACCES);
  char c;
  EXPECT_TRUE(f->ReadAt(0, &c, 1).ok());
  EXPECT_TRUE(f->Read(&c, 1).ok());
  EXPECT_EQ(f->ReadAt(2, &c, 1).error, EIO);
  EXPECT_TRUE(f->ReadAt(3, &c, 1).ok());
  EXPECT_EQ(c, '3');
  EXPECT_EQ(faulty.Calls(Call::Read), 4u);
  EXPECT_EQ(faulty.Calls(Call::Open), 2u);
  EXPECT_EQ(faulty.Failures(), 2u);
}

TEST(FaultyFileSystem, ConcurrentWritersShareTheRoomExactly) {
  test::TempDir dir;
  FaultyFileSystem faulty;
  faulty.DiskFullAfter(1000);
  auto f = Open(faulty, dir.path() / "shared", OpenMode::Write);
  std::atomic<int> refused{0};
  auto writer = [&](std::uint64_t base) {
    for (std::uint64_t i = 0; i < 1000; ++i)
      if (f->WriteAt(base + i, "w", 1).error == ENOSPC) ++refused;
  };
  std::thread t1(writer, 0), t2(writer, 1000);
  t1.join();
  t2.join();
  EXPECT_EQ(faulty.BytesWritten(), 1000u);
  EXPECT_EQ(refused.load(), 1000);
  EXPECT_EQ(faulty.Calls(Call::Write), 2000u);
}

}  // namespace
}  // namespace lexmora::io
