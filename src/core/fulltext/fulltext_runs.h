// The two background jobs of the full-text index, as the window's workers
// and lexmora-cli both run them: all missing index files of one group, and
// one search of a group. Each run owns its inputs (a copy of the group
// record, an immutable snapshot of the loaded group), reports progress
// through the core's atomics and is read by its caller only after it ended.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/loaded_group.h"
#include "fulltext/indexer.h"
#include "fulltext/searcher.h"

namespace lexmora {

// One indexing run: the jobs of one group, worked through in order.
struct IndexingRun {
  std::filesystem::path dir;
  DictGroupRecord record;
  std::shared_ptr<const LoadedGroup> group;
  std::vector<IndexingInternalRecord> jobs;
  IndexingProgress progress;
  // Set by the owner to stop the run before its next job; a job already
  // running is finished (its files are only put in place when complete).
  std::atomic<bool> cancel{false};
  std::atomic<bool> stoppedByError{false};  // an I/O error ended the run early
  std::string error;                        // its message; read after the run
  std::function<void()> workerStart;        // called first on the worker (tests hold it)
};

// What a run tells its caller as it goes, on the thread that runs it.
struct IndexingEvents {
  // A job stopped because the disk was full; the next job starts.
  std::function<void(const IndexingInternalRecord& job)> diskFull;
  // A job wrote its three files, in the milliseconds given.
  std::function<void(const IndexingInternalRecord& job, std::int64_t milliseconds)> jobDone;
};

// Runs every job of the run; any file error other than a full disk ends the
// run (stoppedByError, error). Creates the index folder when it is missing.
void RunIndexingJobs(IndexingRun& run, const IndexingEvents& events = {});

// One search of a group.
struct SearchRun {
  std::filesystem::path dir;
  DictGroupRecord record;
  std::shared_ptr<const LoadedGroup> group;
  std::u16string text;
  int groupNumber = 0;
  SearchProgressState state;
  SearchResultsArray results;          // written by the worker, read after it ends
  std::vector<std::u16string> words;   // the normalised query words
  std::int64_t milliseconds = 0;       // how long the search took
  std::function<void()> workerStart;   // called first on the worker (tests hold it)
};

void RunSearch(SearchRun& run);

}  // namespace lexmora
