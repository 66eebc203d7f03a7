// The work of the indexing and search threads: plain calls into the core on
// data the thread owns (an immutable snapshot of the loaded group, copies of
// the group record and the folder), with progress and cancellation through
// the core's atomics. The windows start these on a worker and read the
// results only after the worker has ended.
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/loaded_group.h"
#include "fulltext/indexer.h"
#include "fulltext/searcher.h"

namespace lexmora::gui {

// One indexing run: the jobs of one group, worked through in order.
struct IndexingRun {
  std::filesystem::path dir;
  DictGroupRecord record;
  std::shared_ptr<const LoadedGroup> group;
  std::vector<IndexingInternalRecord> jobs;
  IndexingProgress progress;
  std::atomic<bool> stoppedByError{false};  // an I/O error ended the run early
  std::function<void()> workerStart;        // called first on the worker (tests hold it)
};

// Runs every job; a job stopped by a full disk calls diskFull (on the
// worker thread) and the next job starts; any other file error ends the run.
// Creates the index folder when it is missing.
void RunIndexingJobs(IndexingRun& run, const std::function<void()>& diskFull);

// One search of a group.
struct SearchRun {
  std::filesystem::path dir;
  DictGroupRecord record;
  std::shared_ptr<const LoadedGroup> group;
  std::u16string text;
  int groupNumber = 0;
  SearchProgressState state;
  SearchResultsArray results;  // written by the worker, read after it ends
  std::function<void()> workerStart;  // called first on the worker (tests hold it)
};

void RunSearch(SearchRun& run);

// A snapshot of a loaded group for a worker: the worker keeps it alive while
// the window may reload or free the original.
std::shared_ptr<const LoadedGroup> SnapshotOf(const LoadedGroup& group);

}  // namespace lexmora::gui
