// The dictionary state the main window works on: the group table, one loaded
// group per slot, the current group, the view mode and its filtered list.
// Plain C++ over the core; the windows only turn its results into widgets.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/article_reader.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"

namespace lexmora::gui {

class DictionarySession {
 public:
  explicit DictionarySession(std::filesystem::path programDir);
  ~DictionarySession();
  DictionarySession(const DictionarySession&) = delete;
  DictionarySession& operator=(const DictionarySession&) = delete;

  const std::filesystem::path& ProgramDir() const { return dir_; }
  GroupTable& Table() { return state_.table; }
  const GroupTable& Table() const { return state_.table; }

  // Group numbers offered to the user (those with a word index), ascending.
  std::vector<int> ListedGroups() const;

  // Start-up: every group of the table that has a word index is loaded.
  void LoadAllGroups();
  // Loads (or reloads) group g with its stored enabled set.
  void LoadGroup(int g);
  // Shut-down: frees every group and clears the loaded flags of those that
  // held entries; then writes the group table. Returns whether it was written.
  bool Close();

  LoadedGroup& Group(int g) { return groups_[Slot(g)]; }
  const LoadedGroup& Group(int g) const { return groups_[Slot(g)]; }
  int CurrentGroup() const { return current_; }
  void SetCurrentGroup(int g) { current_ = g; }
  LoadedGroup& Current() { return Group(current_); }
  const LoadedGroup& Current() const { return Group(current_); }

  // Toggles sub-dictionary k in the current group's enabled set.
  void ToggleSubDict(int k);

  int ViewMode() const { return viewMode_; }
  void SetViewMode(int mode) { viewMode_ = mode; }
  // Rebuilds the list of the current view mode (empty in the full view).
  void BuildViewList();
  const ViewList& CurrentViewList() const { return viewList_; }

  // Whether the last full-text search of group g found anything.
  bool HasSearchResults(int g) const;

  // Rows of the word list and the entry shown in a row (-1: none).
  int RowCount() const;
  int EntryForRow(int row) const;
  // Whether an entry is marked in the current group's user list.
  bool UserMarked(int entry) const;

  // The row the typed text selects in the current list.
  int LookupRow(std::u16string_view typed) const;

  // The unscrambled article of an entry of the current group; empty when
  // unreadable.
  std::string ArticleText(int entry);

  // Right click on a row: action 0 toggles, 1 removes, 2 adds. Returns true
  // when the row left the user-list view (the list closed up).
  bool AddToList(int row, int action);

 private:
  static std::size_t Slot(int g) { return static_cast<std::size_t>(g >= 1 && g <= GroupTable::kMaxGroups ? g - 1 : 0); }

  std::filesystem::path dir_;
  GroupTableState state_;
  std::array<LoadedGroup, GroupTable::kMaxGroups> groups_{};
  std::array<std::unique_ptr<ArticleReader>, GroupTable::kMaxGroups> readers_{};
  int current_ = 1;
  int viewMode_ = kViewFull;
  ViewList viewList_;
};

}  // namespace lexmora::gui
