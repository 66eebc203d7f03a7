// The full-text side of the working state: the search command's checks, the
// indexing run it may offer, what follows a search, and the Search Results
// view's marks and highlighted articles.
#include "article/hit_highlight.h"
#include "session/session.h"
#include "text/trim.h"

namespace lexmora {

SearchRequest Session::RequestSearch(int g, std::u16string_view text) {
  SearchRequest request;
  if (!state_.table.Valid(g)) return request;
  const DictGroupRecord& record = state_.table.Group(g);
  if (!CheckIndexFiles(dir_, record, Group(g)).empty()) {
    request.step = SearchStep::NeedsIndex;
    return request;
  }
  if (searchActive_) {
    request.step = SearchStep::Busy;
    return request;
  }
  std::u16string query = Trim(text);
  if (query.empty()) {
    request.step = SearchStep::EmptyQuery;
    return request;
  }
  auto run = std::make_shared<SearchRun>();
  run->dir = dir_;
  run->record = record;
  run->group = Snapshot(g);
  run->text = std::move(query);
  run->groupNumber = g;
  searchActive_ = true;
  request.step = SearchStep::Start;
  request.search = std::move(run);
  return request;
}

std::shared_ptr<IndexingRun> Session::StartIndexing(int g) {
  if (indexingActive_ || !state_.table.Valid(g)) return nullptr;
  const DictGroupRecord& record = state_.table.Group(g);
  auto jobs = CheckIndexFiles(dir_, record, Group(g));
  if (jobs.empty()) return nullptr;
  auto run = std::make_shared<IndexingRun>();
  run->dir = dir_;
  run->record = record;
  run->group = Snapshot(g);
  run->jobs = std::move(jobs);
  indexingActive_ = true;
  return run;
}

SearchOutcome Session::FinishSearch(int g, SearchResultsArray results, bool cancelled, std::int64_t elapsedMs) {
  SearchOutcome outcome;
  searchActive_ = false;
  if (!state_.table.Valid(g)) return outcome;
  // The results belong to the group's search whatever happened to its load
  // meanwhile: article numbers do not change with a reload, so the marks
  // are made against the group as it is loaded now.
  results_[Slot(g)] = std::move(results);
  MarkSearchResults(g);
  const bool found = HasSearchResults(g);
  if (!cancelled) {
    outcome.selectGroup = current_ != g;
    outcome.searchViewOffered = found;
    // Nothing to list: the Search Results view is not offered.
    outcome.view = found ? kViewSearchList : (viewMode_ == kViewSearchList ? kViewFull : -1);
  } else if (current_ == g) {
    // The view stays, but it follows the group's new marks.
    outcome.searchViewOffered = found;
    if (viewMode_ == kViewSearchList) outcome.view = found ? kViewSearchList : kViewFull;
  } else {
    outcome.searchViewOffered = SearchViewOffered();
  }
  outcome.status = SearchStatusText(SearchResults(g).size(), elapsedMs);
  return outcome;
}

void Session::MarkSearchResults(int g) {
  if (!state_.table.Valid(g)) return;
  LoadedGroup& group = groups_[Slot(g)];
  group.searchList = lexmora::MarkSearchResults(group, state_.table.Group(g).Enabled(), results_[Slot(g)]);
}

std::string Session::ViewArticleText(int entry) {
  std::string text = ArticleText(entry);
  if (viewMode_ != kViewSearchList || text.empty()) return text;
  const LoadedGroup& group = Current();
  for (const SearchResultRecord& result : SearchResults(current_)) {
    if (ResultEntry(group, result) != entry) continue;
    std::vector<ArticleHit> hits;
    hits.reserve(result.occurrences.size());
    for (const OneIdxRecord& o : result.occurrences) hits.push_back({o.place, o.length});
    return InsertHitHighlights(std::move(text), hits);
  }
  return text;
}

}  // namespace lexmora
