// The program's working state: the group table, one loaded group per slot,
// the current group, the view mode and its list, the mark arrays of every
// group and the results of each group's last full-text search, with the
// rules that change them. The window and lexmora-cli both drive it; a window
// handler turns a user action into one call here and the result into
// widgets. Nothing outside this class writes a loaded group.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/article_reader.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "fulltext/fulltext_runs.h"
#include "fulltext/searcher.h"
#include "game/game_setup.h"
#include "session/sub_dict_checks.h"
#include "suggest/suggestion_index.h"

namespace lexmora {

// What a change of the current group asks of the window.
struct GroupChange {
  bool searchViewOffered = false;  // the group has search results
  bool fellBackToFull = false;     // the Search Results view gave way to the full view
};

// What loading a list file did.
struct ListLoad {
  bool loaded = false;       // the file was read and its marks applied
  int group = 0;             // the group the file belongs to
  bool switchGroup = false;  // that group is listed and not current: select it
};

// What a right click or a list command did to the word list.
struct ListChange {
  bool marksChanged = false;
  bool closedUp = false;  // the row left the list shown
  int selectRow = -1;     // when closedUp: the row to select (-1: none)
};

// The answer to a search command.
enum class SearchStep {
  NoGroup,      // the group is not in the table
  NeedsIndex,   // some index file is missing: offer to build them (StartIndexing)
  Busy,         // a search is running
  EmptyQuery,   // nothing to search for
  Start,        // run the search
};
struct SearchRequest {
  SearchStep step = SearchStep::NoGroup;
  std::shared_ptr<SearchRun> search;  // Start: the run, marked active
};

// What the window does once a search has ended.
struct SearchOutcome {
  bool selectGroup = false;        // make the searched group current first
  int view = -1;                   // the view to switch to (-1: stay)
  bool searchViewOffered = false;  // the Search Results view button's state
  std::string status;              // "items: N time:..."
};

class Session {
 public:
  // Reads the group table of the program folder and finds its available
  // groups; nothing is loaded yet.
  explicit Session(std::filesystem::path programDir);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  const std::filesystem::path& ProgramDir() const { return dir_; }
  const GroupTable& Table() const { return state_.table; }
  // Groups offered to the user (those with a word index), ascending.
  std::vector<int> ListedGroups() const;
  bool Listed(int g) const { return state_.available.count(g) > 0; }

  // Start-up: every listed group is loaded; group 1 is current.
  void LoadAllGroups();
  // Loads listed group g alone and makes it current (lexmora-cli); false
  // when g is not listed.
  bool OpenGroup(int g);
  // Shut-down: writes the user list of every group that holds words to its
  // default list file, frees every group, clears the loaded flags of those
  // that held entries and writes the group table. Returns whether the table
  // was written.
  bool Close();

  const LoadedGroup& Group(int g) const { return groups_[Slot(g)]; }
  const LoadedGroup& Current() const { return Group(current_); }
  int CurrentGroup() const { return current_; }
  // The stored current group at start: kept when it is in the table, else
  // group 1. Returns the group made current.
  int RestoreCurrentGroup(int stored);
  // Makes g current as the group box does: loads it when not loaded; the
  // Search Results view falls back to the full view when g has no results;
  // the view list is rebuilt for g.
  GroupChange SelectGroup(int g);
  // The keyboard layout to switch to for the current group: only when it
  // has entries and the layout follows the group.
  std::optional<std::string> KeyboardLayoutToActivate(bool synchronizeLayout) const;

  // The title of group g: the interface text given (text 220 + g) when not
  // empty, else the group's own name.
  std::u16string GroupTitle(int g, std::u16string_view interfaceText) const;

  // Switches sub-dictionary k of the current group on or off and reloads it.
  void ToggleSubDict(int k);
  // Reloads group g with its stored set: its user list goes to its default
  // list file first and is read back with the group; its search marks are
  // made again from its last search and the view list follows.
  void ReloadGroup(int g);
  // The options dialog's check marks (session_options.cpp): each sets or
  // clears its sub-dictionary in its group's enabled set; marks of groups
  // outside the table are ignored. Nothing is reloaded here.
  void ApplySubDictChecks(const std::vector<SubDictCheck>& checks);
  // The groups 1..count that are loaded, ascending.
  std::vector<int> LoadedGroups() const;
  // After an import added sub-dictionary subDict to group g (or a removal
  // took it out): the group's record is taken from the folder's table (all
  // of it for a new group, else only the sub-dictionary's switch), the
  // listed groups are found again and the group is loaded again.
  void AdoptSubDictChange(int g, int subDict, bool added);

  // The exit writes: every group that holds words writes its user list to
  // its default list file (silently).
  void SaveAllNotepads();
  // Every write of the exit (the user lists, and the group table as the
  // exit leaves it), with the groups kept loaded: the session manager's
  // request to save. Returns whether the table was written.
  bool SaveExitState();
  // Whether a group's user list changed since its default list file was
  // last written (right click, Add, Remove, Clear, Load).
  bool ListChanged(int g) const { return listChanged_[Slot(g)]; }
  bool AnyListChanged() const;
  // Writes the default list file of every group whose list changed since
  // its last write; returns how many were written.
  int SaveChangedLists();
  // Marks a row of group g in its default list file as it is on disk now
  // (another program may have written it since this one read it), and in
  // this session's list; written atomically. False when g holds no such
  // row or the file could not be written.
  bool MarkInDefaultList(int g, int row);
  // Marks a row of group g's user list (any group, any view): what another
  // program asks of the running dictionary. False when there is no such row.
  bool AddMark(int g, int row);
  // The first row of group g whose headword is the text, or -1.
  int ExactRow(int g, std::u16string_view text) const;
  // The default list file of group g: NOTEPADS/<base>.npl.
  std::filesystem::path DefaultListFile(int g) const;
  // Clear list: the current group's user list is emptied.
  void ClearList();
  // Save List: the list of the current view (the user list in views 0 and
  // 1, the Game Auto List in 2, the Search Results in 3) of the current
  // group. False when the file could not be written.
  bool SaveList(const std::filesystem::path& path) const;
  // Load list: the marks of the file go to the user list of the group it
  // names, when that group is loaded.
  ListLoad LoadList(const std::filesystem::path& path);
  // The mark array a view shows (the user list for the full view).
  const NotepadARRAY& ListOfView(int viewMode) const;

  int ViewMode() const { return viewMode_; }
  // A view button or View menu item: 0 full, 1 user list, 2 game list,
  // 3 search results (only while the group has results). False when the
  // view is not offered; nothing changes then.
  bool SetView(int mode);
  const ViewList& CurrentViewList() const { return viewList_; }
  bool HasSearchResults(int g) const;
  bool SearchViewOffered() const { return HasSearchResults(current_); }

  // Rows of the word list and the entry a row shows (-1: none).
  int RowCount() const;
  int EntryForRow(int row) const;
  // The row a refresh or a restored row index selects: the row when it is
  // in the list, else row 0; -1 for an empty list.
  int RowToSelect(int row) const;
  // Whether an entry of the current group is in the user list.
  bool UserMarked(int entry) const;
  // Whether a row is drawn marked: user-list entries in the full view.
  bool RowMarked(int row) const;
  // The headword of an entry of the current group, as shown.
  std::u16string Headword(int entry) const;
  // The row the typed text selects in the current list.
  int LookupRow(std::u16string_view typed) const;
  // The unscrambled article of an entry of the current group; empty when
  // unreadable.
  std::string ArticleText(int entry);
  // The article as the current view shows it: in the Search Results view
  // with the hits of the group's last search marked.
  std::string ViewArticleText(int entry);

  // Right click (action 0 toggles), Remove (1), Add (2) on a row, with the
  // row selected before; in the user-list view a toggled or removed row
  // leaves the list, which closes up.
  ListChange AddToList(int row, int action, int selectedRow);

  // The search command for group g with the typed text.
  SearchRequest RequestSearch(int g, std::u16string_view text);
  // The indexing run of g's missing index files; null when the index is
  // complete or an indexing run is active. Marks the run active.
  std::shared_ptr<IndexingRun> StartIndexing(int g);
  void IndexingEnded() { indexingActive_ = false; }
  bool IndexingActive() const { return indexingActive_; }
  bool SearchActive() const { return searchActive_; }
  // A search has ended (cancelled or not); its results replace g's.
  SearchOutcome FinishSearch(int g, SearchResultsArray results, bool cancelled, std::int64_t elapsedMilliseconds);
  const SearchResultsArray& SearchResults(int g) const { return results_[Slot(g)]; }

  // A copy of group g for a worker, which keeps it alive while the group
  // may be reloaded or freed here.
  std::shared_ptr<const LoadedGroup> Snapshot(int g) const;

  // The game (session_game.cpp). Its state lives for the whole run; the
  // pictures belong to the program's picture module (none: no picture has
  // regions, so no game and no Game Auto List).
  GameData& Game() { return game_; }
  const GameData& Game() const { return game_; }
  void SetGamePictures(GamePictures* pictures) { gamePictures_ = pictures; }
  // The words a game may be opened on: the view list in views 1..3, the
  // whole group in view 0. None: the game does not open.
  int GameWordCount() const;
  // Whether an entry of the current group is a game word, and its record.
  bool IsGameWord(int entry);
  GameWordInfoRecord MakeGameWord(int entry);
  // A game of the current group or list on picture p and background b
  // (each drawn at random when below 0); the next game of the game window
  // uses the remembered ones.
  GameSetUpResult SetUpGame(int p, int b);
  GameSetUpResult SetUpNextGame() { return SetUpGame(game_.RememberedPicture, game_.RememberedBackground); }
  // Refills the current group's Game Auto List; the view list is then
  // rebuilt from it when view 2 is shown.
  bool MakeGameAutoList();
  // How often group g has been loaded: a worker's result for a snapshot
  // holds only while this has not changed.
  std::uint64_t GroupLoadCount(int g) const { return loadCounts_[Slot(g)]; }
  // A worker's ScanGameWords of group g's snapshot taken at loadCount;
  // ignored when the group has been loaded again since.
  void SetGameWordTable(int g, std::uint64_t loadCount, GameWordTable table);
  // What is known of group g's game words so far.
  const GameWordTable& GameWords(int g) const { return gameWordTables_[Slot(g)]; }

  // Suggestions (session_suggest.cpp). The index of a snapshot of group g,
  // made on a worker; released when the group is loaded again or freed.
  static std::shared_ptr<const SuggestionIndex> MakeSuggestionIndex(const LoadedGroup& snapshot,
                                                                     const DictGroupRecord& record);
  // A worker's index of group g's snapshot taken at loadCount; ignored when
  // the group has been loaded again since.
  void SetSuggestionIndex(int g, std::uint64_t loadCount, std::shared_ptr<const SuggestionIndex> index);
  bool HasSuggestionIndex(int g) const { return suggestionIndexes_[Slot(g)] != nullptr; }
  const SuggestionIndex* SuggestionIndexOf(int g) const { return suggestionIndexes_[Slot(g)].get(); }
  // Rows of the current group's full view the typed text may mean, best
  // first (none while its index is not yet made).
  std::vector<Suggestion> Suggest(std::u16string_view typed, std::size_t limit) const;
  // The same with each headword once (homonyms share one), as its first row.
  std::vector<Suggestion> SuggestHeadwords(std::u16string_view typed, std::size_t limit) const;

 private:
  static std::size_t Slot(int g) {
    return static_cast<std::size_t>(g >= 1 && g <= GroupTable::kMaxGroups ? g - 1 : 0);
  }
  void LoadGroup(int g);
  // Writes group g's user list to its default file when g holds words.
  void SaveDefaultList(int g);
  void BuildViewList();
  void MarkSearchResults(int g);
  // The view list of view 2: the Game Auto List made again, then listed.
  void BuildGameView();
  GameWordSource CurrentGameWords();

  std::filesystem::path dir_;
  GroupTableState state_;
  std::array<LoadedGroup, GroupTable::kMaxGroups> groups_{};
  std::array<std::unique_ptr<ArticleReader>, GroupTable::kMaxGroups> readers_{};
  std::array<SearchResultsArray, GroupTable::kMaxGroups> results_{};
  int current_ = 1;
  int viewMode_ = kViewFull;
  ViewList viewList_;
  bool searchActive_ = false;
  bool indexingActive_ = false;
  GameData game_;
  GamePictures* gamePictures_ = nullptr;
  std::array<GameWordTable, GroupTable::kMaxGroups> gameWordTables_{};
  std::array<std::uint64_t, GroupTable::kMaxGroups> loadCounts_{};
  std::array<bool, GroupTable::kMaxGroups> listChanged_{};
  std::array<std::shared_ptr<const SuggestionIndex>, GroupTable::kMaxGroups> suggestionIndexes_{};
};

}  // namespace lexmora
