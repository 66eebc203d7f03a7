// The suggestion index of each loaded group and the suggestions for the
// current group.
#include "session/session.h"

#include <algorithm>

namespace lexmora {

std::shared_ptr<const SuggestionIndex> Session::MakeSuggestionIndex(const LoadedGroup& snapshot,
                                                                     const DictGroupRecord& record) {
  const HeadwordLanguage language = HeadwordLanguageOfBase(record.BaseName());
  return std::make_shared<const SuggestionIndex>(snapshot, language, nullptr, true);
}

void Session::SetSuggestionIndex(int g, std::uint64_t loadCount, std::shared_ptr<const SuggestionIndex> index) {
  if (!state_.table.Valid(g) || loadCount != loadCounts_[Slot(g)] || Group(g).entries.empty()) return;
  suggestionIndexes_[Slot(g)] = std::move(index);
}

std::vector<Suggestion> Session::Suggest(std::u16string_view typed, std::size_t limit) const {
  const auto& index = suggestionIndexes_[Slot(current_)];
  if (!index) return {};
  return index->Suggest(typed, Current(), limit);
}

std::vector<Suggestion> Session::SuggestHeadwords(std::u16string_view typed, std::size_t limit) const {
  std::vector<Suggestion> out;
  std::vector<std::u16string> shown;
  for (const Suggestion& s : Suggest(typed, 4 * limit)) {
    std::u16string headword = Headword(s.row);
    if (std::find(shown.begin(), shown.end(), headword) != shown.end()) continue;
    shown.push_back(std::move(headword));
    out.push_back(s);
    if (out.size() == limit) break;
  }
  return out;
}

}  // namespace lexmora
