// Builds the full-text index of one sub-dictionary: occurrences to a ".TMP"
// file, an external sort, then one pass that writes ".tib", ".ID2" and ".ID3".
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "dictionary/loaded_group.h"
#include "fulltext/index_word_source.h"

namespace lexmora {

// Progress of an indexing run, written by the worker and read by a timer.
struct IndexingProgress {
  std::atomic<std::uint32_t> indexProgress{0};
  std::atomic<std::uint32_t> indexProgressMax{300};
  std::atomic<bool> sortPhase{false};
  std::atomic<std::uint32_t> jobsDone{0};
};

enum class BuildResult { Done, DiskFull };

// One job. Throws IndexIoError on any other file error. The index files are
// written under temporary names and put in place only when complete, so that
// a half-built index never counts as present.
BuildResult BuildIndex(IndexingInternalRecord& job, IndexWordSource& source, IndexingProgress& progress);

// The jobs of the sub-dictionaries of a loaded group whose ".tib", ".ID2" or
// ".ID3" file is missing, in header order. Empty: the index is complete.
std::vector<IndexingInternalRecord> CheckIndexFiles(const std::filesystem::path& dir, const DictGroupRecord& record,
                                                    const LoadedGroup& group);

}  // namespace lexmora
