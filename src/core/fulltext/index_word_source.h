// The words of one sub-dictionary's articles, in entry-table order, as the
// indexer reads them.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "dictionary/article_reader.h"
#include "dictionary/loaded_group.h"
#include "fulltext/index_tokenizer.h"

namespace lexmora {

struct IndexingInternalRecord {
  std::filesystem::path fileName;  // the ".tib" file
  int group = 0;
  int subDict = 0;
  std::uint32_t articleCount = 0;
  std::uint32_t currentArticle = 0;
};

struct SourceWord {
  IndexWord word;
  std::uint32_t article = 0;
  std::uint8_t subDict = 0;
};

class IndexWordSource {
 public:
  virtual ~IndexWordSource() = default;
  // Resets the source for a job; returns the job's article count.
  virtual std::uint32_t StartIndexJob(IndexingInternalRecord& job) = 0;
  virtual bool NextIndexWord(IndexingInternalRecord& job, SourceWord& out) = 0;

  // Right after StartIndexJob, a source may hand the second half of the
  // job's articles to a second source that another thread reads; this one
  // then stops where the second begins. Null: one reader for the whole job.
  virtual std::unique_ptr<IndexWordSource> SplitJob(IndexingInternalRecord& job) { return nullptr; }
  // After both halves are read: takes over the state the second half ended
  // in, as if one reader had read the whole job.
  virtual void JoinJob(IndexWordSource& secondHalf) {}
};

// Reads the articles of a loaded group. The tokenizer's style state lives as
// long as the source, across articles and jobs.
class GroupWordSource : public IndexWordSource {
 public:
  GroupWordSource(std::shared_ptr<const LoadedGroup> group, const DictGroupRecord& record);

  std::uint32_t StartIndexJob(IndexingInternalRecord& job) override;
  bool NextIndexWord(IndexingInternalRecord& job, SourceWord& out) override;
  std::unique_ptr<IndexWordSource> SplitJob(IndexingInternalRecord& job) override;
  void JoinJob(IndexWordSource& secondHalf) override;

  // Jobs with fewer articles are read by one thread.
  static constexpr std::uint32_t kSplitMinimum = 4096;

 private:
  bool Excluded(int style) const;
  // A second reader of the same group and job, with its own file handles.
  GroupWordSource(const GroupWordSource& other);

  std::shared_ptr<const LoadedGroup> group_;
  std::array<std::uint32_t, 4> excludedStyles_{};  // roles 3, 4, 6 and 7
  ArticleReader reader_;
  IndexTokenizer tokenizer_;
  std::size_t cursor_ = 0;  // next entry-table index to look at
  std::size_t end_ = 0;     // entry-table index where this source stops
  std::uint32_t articleCounter_ = 0;
  bool haveArticle_ = false;
  int subDict_ = 0;
};

}  // namespace lexmora
