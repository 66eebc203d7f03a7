#include "fulltext/fulltext_runs.h"

#include <gtest/gtest.h>

#include "fulltext/index_records.h"
#include "support/group_builder.h"
#include "support/temp_dir.h"

namespace lexmora {
namespace {

class IndexingRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    GroupTable table = test::WriteGroup(
        dir.path(), 1,
        {test::SubDict(0, {{"apple", "apple\r\nalma\r\n"}}), test::SubDict(4, {{"bank", "bank\r\nsahil\r\n"}})});
    run.dir = dir.path();
    run.record = table.Group(1);
    run.group = std::make_shared<const LoadedGroup>(LoadGroup(dir.path(), table, 1, run.record.Enabled()));
    run.jobs = CheckIndexFiles(dir.path(), run.record, *run.group);
  }
  test::TempDir dir;
  IndexingRun run;
};

TEST_F(IndexingRunTest, MakesTheIndexFolderAndReportsEachJob) {
  ASSERT_EQ(run.jobs.size(), 2u);
  ASSERT_FALSE(std::filesystem::exists(dir.path() / "DICT" / "INDEX"));
  std::vector<int> done;
  IndexingEvents events;
  events.jobDone = [&](const IndexingInternalRecord& job, std::int64_t ms) {
    EXPECT_GE(ms, 0);
    done.push_back(job.subDict);
  };
  RunIndexingJobs(run, events);
  EXPECT_FALSE(run.stoppedByError) << run.error;
  EXPECT_EQ(done, (std::vector<int>{0, 4}));
  EXPECT_EQ(run.progress.jobsDone, 2u);
  EXPECT_TRUE(CheckIndexFiles(dir.path(), run.record, *run.group).empty());
}

TEST_F(IndexingRunTest, CancelStopsBeforeTheNextJob) {
  IndexingEvents events;
  events.jobDone = [&](const IndexingInternalRecord&, std::int64_t) { run.cancel = true; };
  RunIndexingJobs(run, events);
  EXPECT_EQ(run.progress.jobsDone, 1u);
  const auto left = CheckIndexFiles(dir.path(), run.record, *run.group);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left.front().subDict, 4);
}

TEST_F(IndexingRunTest, AFileErrorEndsTheRunWithItsMessage) {
  // The index folder's place is taken by a file: nothing can be written.
  std::filesystem::create_directories(dir.path() / "DICT");
  { std::FILE* f = std::fopen((dir.path() / "DICT" / "INDEX").c_str(), "w"); std::fclose(f); }
  int done = 0;
  IndexingEvents events;
  events.jobDone = [&](const IndexingInternalRecord&, std::int64_t) { ++done; };
  RunIndexingJobs(run, events);
  EXPECT_TRUE(run.stoppedByError);
  EXPECT_FALSE(run.error.empty());
  EXPECT_EQ(done, 0);
  EXPECT_EQ(run.progress.jobsDone, 0u);
}

}  // namespace
}  // namespace lexmora
