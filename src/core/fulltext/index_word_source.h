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
};

// Reads the articles of a loaded group. The tokenizer's style state lives as
// long as the source, across articles and jobs.
class GroupWordSource : public IndexWordSource {
 public:
  GroupWordSource(std::shared_ptr<const LoadedGroup> group, const DictGroupRecord& record);

  std::uint32_t StartIndexJob(IndexingInternalRecord& job) override;
  bool NextIndexWord(IndexingInternalRecord& job, SourceWord& out) override;

 private:
  bool Excluded(int style) const;

  std::shared_ptr<const LoadedGroup> group_;
  std::array<std::uint32_t, 4> excludedStyles_{};  // roles 3, 4, 6 and 7
  ArticleReader reader_;
  IndexTokenizer tokenizer_;
  std::size_t cursor_ = 0;  // next entry-table index to look at
  std::uint32_t articleCounter_ = 0;
  bool haveArticle_ = false;
  int subDict_ = 0;
};

}  // namespace lexmora
