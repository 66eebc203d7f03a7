#include "settings/help_contexts.h"

#include "settings/interface_language.h"

namespace lexmora {
namespace {

constexpr HelpContextRec kContexts[] = {
    {1, "Help contents"},
    {2, "Main window"},
    {3, "Tool-bar area"},
    {4, "Main toolbar"},
    {5, "Dictionaries bar"},
    {6, "Word list"},
    {7, "Article view"},
    {9, "Word input box"},
    {11, "Edit menu"},
    {12, "View menu"},
    {13, "Lists menu"},
    {14, "Tools menu"},
    {15, "Help menu"},
    {16, "Full-text search"},
    {17, "Indexing"},
    {18, "Education game"},
    {19, "Options"},
    {21, "Starting the game"},
    {22, "Dictionaries of the options"},
};

struct ComponentContext {
  std::string_view window;
  std::string_view component;
  int context;
};

constexpr std::string_view kMainWindow = "TLexmoraAzeriDictionaries";

constexpr ComponentContext kComponents[] = {
    {kMainWindow, kMainWindow, 2},
    {kMainWindow, "TntControlBar1", 3},
    {kMainWindow, "ToolBar1", 4},
    {kMainWindow, "ToolBar2", 5},
    {kMainWindow, "Frame11", 6},
    {kMainWindow, "Frame21", 7},
    {kMainWindow, "TntEdit1", 9},
    {kMainWindow, "Edit1", 11},
    {kMainWindow, "aEditCut", 11},
    {kMainWindow, "aEditCopy", 11},
    {kMainWindow, "aEditPaste", 11},
    {kMainWindow, "aEditSelectAll", 11},
    {kMainWindow, "View1", 12},
    {kMainWindow, "aViewFull", 12},
    {kMainWindow, "aViewUserList", 12},
    {kMainWindow, "aViewGameList", 12},
    {kMainWindow, "aViewSearchList", 12},
    {kMainWindow, "aViewToolbarVisible", 12},
    {kMainWindow, "aViewDictLineVisible", 12},
    {kMainWindow, "Dictionariesgroup1", 12},
    {kMainWindow, "Lists1", 13},
    {kMainWindow, "aListAdd", 13},
    {kMainWindow, "aListRemove", 13},
    {kMainWindow, "aListClear", 13},
    {kMainWindow, "aListLoad", 13},
    {kMainWindow, "aListSave", 13},
    {kMainWindow, "aListExport", 13},
    {kMainWindow, "Tools1", 14},
    {kMainWindow, "aToolsIdxSearch", 16},
    {kMainWindow, "aToolsOptions", 19},
    {kMainWindow, "aToolsGame", 21},
    {kMainWindow, "Help1", 15},
    {kMainWindow, "aHelp", 15},
    {kMainWindow, "aHelpAbout", 15},
    {"TSearchForm", "TSearchForm", 16},
    {"TIndexingForm", "TIndexingForm", 17},
    {"TGameForm", "TGameForm", 18},
    {"TOptionsForm", "TOptionsForm", 19},
    {"TOptionsForm", "CheckListBox1", 22},
};

}  // namespace

std::span<const HelpContextRec> HelpContexts() { return kContexts; }

bool IsHelpContext(int context) {
  for (const HelpContextRec& rec : kContexts)
    if (rec.context == context) return true;
  return false;
}

std::string HelpContextAnchor(int context) {
  return IsHelpContext(context) ? "context-" + std::to_string(context) : std::string();
}

std::string HelpPageName(int interfaceLang) {
  if (interfaceLang < 0 || interfaceLang >= kInterfaceLanguageCount) return {};
  return "help/" + std::string(kInterfaceLanguages[static_cast<std::size_t>(interfaceLang)].name) + ".html";
}

int ComponentHelpContext(std::string_view window, std::string_view component) {
  if (component.empty()) return 0;
  for (const ComponentContext& c : kComponents)
    if (c.window == window && c.component == component) return c.context;
  return 0;
}

int NearestHelpContext(std::span<const std::string> chain) {
  if (chain.empty()) return 0;
  const std::string& window = chain.back();
  for (const std::string& component : chain)
    if (const int context = ComponentHelpContext(window, component)) return context;
  return 0;
}

}  // namespace lexmora
