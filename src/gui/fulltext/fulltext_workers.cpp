#include "fulltext_workers.h"

#include <exception>
#include <system_error>

namespace lexmora::gui {

void RunIndexingJobs(IndexingRun& run, const std::function<void()>& diskFull) {
  if (run.workerStart) run.workerStart();
  run.progress.jobsDone = 0;
  if (!run.jobs.empty()) {
    // The index folder is made when missing, so that a fresh installation
    // can be indexed.
    std::error_code ec;
    std::filesystem::create_directories(run.jobs.front().fileName.parent_path(), ec);
  }
  GroupWordSource source(run.group, run.record);
  for (auto& job : run.jobs) {
    try {
      if (BuildIndex(job, source, run.progress) == BuildResult::DiskFull && diskFull) diskFull();
    } catch (const std::exception&) {
      run.stoppedByError = true;
      return;  // the remaining jobs are skipped
    }
    ++run.progress.jobsDone;
  }
}

void RunSearch(SearchRun& run) {
  if (run.workerStart) run.workerStart();
  run.results = SearchGroupIndex(run.dir, run.record, *run.group, run.text, run.state);
}

std::shared_ptr<const LoadedGroup> SnapshotOf(const LoadedGroup& group) {
  return std::make_shared<const LoadedGroup>(group);
}

}  // namespace lexmora::gui
