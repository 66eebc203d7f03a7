#include "fulltext/fulltext_runs.h"

#include <chrono>
#include <exception>
#include <set>
#include <system_error>

namespace lexmora {

namespace {
std::int64_t MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

void RunIndexingJobs(IndexingRun& run, const IndexingEvents& events) {
  if (run.workerStart) run.workerStart();
  run.progress.jobsDone = 0;
  // The index folder is made when missing, so that a fresh installation can
  // be indexed; the jobs name their files in it.
  std::set<std::filesystem::path> folders;
  for (const auto& job : run.jobs) folders.insert(job.fileName.parent_path());
  for (const auto& folder : folders) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
  }
  GroupWordSource source(run.group, run.record);
  for (auto& job : run.jobs) {
    if (run.cancel) return;
    const auto start = std::chrono::steady_clock::now();
    try {
      if (BuildIndex(job, source, run.progress) == BuildResult::DiskFull) {
        if (events.diskFull) events.diskFull(job);
        ++run.progress.jobsDone;
        continue;
      }
    } catch (const std::exception& e) {
      run.error = e.what();
      run.stoppedByError = true;
      return;  // the remaining jobs are skipped
    }
    ++run.progress.jobsDone;
    if (events.jobDone) events.jobDone(job, MillisecondsSince(start));
  }
}

void RunSearch(SearchRun& run) {
  if (run.workerStart) run.workerStart();
  const auto start = std::chrono::steady_clock::now();
  run.results = SearchGroupIndex(run.dir, run.record, *run.group, run.text, run.state, &run.words);
  run.milliseconds = MillisecondsSince(start);
}

}  // namespace lexmora
