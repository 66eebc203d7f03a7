#include "dictionary/lookup.h"

#include <algorithm>

#include "text/azeri_letters.h"
#include "text/code_page.h"
#include "text/collation.h"
#include "text/trim.h"

namespace lexmora {

ViewList BuildViewList(const NotepadARRAY& marks) {
  ViewList list;
  for (std::size_t i = 0; i < marks.size(); ++i)
    if (marks[i] != 0) list.push_back(static_cast<std::uint32_t>(i));
  return list;
}

const NotepadARRAY* MarksForView(const LoadedGroup& group, int viewMode) {
  switch (viewMode) {
    case kViewUserList: return &group.userList;
    case kViewGameList: return &group.gameList;
    case kViewSearchList: return &group.searchList;
    default: return nullptr;
  }
}

std::string LookupKey(std::u16string_view typed, int headwordCodePage) {
  return UpperCase(FromUnicode(Trim(typed), headwordCodePage), UpperRuleFor(headwordCodePage));
}

int Lookup(std::string_view key, const LoadedGroup& group, const ViewList* viewList) {
  if (group.entries.empty()) return 0;
  if (viewList != nullptr && viewList->empty()) return 0;
  if (key.empty()) return 0;
  const Collation flavour = CollationFor(group.codePage);
  const std::size_t n = viewList ? viewList->size() : group.entries.size();
  // headword(k) for k counted from 1. View lists hold entry indices; an index
  // past the entry table (stale list) reads as an empty key.
  auto headword = [&](std::size_t k) -> std::string_view {
    std::size_t entry = viewList ? (*viewList)[k - 1] : k - 1;
    return entry < group.entries.size() ? group.entries[entry].SortKey() : std::string_view();
  };
  auto less = [&](std::string_view a, std::string_view b) { return CompareHeadwords(a, b, flavour) < 0; };

  if (less(key, headword(1))) return 0;
  std::size_t c;
  if (less(key, headword(n))) {
    std::size_t lo = 1, hi = n;
    while (true) {
      std::size_t d = (hi - lo) / 2;
      std::size_t mid = lo + d;
      if (less(key, headword(mid))) hi = mid;
      else lo = mid;
      if (lo == hi || d == 0) break;
    }
    c = lo;
  } else {
    c = n;
  }
  if (c < n) {
    std::string_view h = headword(c);
    bool equal = CompareHeadwords(key, h, flavour) == 0;
    bool prefix = h.size() >= key.size() && h.compare(0, key.size(), key) == 0;
    if (!equal && !prefix) ++c;
  }
  return static_cast<int>(c - 1);
}

std::vector<std::uint32_t> ExactRows(std::string_view key, const LoadedGroup& group) {
  std::vector<std::uint32_t> rows;
  if (key.empty() || group.entries.empty()) return rows;
  const Collation flavour = CollationFor(group.codePage);
  for (int row = Lookup(key, group, nullptr); row >= 0; --row) {
    if (CompareHeadwords(key, group.entries[static_cast<std::size_t>(row)].SortKey(), flavour) != 0) break;
    rows.push_back(static_cast<std::uint32_t>(row));
  }
  std::reverse(rows.begin(), rows.end());
  return rows;
}

int ListWordChanged(std::u16string_view typed, const LoadedGroup& group, const ViewList* viewList) {
  return Lookup(LookupKey(typed, group.codePage), group, viewList);
}

}  // namespace lexmora
