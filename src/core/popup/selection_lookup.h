// A word selected anywhere on the screen, looked up as the dictionary
// would: the query made of the selection, the group its letters point to,
// and the row to show (the exact headword, else the first suggestion).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/dict_group_record.h"
#include "suggest/suggestion_index.h"

namespace lexmora {

// The selection trimmed, cut to its first line and to its first
// kMaxSelectionQuery characters (a surrogate pair is never split).
inline constexpr std::size_t kMaxSelectionQuery = 64;
std::u16string SelectionQuery(std::u16string_view selection);

// What the letters of a text say of its language.
enum class TextScript { Latin, AzeriLatin, AzeriCyrillic, Cyrillic, German, French };
inline constexpr std::size_t kTextScriptCount = 6;
TextScript ScriptOfText(std::u16string_view text);

// The group for a text: an Azeri→X group for Azeri letters (ə, ı, ğ, ş in
// Latin text, or ә ҝ ј һ ғ ө ү ҹ), a Russian→Azeri group for other
// Cyrillic, the German→Azeri group for ä ö ü ß, the French→Azeri one for
// French accents; the group last used when it already is of the wanted
// kind, or when the text says nothing or no such group is listed. A
// non-zero override for the text's script is the user's own choice.
int GroupForText(std::u16string_view text, const GroupTable& table, const std::vector<int>& listed, int lastUsed,
                 const std::array<int, kTextScriptCount>& overrides = {});

// The row a popup shows for a query: the exact headword's first row, else
// the first suggestion (then `suggested` is set); row -1 when neither.
struct PopupLookup {
  int row = -1;
  bool suggested = false;
  SuggestionKind how = SuggestionKind::Exact;
};
PopupLookup LookupForPopup(const SuggestionIndex& index, const LoadedGroup& group, std::u16string_view query);

}  // namespace lexmora
