#include "fulltext/write_behind.h"

#include <gtest/gtest.h>

#include "dictionary/file_io.h"
#include "fulltext/block_file.h"
#include "fulltext/index_records.h"
#include "io/faulty_file_system.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

TEST(WriteBehindFile, KeepsEveryByteInOrderAcrossBlocks) {
  test::TempDir dir;
  std::string expected;
  {
    WriteBehindFile file(dir.path() / "out", 100);
    for (int i = 0; i < 5000; ++i) {
      const std::string piece = std::to_string(i) + (i % 7 == 0 ? std::string(250, 'x') : ",");
      file.Write(piece.data(), piece.size());
      expected += piece;
    }
    file.Finish();
  }
  EXPECT_EQ(*ReadWholeFile(dir.path() / "out"), expected);
}

TEST(WriteBehindFile, AFullDiskSurfacesAsDiskFull) {
  // Room for ten blocks and a part of the eleventh.
  test::TempDir dir;
  io::FaultyFileSystem faulty;
  faulty.DiskFullAfter(10 * 1024 + 100);
  io::ScopedFileSystem scope(faulty);
  std::string block(4096, 'x');
  WriteBehindFile file(dir.path() / "out", 1024);
  EXPECT_THROW(
      {
        for (int i = 0; i < 100; ++i) file.Write(block.data(), block.size());
        file.Finish();
      },
      DiskFullError);
}

TEST(BlockFile, RecordsRoundTripAndAPartialLastRecordIsAbsent) {
  test::TempDir dir;
  BlockFile out(79);
  out.Assign(dir.path() / "r.TMP");
  out.Rewrite();
  std::uint8_t rec[79];
  for (int i = 0; i < 2000; ++i) {
    std::fill(rec, rec + 79, static_cast<std::uint8_t>(i));
    out.Write(rec);
  }
  out.Close();
  EXPECT_EQ(*FileSize(dir.path() / "r.TMP"), 2000u * 79);
  dir.Write("r.TMP", *ReadWholeFile(dir.path() / "r.TMP") + "tail");
  BlockFile in(79);
  in.Assign(dir.path() / "r.TMP");
  in.Reset();
  int n = 0;
  while (in.Read(rec)) {
    EXPECT_EQ(rec[78], static_cast<std::uint8_t>(n));
    ++n;
  }
  EXPECT_EQ(n, 2000);
  EXPECT_TRUE(in.Eof());
  in.Close();
}

}  // namespace
}  // namespace lexmora
