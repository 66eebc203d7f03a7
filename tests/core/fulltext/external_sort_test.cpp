#include "fulltext/external_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "dictionary/file_io.h"
#include "fulltext/index_records.h"
#include "io/faulty_file_system.h"
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

// The sort as a plain in-memory model: 16 chunks per run, each sorted by
// Shell's method by exchange passes, merged with the lower chunk winning
// ties; then runs merged nine at a time with the lower run winning ties.
// With a key shorter than the record, equal keys keep exactly this order.
std::string ModelSort(const std::string& input, std::size_t r, std::size_t k, bool descending) {
  auto comes = [&](std::size_t a, std::size_t b) {  // <0 when record a comes first
    const int c = std::memcmp(input.data() + a * r, input.data() + b * r, k);
    return descending ? -c : c;
  };
  const std::size_t n = input.size() / r, c = kSortChunkBytes / r;
  std::vector<std::vector<std::size_t>> runs;
  auto merge = [&](const std::vector<std::vector<std::size_t>>& parts) {
    std::vector<std::size_t> out;
    std::vector<std::size_t> next(parts.size(), 0);
    while (true) {
      int best = -1;
      for (std::size_t j = 0; j < parts.size(); ++j)
        if (next[j] < parts[j].size() &&
            (best < 0 || comes(parts[j][next[j]], parts[static_cast<std::size_t>(best)][next[static_cast<std::size_t>(best)]]) < 0))
          best = static_cast<int>(j);
      if (best < 0) return out;
      out.push_back(parts[static_cast<std::size_t>(best)][next[static_cast<std::size_t>(best)]++]);
    }
  };
  for (std::size_t pos = 0; pos < n;) {
    std::vector<std::vector<std::size_t>> chunks;
    for (std::size_t j = 0; j < kSortChunks && pos < n; ++j) {
      std::vector<std::size_t> idx;
      for (std::size_t i = 0; i < c && pos < n; ++i) idx.push_back(pos++);
      for (std::size_t gap = idx.size() / 2; gap > 0;) {
        bool exchanged = false;
        for (std::size_t i = 0; i + gap < idx.size(); ++i)
          if (comes(idx[i], idx[i + gap]) > 0) {
            std::swap(idx[i], idx[i + gap]);
            exchanged = true;
          }
        if (!exchanged) {
          if (gap < 2) break;
          gap /= 2;
        }
      }
      chunks.push_back(idx);
    }
    runs.push_back(merge(chunks));
  }
  while (runs.size() > 1) {
    std::vector<std::vector<std::size_t>> out;
    for (std::size_t g = 0; g < runs.size(); g += kSortMergeWays)
      out.push_back(merge({runs.begin() + static_cast<std::ptrdiff_t>(g),
                           runs.begin() + static_cast<std::ptrdiff_t>(std::min(runs.size(), g + kSortMergeWays))}));
    runs = out;
  }
  std::string sorted;
  if (!runs.empty())
    for (std::size_t i : runs[0]) sorted.append(input, i * r, r);
  return sorted;
}

TEST(SortFile, EqualKeysComeOutInTheOrderOfTheRunsAndChunks) {
  // Twelve runs of 40-byte records keyed by their first 3 bytes drawn from two
  // values, so that nearly every key is shared: two merge passes, groups
  // large enough to be merged in two halves.
  TempDir dir;
  for (bool descending : {false, true}) {
    std::string input = RandomRecords(12 * 16 * (kSortChunkBytes / 40) - 7, 40, descending ? 9 : 8);
    for (std::size_t i = 0; i < input.size(); i += 40)
      for (std::size_t j = 0; j < 3; ++j) input[i + j] = static_cast<char>(input[i + j] & 1);
    dir.Write("ties.TMP", input);
    ASSERT_TRUE(SortFile(dir.path() / "ties.TMP", descending, 3, 40));
    EXPECT_TRUE(*ReadWholeFile(dir.path() / "ties.TMP") == ModelSort(input, 40, 3, descending))
        << (descending ? "descending" : "ascending");
  }
}

TEST(SortFile, AFullDiskEndsTheSortAndLeavesNoRunFiles) {
  const std::size_t runBytes = 16 * (kSortChunkBytes / 79) * 79;
  {
    // The second run cannot be written; the whole input is smaller than the
    // megabyte that is gathered before any storage is freed, so it is left
    // as it was.
    TempDir dir;
    const std::string input = RandomRecords(4 * 3024, 79, 11);
    dir.Write("d.TMP", input);
    io::FaultyFileSystem faulty;
    faulty.DiskFullAfter(0, "sort_buf.002");
    io::ScopedFileSystem scope(faulty);
    EXPECT_FALSE(SortFile(dir.path() / "d.TMP", false, 79, 79));
    EXPECT_EQ(FilesIn(dir.path()), 1u);
    EXPECT_TRUE(*ReadWholeFile(dir.path() / "d.TMP") == input);
  }
  {
    // The eighth: by then the storage of what was read has been freed, so the
    // input is no longer whole and is removed.
    TempDir dir;
    dir.Write("d.TMP", RandomRecords(10 * 3024, 79, 12));
    io::FaultyFileSystem faulty;
    faulty.DiskFullAfter(0, "sort_buf.008");
    io::ScopedFileSystem scope(faulty);
    EXPECT_FALSE(SortFile(dir.path() / "d.TMP", false, 79, 79));
    EXPECT_EQ(FilesIn(dir.path()), 0u);
  }
  {
    // The merge output cannot be written.
    TempDir dir;
    dir.Write("d.TMP", RandomRecords(10 * 3024, 79, 13));
    io::FaultyFileSystem faulty;
    faulty.DiskFullAfter(100000, "sort_buf.xxx");  // part of the merge output fits
    io::ScopedFileSystem scope(faulty);
    EXPECT_FALSE(SortFile(dir.path() / "d.TMP", false, 79, 79));
    EXPECT_EQ(FilesIn(dir.path()), 0u);
  }
  EXPECT_LT(runBytes * 4, std::size_t{1} << 20);
  EXPECT_GT(runBytes * 7, std::size_t{1} << 20);
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
