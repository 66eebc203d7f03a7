#include "fulltext/raw_file.h"

#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "fulltext/index_records.h"
#include "io/faulty_file_system.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

TEST(RawFile, FullDiskErrorsAndAWriteOfNothingAreDiskFullOthersIoErrors) {
  test::TempDir dir;
  const std::string data(5000, 'd');
  for (int error : {ENOSPC, EDQUOT, EFBIG, 0}) {
    io::FaultyFileSystem faulty;
    faulty.DiskFullAfter(1000, {}, error);
    io::ScopedFileSystem scope(faulty);
    RawFile out(dir.path() / "out", RawFile::Mode::Write);
    EXPECT_THROW(out.WriteAll(data.data(), data.size()), DiskFullError) << "error " << error;
    EXPECT_THROW(out.WriteAllAt(0, data.data(), data.size()), DiskFullError) << "error " << error;
  }
  io::FaultyFileSystem faulty;
  faulty.FailCall(io::Call::Write, 2);
  faulty.FailCall(io::Call::Close, 1, {}, ENOSPC);
  io::ScopedFileSystem scope(faulty);
  RawFile out(dir.path() / "out", RawFile::Mode::Write);
  out.WriteAll(data.data(), data.size());
  EXPECT_THROW(out.WriteAll(data.data(), data.size()), IndexIoError);
  EXPECT_NO_THROW(out.WriteAll(data.data(), data.size()));  // only the second write failed
  EXPECT_THROW(out.Close(), DiskFullError);
  EXPECT_FALSE(out.IsOpen());
}

}  // namespace
}  // namespace lexmora
