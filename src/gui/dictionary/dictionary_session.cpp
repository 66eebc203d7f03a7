#include "dictionary_session.h"

#include <algorithm>

namespace lexmora::gui {

DictionarySession::DictionarySession(std::filesystem::path programDir)
    : dir_(std::move(programDir)), state_(lexmora::LoadGroupTable(dir_)) {}

DictionarySession::~DictionarySession() = default;

std::vector<int> DictionarySession::ListedGroups() const {
  std::vector<int> out;
  for (int g = 1; g <= state_.table.count; ++g)
    if (state_.available.count(g)) out.push_back(g);
  return out;
}

void DictionarySession::LoadAllGroups() {
  for (auto& group : groups_) group = LoadedGroup{};
  for (auto& reader : readers_) reader.reset();
  current_ = 1;
  for (int g : ListedGroups()) LoadGroup(g);
}

void DictionarySession::LoadGroup(int g) {
  if (!state_.table.Valid(g)) return;
  const std::size_t slot = Slot(g);
  readers_[slot].reset();  // it refers to the group being replaced
  DictGroupRecord& record = state_.table.Group(g);
  groups_[slot] = lexmora::LoadGroup(dir_, state_.table, g, record.Enabled());
  LoadedGroup& group = groups_[slot];
  group.userList.resize(group.entries.size(), 0);
  group.gameList.assign(group.entries.size(), 0);
  group.searchList.assign(group.entries.size(), 0);
  record.SetLoaded(group.loaded);
  readers_[slot] = std::make_unique<ArticleReader>(group);
}

bool DictionarySession::Close() {
  for (int g = 1; g <= GroupTable::kMaxGroups; ++g) {
    LoadedGroup& group = groups_[Slot(g)];
    readers_[Slot(g)].reset();
    if (!group.entries.empty() && state_.table.Valid(g)) state_.table.Group(g).SetLoaded(false);
    group = LoadedGroup{};
  }
  current_ = 1;
  viewList_.clear();
  return SaveGroupTable(dir_, state_.table);
}

void DictionarySession::ToggleSubDict(int k) {
  if (!state_.table.Valid(current_)) return;
  DictGroupRecord& record = state_.table.Group(current_);
  SubDictSet set = record.Enabled();
  set.Set(k, !set.Contains(k));
  record.SetEnabled(set);
}

void DictionarySession::BuildViewList() {
  const NotepadARRAY* marks = MarksForView(Current(), viewMode_);
  viewList_ = marks ? lexmora::BuildViewList(*marks) : ViewList{};
}

bool DictionarySession::HasSearchResults(int g) const {
  const auto& marks = Group(g).searchList;
  return std::any_of(marks.begin(), marks.end(), [](std::uint8_t b) { return b != 0; });
}

int DictionarySession::RowCount() const {
  if (viewMode_ == kViewFull) return Current().EntryCount();
  return static_cast<int>(viewList_.size());
}

int DictionarySession::EntryForRow(int row) const {
  if (row < 0) return -1;
  int entry = row;
  if (viewMode_ != kViewFull) {
    if (static_cast<std::size_t>(row) >= viewList_.size()) return -1;
    entry = static_cast<int>(viewList_[static_cast<std::size_t>(row)]);
  }
  return entry < Current().EntryCount() ? entry : -1;
}

bool DictionarySession::UserMarked(int entry) const {
  const auto& marks = Current().userList;
  return entry >= 0 && static_cast<std::size_t>(entry) < marks.size() && marks[static_cast<std::size_t>(entry)] != 0;
}

int DictionarySession::LookupRow(std::u16string_view typed) const {
  const ViewList* list = viewMode_ == kViewFull ? nullptr : &viewList_;
  return ListWordChanged(typed, Current(), list);
}

std::string DictionarySession::ArticleText(int entry) {
  auto& reader = readers_[Slot(current_)];
  if (!reader || entry < 0 || entry >= Current().EntryCount()) return {};
  return reader->Read(entry);
}

bool DictionarySession::AddToList(int row, int action) {
  LoadedGroup& group = Current();
  auto& marks = group.userList;
  if (viewMode_ == kViewUserList && (action == 0 || action == 1)) {
    if (row < 0 || static_cast<std::size_t>(row) >= viewList_.size()) return false;
    const std::size_t entry = viewList_[static_cast<std::size_t>(row)];
    viewList_.erase(viewList_.begin() + row);
    if (entry < marks.size()) marks[entry] = action == 1 ? 0 : static_cast<std::uint8_t>(1 - (marks[entry] != 0));
    return true;
  }
  if (viewMode_ != kViewFull) return false;
  if (row < 0 || static_cast<std::size_t>(row) >= marks.size()) return false;
  auto& mark = marks[static_cast<std::size_t>(row)];
  switch (action) {
    case 0: mark = mark ? 0 : 1; break;
    case 1: mark = 0; break;
    default: mark = 1; break;
  }
  return false;
}

}  // namespace lexmora::gui
