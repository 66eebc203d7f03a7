// The commands of the main window as a type: one table gives each its
// action name, interface text, shortcut and the rule that enables it, so
// that menus, tool buttons and shortcuts dispatch on the command and not on
// text ids.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace lexmora {

class Session;

enum class Command {
  EditCut,
  EditCopy,
  EditPaste,
  EditSelectAll,
  ViewFull,
  ViewUserList,
  ViewGameList,
  ViewSearchList,
  ViewToolbar,
  ViewDictionariesBar,
  ListAdd,
  ListRemove,
  ListClear,
  ListLoad,
  ListSave,
  ListExport,     // the list of the view as notes for flash-card programs
  ToolsIdxSearch,
  ToolsGame,
  ToolsAddDictionary,  // another program's dictionary file into a group
  ToolsOptions,
  Help,
  HelpWeb,
  HelpAbout,
  Pronounce,      // the shown headword or the selected text, aloud
  SetClipBoard,   // article popups: the context word to the clipboard
  SearchInList,   // article popups: the context word in the full list
  IdxSearch,      // article popups: the context word in the full-text index
};
inline constexpr std::size_t kCommandCount = static_cast<std::size_t>(Command::IdxSearch) + 1;

struct CommandInfo {
  Command command;
  std::string_view action;    // the action's object name
  int textId;                 // its caption (0: none)
  std::string_view shortcut;  // portable key text ("Ctrl+X"), empty for none
  bool checkable;
};

// Every command, in menu order.
std::span<const CommandInfo> Commands();
const CommandInfo& InfoOf(Command command);
std::optional<Command> CommandForAction(std::string_view action);

// The view mode a View command shows, or -1.
int ViewOfCommand(Command command);
std::optional<Command> CommandForView(int viewMode);

// Whether the command can run in the session's state: the Search Results
// view while the current group has results, adding to the list in the full
// view, removing in the full and the user-list views; the rest always.
bool CommandEnabled(Command command, const Session& session);

}  // namespace lexmora
