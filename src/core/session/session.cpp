#include "session/session.h"

#include <algorithm>

#include "dictionary/file_names.h"
#include "lists/notepad_file.h"
#include "session/group_names.h"
#include "settings/window_restore_rules.h"
#include "text/code_page.h"

namespace lexmora {

Session::Session(std::filesystem::path programDir)
    : dir_(std::move(programDir)), state_(LoadGroupTable(dir_)) {}

Session::~Session() = default;

std::vector<int> Session::ListedGroups() const {
  std::vector<int> out;
  for (int g = 1; g <= state_.table.count; ++g)
    if (Listed(g)) out.push_back(g);
  return out;
}

void Session::LoadAllGroups() {
  for (auto& reader : readers_) reader.reset();
  for (auto& group : groups_) group = LoadedGroup{};
  current_ = 1;
  for (int g : ListedGroups()) LoadGroup(g);
}

bool Session::OpenGroup(int g) {
  if (!state_.table.Valid(g) || !Listed(g)) return false;
  current_ = g;
  LoadGroup(g);
  return true;
}

void Session::LoadGroup(int g) {
  if (!state_.table.Valid(g)) return;
  const std::size_t slot = Slot(g);
  readers_[slot].reset();  // it refers to the group being replaced
  DictGroupRecord& record = state_.table.Group(g);
  groups_[slot] = lexmora::LoadGroup(dir_, state_.table, g, record.Enabled());
  listChanged_[slot] = false;  // the marks are those of the list file again
  suggestionIndexes_[slot].reset();
  LoadedGroup& group = groups_[slot];
  group.userList.resize(group.entries.size(), 0);
  group.gameList.assign(group.entries.size(), 0);
  record.SetLoaded(group.loaded);
  // The default list file, when it belongs to this group.
  if (auto file = ReadNotepadFile(ResolveCaseInsensitive(DefaultListFile(g))); file && file->group == g)
    ApplyNotepadFile(*file, group, group.userList);
  readers_[slot] = std::make_unique<ArticleReader>(group);
  gameWordTables_[slot].clear();  // the entries may have changed
  ++loadCounts_[slot];
  MarkSearchResults(g);  // article numbers survive a reload; entries may not
}

void Session::SaveAllNotepads() {
  for (int g = 1; g <= GroupTable::kMaxGroups; ++g) SaveDefaultList(g);
}

bool Session::SaveExitState() {
  SaveAllNotepads();
  // The table as Close leaves it: the groups that held entries unloaded.
  GroupTable table = state_.table;
  for (int g = 1; g <= GroupTable::kMaxGroups; ++g)
    if (!Group(g).entries.empty() && table.Valid(g)) table.Group(g).SetLoaded(false);
  return SaveGroupTable(dir_, table);
}

bool Session::AnyListChanged() const {
  return std::find(listChanged_.begin(), listChanged_.end(), true) != listChanged_.end();
}

int Session::SaveChangedLists() {
  int written = 0;
  for (int g = 1; g <= GroupTable::kMaxGroups; ++g) {
    if (!listChanged_[Slot(g)]) continue;
    SaveDefaultList(g);
    ++written;
  }
  return written;
}

bool Session::Close() {
  SaveAllNotepads();
  for (int g = 1; g <= GroupTable::kMaxGroups; ++g) {
    LoadedGroup& group = groups_[Slot(g)];
    readers_[Slot(g)].reset();
    suggestionIndexes_[Slot(g)].reset();
    if (!group.entries.empty() && state_.table.Valid(g)) state_.table.Group(g).SetLoaded(false);
    group = LoadedGroup{};
  }
  current_ = 1;
  viewList_.clear();
  return SaveGroupTable(dir_, state_.table);
}

int Session::RestoreCurrentGroup(int stored) {
  current_ = RestoreLangGroup(stored, state_.table.count);
  return current_;
}

GroupChange Session::SelectGroup(int g) {
  GroupChange change;
  if (!state_.table.Valid(g)) return change;
  current_ = g;
  if (!Current().loaded) LoadGroup(g);
  change.searchViewOffered = HasSearchResults(g);
  if (!change.searchViewOffered && viewMode_ == kViewSearchList) {
    viewMode_ = kViewFull;
    change.fellBackToFull = true;
  }
  if (viewMode_ == kViewGameList)
    BuildGameView();
  else if (viewMode_ != kViewFull)
    BuildViewList();
  return change;
}

std::optional<std::string> Session::KeyboardLayoutToActivate(bool synchronizeLayout) const {
  if (!synchronizeLayout || Current().EntryCount() < 1 || !state_.table.Valid(current_)) return std::nullopt;
  return std::string(state_.table.Group(current_).KeyboardLayout());
}

std::u16string Session::GroupTitle(int g, std::u16string_view interfaceText) const {
  if (!state_.table.Valid(g)) return std::u16string(interfaceText);
  return lexmora::GroupTitle(state_.table.Group(g), interfaceText);
}

void Session::ToggleSubDict(int k) {
  if (!state_.table.Valid(current_)) return;
  DictGroupRecord& record = state_.table.Group(current_);
  SubDictSet set = record.Enabled();
  set.Set(k, !set.Contains(k));
  record.SetEnabled(set);
  ReloadGroup(current_);
}

void Session::ReloadGroup(int g) {
  SaveDefaultList(g);
  LoadGroup(g);
  // The Game Auto List of the current group is made again for its new
  // entries; that of another group is not shown and stays empty.
  if (viewMode_ == kViewGameList && g == current_)
    BuildGameView();
  else if (viewMode_ != kViewFull)
    BuildViewList();
}

bool Session::SetView(int mode) {
  switch (mode) {
    case kViewFull:
      // The user list is gathered on the way, as the user-list view would.
      viewMode_ = kViewUserList;
      BuildViewList();
      viewMode_ = kViewFull;
      return true;
    case kViewSearchList:
      if (!SearchViewOffered()) return false;
      [[fallthrough]];
    case kViewUserList:
      viewMode_ = mode;
      BuildViewList();
      return true;
    case kViewGameList:
      viewMode_ = mode;
      BuildGameView();
      return true;
    default:
      return false;
  }
}

void Session::BuildViewList() {
  const NotepadARRAY* marks = MarksForView(Current(), viewMode_);
  viewList_ = marks ? lexmora::BuildViewList(*marks) : ViewList{};
}

bool Session::HasSearchResults(int g) const {
  const auto& marks = Group(g).searchList;
  return std::any_of(marks.begin(), marks.end(), [](std::uint8_t b) { return b != 0; });
}

int Session::RowCount() const {
  if (viewMode_ == kViewFull) return Current().EntryCount();
  return static_cast<int>(viewList_.size());
}

int Session::EntryForRow(int row) const {
  if (row < 0) return -1;
  int entry = row;
  if (viewMode_ != kViewFull) {
    if (static_cast<std::size_t>(row) >= viewList_.size()) return -1;
    entry = static_cast<int>(viewList_[static_cast<std::size_t>(row)]);
  }
  return entry < Current().EntryCount() ? entry : -1;
}

int Session::RowToSelect(int row) const {
  const int rows = RowCount();
  if (rows <= 0) return -1;
  return row >= 0 && row < rows ? row : 0;
}

bool Session::UserMarked(int entry) const {
  const auto& marks = Current().userList;
  return entry >= 0 && static_cast<std::size_t>(entry) < marks.size() && marks[static_cast<std::size_t>(entry)] != 0;
}

bool Session::RowMarked(int row) const { return viewMode_ == kViewFull && UserMarked(EntryForRow(row)); }

std::u16string Session::Headword(int entry) const {
  const LoadedGroup& group = Current();
  if (entry < 0 || entry >= group.EntryCount()) return {};
  return ToUnicode(group.entries[static_cast<std::size_t>(entry)].Display(), group.codePage);
}

int Session::LookupRow(std::u16string_view typed) const {
  const ViewList* list = viewMode_ == kViewFull ? nullptr : &viewList_;
  return ListWordChanged(typed, Current(), list);
}

std::string Session::ArticleText(int entry) {
  auto& reader = readers_[Slot(current_)];
  if (!reader || entry < 0 || entry >= Current().EntryCount()) return {};
  return reader->Read(entry);
}

ListChange Session::AddToList(int row, int action, int selectedRow) {
  ListChange change;
  auto& marks = groups_[Slot(current_)].userList;
  if (viewMode_ == kViewUserList && (action == 0 || action == 1)) {
    if (row < 0 || static_cast<std::size_t>(row) >= viewList_.size()) return change;
    const std::size_t entry = viewList_[static_cast<std::size_t>(row)];
    viewList_.erase(viewList_.begin() + row);
    if (entry < marks.size()) marks[entry] = action == 1 ? 0 : static_cast<std::uint8_t>(1 - marks[entry]);
    // The list closes up over the row; the selection moves up one unless
    // it is the first row or falls on the last.
    const int rows = static_cast<int>(viewList_.size());
    int s = selectedRow;
    if (row <= s && s < rows - 1 && s != 0) s = s - 1;
    if (s >= rows) s = rows - 1;
    change.marksChanged = true;
    listChanged_[Slot(current_)] = true;
    change.closedUp = true;
    change.selectRow = s;
    return change;
  }
  if (viewMode_ != kViewFull || row < 0 || static_cast<std::size_t>(row) >= marks.size()) return change;
  auto& mark = marks[static_cast<std::size_t>(row)];
  switch (action) {
    case 0: mark = static_cast<std::uint8_t>(1 - mark); break;  // 8-bit: a stored 2 becomes 255
    case 1: mark = 0; break;
    default: mark = 1; break;
  }
  change.marksChanged = true;
  listChanged_[Slot(current_)] = true;
  return change;
}

std::filesystem::path Session::DefaultListFile(int g) const {
  if (!state_.table.Valid(g)) return {};
  return UserListPath(dir_, state_.table.Group(g).BaseName());
}

bool Session::AddMark(int g, int row) {
  if (!state_.table.Valid(g)) return false;
  LoadedGroup& group = groups_[Slot(g)];
  if (group.groupNumber != g || row < 0 || static_cast<std::size_t>(row) >= group.userList.size()) return false;
  group.userList[static_cast<std::size_t>(row)] = 1;
  listChanged_[Slot(g)] = true;
  if (g == current_ && viewMode_ == kViewUserList) BuildViewList();
  return true;
}

int Session::ExactRow(int g, std::u16string_view text) const {
  if (!state_.table.Valid(g) || Group(g).groupNumber != g) return -1;
  const auto rows = ExactRows(LookupKey(text, Group(g).codePage), Group(g));
  return rows.empty() ? -1 : static_cast<int>(rows.front());
}

bool Session::MarkInDefaultList(int g, int row) {
  if (!state_.table.Valid(g)) return false;
  LoadedGroup& group = groups_[Slot(g)];
  if (group.groupNumber != g || row < 0 || row >= group.EntryCount()) return false;
  NotepadARRAY marks(group.entries.size(), 0);
  const auto path = DefaultListFile(g);
  if (auto file = ReadNotepadFile(ResolveCaseInsensitive(path)); file && file->group == g)
    ApplyNotepadFile(*file, group, marks);
  marks[static_cast<std::size_t>(row)] = 1;
  if (!SaveNotepadFile(group, marks, path)) return false;
  group.userList = std::move(marks);
  listChanged_[Slot(g)] = false;
  return true;
}

void Session::SaveDefaultList(int g) {
  listChanged_[Slot(g)] = false;
  const LoadedGroup& group = Group(g);
  if (group.entries.empty() || group.groupNumber != g) return;
  SaveNotepadFile(group, group.userList, DefaultListFile(g));  // silent, as at every reload and exit
}

void Session::ClearList() {
  auto& marks = groups_[Slot(current_)].userList;
  std::fill(marks.begin(), marks.end(), 0);
  listChanged_[Slot(current_)] = true;
  if (viewMode_ == kViewUserList) BuildViewList();
}

const NotepadARRAY& Session::ListOfView(int viewMode) const {
  const LoadedGroup& group = Current();
  if (viewMode == kViewGameList) return group.gameList;
  if (viewMode == kViewSearchList) return group.searchList;
  return group.userList;
}

bool Session::SaveList(const std::filesystem::path& path) const {
  return SaveNotepadFile(Current(), ListOfView(viewMode_), path);
}

ListLoad Session::LoadList(const std::filesystem::path& path) {
  ListLoad result;
  const auto file = ReadNotepadFile(path);
  if (!file) return result;
  result.group = file->group;
  if (state_.table.Valid(file->group)) {
    LoadedGroup& group = groups_[Slot(file->group)];
    if (group.loaded && group.groupNumber == file->group) {
      ApplyNotepadFile(*file, group, group.userList);
      listChanged_[Slot(file->group)] = true;
      result.loaded = true;
    }
  }
  result.switchGroup = result.loaded && file->group != current_ && Listed(file->group);
  if (viewMode_ == kViewUserList) BuildViewList();
  return result;
}

std::shared_ptr<const LoadedGroup> Session::Snapshot(int g) const {
  return std::make_shared<const LoadedGroup>(Group(g));
}

}  // namespace lexmora
