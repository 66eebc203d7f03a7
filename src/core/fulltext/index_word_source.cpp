#include "fulltext/index_word_source.h"

#include <vector>

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
  end_ = group_->entries.size();
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
    while (cursor_ < end_ && entries[cursor_].SubDict() != subDict_) ++cursor_;
    if (cursor_ >= end_) return false;
    ++articleCounter_;
    job.currentArticle = articleCounter_;
    tokenizer_.StartArticle(reader_.Read(static_cast<int>(cursor_)));
    ++cursor_;
    haveArticle_ = true;
  }
}

std::unique_ptr<IndexWordSource> GroupWordSource::SplitJob(IndexingInternalRecord& job) {
  const auto& entries = group_->entries;
  std::vector<std::uint32_t> mine;  // entry-table indices of the job's articles
  for (std::size_t i = cursor_; i < end_; ++i)
    if (entries[i].SubDict() == subDict_) mine.push_back(static_cast<std::uint32_t>(i));
  if (mine.size() < kSplitMinimum || haveArticle_) return nullptr;
  const std::size_t half = mine.size() / 2;

  // The second half starts in the style the first half ends in: the last
  // style tag of the nearest article before it that has one.
  int style = tokenizer_.StyleState();
  for (std::size_t k = half; k-- > 0;) {
    const int found = StyleStateAfter(reader_.Read(static_cast<int>(mine[k])), -2);
    if (found != -2) {
      style = found;
      break;
    }
  }
  auto second = std::unique_ptr<GroupWordSource>(new GroupWordSource(*this));
  second->cursor_ = mine[half];
  second->end_ = end_;
  second->articleCounter_ = articleCounter_ + static_cast<std::uint32_t>(half);
  second->tokenizer_.SetStyleState(style);
  end_ = mine[half];
  (void)job;
  return second;
}

void GroupWordSource::JoinJob(IndexWordSource& secondHalf) {
  auto* part = dynamic_cast<GroupWordSource*>(&secondHalf);
  if (part == nullptr) return;
  GroupWordSource& second = *part;
  tokenizer_.SetStyleState(second.tokenizer_.StyleState());
  cursor_ = second.cursor_;
  end_ = second.end_;
  articleCounter_ = second.articleCounter_;
}

GroupWordSource::GroupWordSource(const GroupWordSource& other)
    : group_(other.group_), excludedStyles_(other.excludedStyles_), reader_(*group_), subDict_(other.subDict_) {}

}  // namespace lexmora
