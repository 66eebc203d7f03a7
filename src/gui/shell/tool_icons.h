// The pictures of the main tool bar's buttons, drawn in code.
#pragma once

#include <QIcon>

namespace lexmora::gui {

enum class ToolIcon { FullDictionary, UserList, GameList, SearchResults, ClearList, LoadList, SaveList, Search, Game, Options, Help };

QIcon MakeToolIcon(ToolIcon which);

}  // namespace lexmora::gui
