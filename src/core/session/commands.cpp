#include "session/commands.h"

#include "dictionary/lookup.h"
#include "session/session.h"

namespace lexmora {

namespace {

constexpr CommandInfo kCommands[] = {
    {Command::EditCut, "aEditCut", 111, "Ctrl+X", false},
    {Command::EditCopy, "aEditCopy", 112, "Ctrl+C", false},
    {Command::EditPaste, "aEditPaste", 113, "Ctrl+V", false},
    {Command::EditSelectAll, "aEditSelectAll", 114, "Ctrl+A", false},
    {Command::ViewFull, "aViewFull", 121, "Ctrl+D", true},
    {Command::ViewUserList, "aViewUserList", 122, "Ctrl+L", true},
    {Command::ViewGameList, "aViewGameList", 123, "", true},
    {Command::ViewSearchList, "aViewSearchList", 124, "", true},
    {Command::ViewToolbar, "aViewToolbarVisible", 126, "", true},
    {Command::ViewDictionariesBar, "aViewDictLineVisible", 127, "", true},
    {Command::ListAdd, "aListAdd", 131, "", false},
    {Command::ListRemove, "aListRemove", 132, "", false},
    {Command::ListClear, "aListClear", 133, "", false},
    {Command::ListLoad, "aListLoad", 134, "", false},
    {Command::ListSave, "aListSave", 135, "", false},
    {Command::ListExport, "aListExport", 500, "", false},
    {Command::ToolsIdxSearch, "aToolsIdxSearch", 141, "Ctrl+F", false},
    {Command::ToolsGame, "aToolsGame", 142, "Ctrl+G", false},
    {Command::ToolsAddDictionary, "aToolsAddDictionary", 543, "", false},
    {Command::ToolsOptions, "aToolsOptions", 143, "Ctrl+O", false},
    {Command::Help, "aHelp", 151, "F1", false},
    {Command::HelpWeb, "aHelpWeb", 153, "", false},
    {Command::HelpAbout, "aHelpAbout", 152, "", false},
    {Command::Pronounce, "aPronounce", 503, "Ctrl+P", false},
    {Command::SetClipBoard, "servSetClipBoard", 0, "", false},
    {Command::SearchInList, "servSearchInList", 0, "", false},
    {Command::IdxSearch, "servIdxSearch", 0, "", false},
};

constexpr Command kViewCommands[] = {Command::ViewFull, Command::ViewUserList, Command::ViewGameList,
                                     Command::ViewSearchList};

}  // namespace

std::span<const CommandInfo> Commands() { return kCommands; }

const CommandInfo& InfoOf(Command command) {
  for (const CommandInfo& info : kCommands)
    if (info.command == command) return info;
  return kCommands[0];  // every enumerator has a row; the table test sees to it
}

std::optional<Command> CommandForAction(std::string_view action) {
  for (const CommandInfo& info : kCommands)
    if (info.action == action) return info.command;
  return std::nullopt;
}

int ViewOfCommand(Command command) {
  for (int mode = 0; mode < 4; ++mode)
    if (kViewCommands[mode] == command) return mode;
  return -1;
}

std::optional<Command> CommandForView(int viewMode) {
  if (viewMode < 0 || viewMode > 3) return std::nullopt;
  return kViewCommands[viewMode];
}

bool CommandEnabled(Command command, const Session& session) {
  switch (command) {
    case Command::ViewSearchList: return session.SearchViewOffered();
    case Command::ListAdd: return session.ViewMode() == kViewFull;
    case Command::ListRemove: return session.ViewMode() == kViewFull || session.ViewMode() == kViewUserList;
    default: return true;
  }
}

}  // namespace lexmora
