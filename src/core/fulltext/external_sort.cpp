#include "fulltext/external_sort.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "fulltext/index_records.h"
#include "fulltext/raw_file.h"
#include "fulltext/sort_key_order.h"
#include "fulltext/sort_merge.h"
#include "fulltext/sort_runs.h"
#include "io/file_system.h"

namespace lexmora {

namespace fs = std::filesystem;

fs::path SortRunFileName(const fs::path& dir, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "sort_buf.%03d", n);
  return dir / name;
}

namespace {

// After a failure: the run files, the merge output in progress, and the
// input once it no longer holds all its records.
void RemoveLeftovers(const fs::path& input, const fs::path& dir, const SortRunProgress& progress) {
  io::FileSystem& files = io::Files();
  for (int n = 1; n <= progress.runFiles; ++n) files.Remove(SortRunFileName(dir, n));
  files.Remove(dir / "sort_buf.xxx");
  if (progress.inputPartial) files.Remove(input);
}

}  // namespace

bool SortFile(const fs::path& file, bool descending, std::size_t keyLength, std::size_t recordSize) {
  if (recordSize < 1 || recordSize > kSortChunkBytes) throw std::invalid_argument("record size out of range");
  if (keyLength < 1 || keyLength > 254 || keyLength > recordSize) throw std::invalid_argument("key length out of range");
  const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  const SortKeyOrder order(keyLength, descending);
  SortRunProgress progress;
  try {
    int runs = MakeSortedRuns(file, dir, recordSize, order, progress);
    if (runs == 0) return true;
    DeleteFileStrict(file);
    progress.inputPartial = false;
    while (runs > 1) {
      int out = 0;
      for (int next = 1; next <= runs; next += static_cast<int>(kSortMergeWays)) {
        const int last = std::min(runs, next + static_cast<int>(kSortMergeWays) - 1);
        ++out;
        MergeRunGroup(dir, next, last, out, recordSize, order);
      }
      runs = out;
    }
    MoveFileStrict(SortRunFileName(dir, 1), file);
    return true;
  } catch (const DiskFullError&) {
    RemoveLeftovers(file, dir, progress);
    return false;
  } catch (...) {
    RemoveLeftovers(file, dir, progress);
    throw;
  }
}

}  // namespace lexmora
