#include "fulltext/index_word_source.h"

namespace lexmora {

GroupWordSource::GroupWordSource(std::shared_ptr<const LoadedGroup> group, const DictGroupRecord& record)
    : group_(std::move(group)), reader_(*group_) {
  excludedStyles_ = {record.StyleRole(3), record.StyleRole(4), record.StyleRole(6), record.StyleRole(7)};
}

bool GroupWordSource::Excluded(int style) const {
  for (std::uint32_t role : excludedStyles_)
    if (role <= 255 && static_cast<int>(role) == style) return true;
  return false;
}

std::uint32_t GroupWordSource::StartIndexJob(IndexingInternalRecord& job) {
  const SubVoclHeaderRecord* header = group_->HeaderFor(job.subDict);
  job.articleCount = header ? header->EntryCount() : 0;
  job.currentArticle = 0;
  subDict_ = job.subDict;
  cursor_ = 0;
  articleCounter_ = 0;
  haveArticle_ = false;
  return job.articleCount;
}

bool GroupWordSource::NextIndexWord(IndexingInternalRecord& job, SourceWord& out) {
  while (true) {
    if (haveArticle_) {
      while (tokenizer_.Next(out.word)) {
        if (Excluded(tokenizer_.StyleNumber())) continue;
        out.article = articleCounter_;
        out.subDict = static_cast<std::uint8_t>(subDict_);
        return true;
      }
      haveArticle_ = false;
    }
    const auto& entries = group_->entries;
    while (cursor_ < entries.size() && entries[cursor_].SubDict() != subDict_) ++cursor_;
    if (cursor_ >= entries.size()) return false;
    ++articleCounter_;
    job.currentArticle = articleCounter_;
    tokenizer_.StartArticle(reader_.Read(static_cast<int>(cursor_)));
    ++cursor_;
    haveArticle_ = true;
  }
}

}  // namespace lexmora
