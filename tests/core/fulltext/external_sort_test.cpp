#include "fulltext/external_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "dictionary/file_io.h"
#include "fulltext/index_records.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::TempDir;

std::vector<std::string> Records(const std::string& image, std::size_t r) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i + r <= image.size(); i += r) out.push_back(image.substr(i, r));
  return out;
}

std::string RandomRecords(std::size_t count, std::size_t r, unsigned seed, int alphabet = 256) {
  std::mt19937 rng(seed);
  std::string s(count * r, '\0');
  for (char& c : s) c = static_cast<char>(rng() % static_cast<unsigned>(alphabet));
  return s;
}

std::size_t FilesIn(const std::filesystem::path& dir) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
}

void ExpectSorted(const TempDir& dir, const std::string& input, std::size_t r, std::size_t k, bool descending) {
  const auto file = dir.path() / "data.TMP";
  dir.Write("data.TMP", input);
  ASSERT_TRUE(SortFile(file, descending, k, r));
  auto sorted = Records(*ReadWholeFile(file), r);
  auto expected = Records(input, r);
  // Same records, none lost or duplicated.
  auto a = sorted, b = expected;
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  ASSERT_EQ(a, b);
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const int bytes = std::memcmp(sorted[i - 1].data(), sorted[i].data(), k);
    if (descending) ASSERT_GE(bytes, 0) << "record " << i;
    else ASSERT_LE(bytes, 0) << "record " << i;
  }
  EXPECT_EQ(FilesIn(dir.path()), 1u) << "run files left behind";
}

TEST(SortFile, EmptyFileStaysAsItIs) {
  TempDir dir;
  dir.Write("e.TMP", "");
  EXPECT_TRUE(SortFile(dir.path() / "e.TMP", false, 79, 79));
  EXPECT_EQ(*FileSize(dir.path() / "e.TMP"), 0u);
  EXPECT_EQ(FilesIn(dir.path()), 1u);
}

TEST(SortFile, ExactlyOneRunOf3024Records) {
  TempDir dir;
  ASSERT_EQ(16 * (kSortChunkBytes / 79), 3024u);
  ExpectSorted(dir, RandomRecords(3024, 79, 1), 79, 79, false);
}

TEST(SortFile, TenRunsNeedTwoMergePasses) {
  TempDir dir;
  ExpectSorted(dir, RandomRecords(10 * 3024, 79, 2), 79, 79, false);
  // One record more than a run.
  ExpectSorted(dir, RandomRecords(3025, 79, 3), 79, 79, false);
}

TEST(SortFile, EqualKeysAndDescendingOrder) {
  TempDir dir;
  ExpectSorted(dir, RandomRecords(5000, 79, 4, 2), 79, 79, false);  // bytes 0 and 1 only: many equal keys
  ExpectSorted(dir, std::string(700 * 79, 'x'), 79, 79, false);
  ExpectSorted(dir, RandomRecords(7000, 79, 5), 79, 79, true);
  ExpectSorted(dir, RandomRecords(9000, 12, 6, 4), 12, 3, true);  // short key
}

TEST(SortFile, RandomRecordSizesAgainstStdSort) {
  std::mt19937 rng(7);
  for (int round = 0; round < 12; ++round) {
    TempDir dir;
    const std::size_t r = 1 + rng() % (round < 6 ? 40 : 15000);
    const std::size_t k = 1 + rng() % std::min<std::size_t>(r, 254);
    const std::size_t count = rng() % (round < 6 ? 20000 : 60);
    SCOPED_TRACE("record size " + std::to_string(r) + ", key " + std::to_string(k));
    ExpectSorted(dir, RandomRecords(count, r, static_cast<unsigned>(round), 3), r, k, round % 2 == 1);
  }
}

TEST(SortFile, FileErrorsAreExceptions) {
  TempDir dir;
  EXPECT_THROW(SortFile(dir.path() / "missing.TMP", false, 79, 79), IndexIoError);
  dir.Write("odd.TMP", std::string(100, 'a'));
  EXPECT_THROW(SortFile(dir.path() / "odd.TMP", false, 79, 79), IndexIoError);
  EXPECT_THROW(SortFile(dir.path() / "odd.TMP", false, 0, 79), std::invalid_argument);
  EXPECT_THROW(SortFile(dir.path() / "odd.TMP", false, 255, 300), std::invalid_argument);
  EXPECT_THROW(SortFile(dir.path() / "odd.TMP", false, 10, 15001), std::invalid_argument);
}

TEST(SortFile, RunFileNames) {
  EXPECT_EQ(SortRunFileName("/x", 7).filename(), "sort_buf.007");
  EXPECT_EQ(SortRunFileName("/x", 1234).filename(), "sort_buf.1234");
}

}  // namespace
}  // namespace lexmora
