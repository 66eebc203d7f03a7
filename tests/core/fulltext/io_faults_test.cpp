// The index build and the sort over a file system that fails: whatever
// read or write fails, the error reaches the caller and no temporary file
// stays behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "dictionary/file_io.h"
#include "fulltext/external_sort.h"
#include "fulltext/index_records.h"
#include "fulltext/indexer.h"
#include "io/faulty_file_system.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

using test::TempDir;

std::vector<std::string> FileNames(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// The k of the k-th call to make fail: the first few, then further apart,
// until a build sees no failure.
constexpr std::uint64_t kNextK[] = {1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, 377, 610, 987};

struct Fault {
  io::Call kind;
  const char* nameContains;
};

TEST(IoFaults, AFailedReadOrWriteOfBuildIndexThrowsAndLeavesNoTemporaryFiles) {
  // About 12,000 occurrences: four sort runs merged by two threads.
  std::vector<std::pair<std::string, std::string>> articles;
  for (int i = 0; i < 600; ++i) {
    std::string text;
    for (int j = 0; j < 20; ++j) text += "w" + std::to_string((i * 7 + j * 13) % 500) + " ";
    articles.push_back({"h" + std::to_string(1000 + i), text + "\r"});
  }
  TempDir dir;
  const GroupTable table = test::WriteGroup(dir.path(), 1, {test::SubDict(0, articles)});
  SubDictSet only;
  only.Set(0, true);
  const auto group = std::make_shared<LoadedGroup>(LoadGroup(dir.path(), table, 1, only));
  const auto index = dir.path() / "DICT" / "INDEX";
  std::filesystem::create_directories(index);

  const Fault faults[] = {{io::Call::Write, ".TMP"}, {io::Call::Read, ".TMP"}, {io::Call::Write, "sort_buf"},
                          {io::Call::Read, "sort_buf"}, {io::Call::Write, ".part"}};
  int failedBuilds = 0;
  for (const Fault& fault : faults) {
    for (std::uint64_t k : kNextK) {
      SCOPED_TRACE(std::string(fault.kind == io::Call::Read ? "read " : "write ") + std::to_string(k) + " of " +
                   fault.nameContains);
      io::FaultyFileSystem faulty;
      faulty.FailCall(fault.kind, k, fault.nameContains);
      io::ScopedFileSystem scope(faulty);
      std::vector<IndexingInternalRecord> jobs = CheckIndexFiles(dir.path(), table.Group(1), *group);
      ASSERT_EQ(jobs.size(), 1u);
      GroupWordSource source(group, table.Group(1));
      IndexingProgress progress;
      try {
        const BuildResult result = BuildIndex(jobs[0], source, progress);
        ASSERT_EQ(faulty.Failures(), 0u) << "the failure was not reported";
        EXPECT_EQ(result, BuildResult::Done);
      } catch (const IndexIoError&) {
        EXPECT_EQ(faulty.Failures(), 1u);
      }
      if (faulty.Failures() == 0) {
        // k is beyond the last call: the index is whole. Start again.
        EXPECT_EQ(FileNames(index), (std::vector<std::string>{"vcl_ea000.ID2", "vcl_ea000.ID3", "vcl_ea000.tib"}));
        std::filesystem::remove_all(index);
        std::filesystem::create_directories(index);
        EXPECT_GT(k, 1u) << "no such call at all";
        break;
      }
      ++failedBuilds;
      EXPECT_TRUE(FileNames(index).empty()) << "left behind: " << ::testing::PrintToString(FileNames(index));
      EXPECT_FALSE(progress.sortPhase.load());
    }
  }
  EXPECT_GE(failedBuilds, 20);
}

std::string RandomRecords(std::size_t count, std::size_t r, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(count * r, '\0');
  for (char& c : s) c = static_cast<char>(rng() % 3);
  return s;
}

TEST(IoFaults, AFailedReadOrWriteOfTheSortThrowsAndLeavesNoRunFiles) {
  // Ten runs, more than a megabyte: the storage of the input is freed while
  // the runs are made, so a failure then takes the input with it.
  const std::string input = RandomRecords(10 * 3024, 79, 21);
  for (io::Call kind : {io::Call::Read, io::Call::Write}) {
    for (std::uint64_t k : kNextK) {
      SCOPED_TRACE(std::string(kind == io::Call::Read ? "read " : "write ") + std::to_string(k));
      TempDir dir;
      dir.Write("d.TMP", input);
      io::FaultyFileSystem faulty;
      faulty.FailCall(kind, k);
      io::ScopedFileSystem scope(faulty);
      bool threw = false;
      try {
        EXPECT_TRUE(SortFile(dir.path() / "d.TMP", false, 79, 79));
      } catch (const IndexIoError&) {
        threw = true;
      }
      EXPECT_EQ(threw, faulty.Failures() == 1);
      if (!threw) break;
      const auto left = FileNames(dir.path());
      if (!left.empty()) {
        EXPECT_EQ(left, std::vector<std::string>{"d.TMP"});
        EXPECT_TRUE(*ReadWholeFile(dir.path() / "d.TMP") == input) << "the input is not whole";
      }
    }
  }
}

TEST(IoFaults, WithoutFreeingStorageTheSortGivesTheSameOutputAndKeepsTheInputOnFailure) {
  const std::string input = RandomRecords(10 * 3024, 79, 22);
  TempDir plain, refused;
  plain.Write("d.TMP", input);
  refused.Write("d.TMP", input);
  ASSERT_TRUE(SortFile(plain.path() / "d.TMP", false, 79, 79));
  {
    io::FaultyFileSystem faulty;
    faulty.RefuseRelease();
    io::ScopedFileSystem scope(faulty);
    ASSERT_TRUE(SortFile(refused.path() / "d.TMP", false, 79, 79));
    EXPECT_GE(faulty.Calls(io::Call::Release), 1u);
  }
  const std::string sorted = *ReadWholeFile(refused.path() / "d.TMP");
  EXPECT_TRUE(sorted == *ReadWholeFile(plain.path() / "d.TMP"));
  ASSERT_EQ(sorted.size(), input.size());
  for (std::size_t i = 79; i < sorted.size(); i += 79)
    ASSERT_LE(std::memcmp(sorted.data() + i - 79, sorted.data() + i, 79), 0) << "record " << i / 79;

  // The eighth run cannot be written. Nothing of the input has been freed,
  // so it stays as it was (where storage is freed, it is removed).
  TempDir full;
  full.Write("d.TMP", input);
  io::FaultyFileSystem faulty;
  faulty.RefuseRelease();
  faulty.DiskFullAfter(0, "sort_buf.008");
  io::ScopedFileSystem scope(faulty);
  EXPECT_FALSE(SortFile(full.path() / "d.TMP", false, 79, 79));
  EXPECT_EQ(FileNames(full.path()), std::vector<std::string>{"d.TMP"});
  EXPECT_TRUE(*ReadWholeFile(full.path() / "d.TMP") == input);
}

}  // namespace
}  // namespace lexmora
