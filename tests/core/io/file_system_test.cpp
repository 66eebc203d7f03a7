#include "io/file_system.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "io/faulty_file_system.h"
#include "support/temp_dir.h"

namespace lexmora::io {
namespace {

std::unique_ptr<File> OpenOrFail(const std::filesystem::path& path, OpenMode mode) {
  int error = 0;
  auto file = SystemFiles().Open(path, mode, error);
  EXPECT_TRUE(file) << path << ": error " << error;
  return file;
}

TEST(SystemFiles, WritesReadsAndSizesBeyondFourGigabytes) {
  // A sparse file: one byte written past 5 GiB.
  test::TempDir dir;
  const std::uint64_t far = 5ull << 30;
  auto out = OpenOrFail(dir.path() / "f", OpenMode::Write);
  ASSERT_TRUE(out);
  EXPECT_EQ(WriteFully(*out, "head", 4).count, 4u);
  EXPECT_EQ(WriteFullyAt(*out, far, "x", 1).count, 1u);
  EXPECT_EQ(out->Size().count, far + 1);
  EXPECT_EQ(out->Sync(), 0);
  EXPECT_EQ(out->Close(), 0);

  auto in = OpenOrFail(dir.path() / "f", OpenMode::Read);
  ASSERT_TRUE(in);
  char c = 0;
  EXPECT_EQ(ReadFullyAt(*in, far, &c, 1).count, 1u);
  EXPECT_EQ(c, 'x');
  char two[2];
  EXPECT_EQ(ReadFullyAt(*in, far, two, 2).count, 1u);  // the end of the file
  EXPECT_EQ(in->Seek(2), 0);
  char rest[2];
  EXPECT_EQ(ReadFully(*in, rest, 2).count, 2u);
  EXPECT_EQ(std::string(rest, 2), "ad");
  EXPECT_FALSE(in->Write("y", 1).ok());  // opened for reading only
}

TEST(SystemFiles, OpenModesRenameAndRemoveReportErrors) {
  test::TempDir dir;
  int error = 0;
  EXPECT_EQ(SystemFiles().Open(dir.path() / "missing", OpenMode::Read, error), nullptr);
  EXPECT_EQ(error, ENOENT);
  dir.Write("a", "old");
  dir.Write("b", "new content");
  auto rw = OpenOrFail(dir.path() / "a", OpenMode::ReadWrite);
  ASSERT_TRUE(rw);
  EXPECT_EQ(rw->Size().count, 3u);  // kept, not truncated
  EXPECT_EQ(SystemFiles().Rename(dir.path() / "b", dir.path() / "a"), 0);  // replaces
  EXPECT_EQ(OpenOrFail(dir.path() / "a", OpenMode::Read)->Size().count, 11u);
  EXPECT_EQ(SystemFiles().Remove(dir.path() / "a"), 0);
  EXPECT_EQ(SystemFiles().Remove(dir.path() / "a"), ENOENT);
  EXPECT_EQ(OpenOrFail(dir.path() / "w", OpenMode::Write)->Size().count, 0u);  // created
}

TEST(SystemFiles, AReleasedRangeReadsAsZerosAndTheSizeStays) {
  test::TempDir dir;
  const std::string data(3 * 65536, 'd');
  auto file = OpenOrFail(dir.Write("r", data), OpenMode::ReadWrite);
  ASSERT_TRUE(file);
  const bool released = file->ReleaseRange(65536, 65536);
  std::string back(data.size(), '\0');
  ASSERT_EQ(ReadFullyAt(*file, 0, back.data(), back.size()).count, data.size());
  std::string expected = data;
  if (released) expected.replace(65536, 65536, std::string(65536, '\0'));
  EXPECT_TRUE(back == expected) << (released ? "released" : "not released");
  EXPECT_EQ(file->Size().count, data.size());
#ifdef __linux__
  if (!released) GTEST_SKIP() << "the file system of " << dir.path() << " cannot free parts of a file";
#endif
}

TEST(ScopedFileSystem, InstallsAndPutsThePreviousOneBack) {
  EXPECT_EQ(&Files(), &SystemFiles());
  FaultyFileSystem outer, inner;
  {
    ScopedFileSystem a(outer);
    EXPECT_EQ(&Files(), &outer);
    {
      ScopedFileSystem b(inner);
      EXPECT_EQ(&Files(), &inner);
    }
    EXPECT_EQ(&Files(), &outer);
  }
  EXPECT_EQ(&Files(), &SystemFiles());
}

}  // namespace
}  // namespace lexmora::io
