// Every text id the program's windows read from a language file; a language
// file shipped with the program holds a text for each.
#pragma once

#include <vector>

namespace lexmora {

// Name of dictionary group n (1-based) is text id kGroupNameTextBase + n.
inline constexpr int kGroupNameTextBase = 220;
// Groups of the built-in group table, each named in every language.
inline constexpr int kBuiltInGroupCount = 9;

// Ascending ids: 1, 3, the main window's menus, pop-ups and group names, the
// other windows' texts and the options dialog's.
std::vector<int> InterfaceTextIds();

}  // namespace lexmora
