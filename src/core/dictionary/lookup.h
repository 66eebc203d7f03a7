// Type-ahead lookup over a group's word index or a filtered view of it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/loaded_group.h"

namespace lexmora {

// Word list sources: 0 full dictionary, 1 user list, 2 game auto list,
// 3 search results.
enum ViewMode : std::uint8_t { kViewFull = 0, kViewUserList = 1, kViewGameList = 2, kViewSearchList = 3 };

// Ascending entry indices shown in view modes 1..3.
using ViewList = std::vector<std::uint32_t>;

// Indices of the non-zero bytes of a mark array, ascending.
ViewList BuildViewList(const NotepadARRAY& marks);

// The mark array a view mode shows (nullptr for the full view).
const NotepadARRAY* MarksForView(const LoadedGroup& group, int viewMode);

// Typed text to a lookup key: trimmed, converted to the group's headword
// code page and upper-cased with the group's rule.
std::string LookupKey(std::u16string_view typed, int headwordCodePage);

// The row the input box selects for key: the last headword equal to the key,
// else the first greater one; 0 before the first, the last row after the
// last. viewList == nullptr searches the whole entry table.
int Lookup(std::string_view key, const LoadedGroup& group, const ViewList* viewList);

// The rows of the whole entry table whose headwords equal the key, ascending
// (homonyms are neighbours).
std::vector<std::uint32_t> ExactRows(std::string_view key, const LoadedGroup& group);

// LookupKey followed by Lookup.
int ListWordChanged(std::u16string_view typed, const LoadedGroup& group, const ViewList* viewList);

}  // namespace lexmora
