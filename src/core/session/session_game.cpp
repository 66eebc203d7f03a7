// The game side of the working state: the Game Auto List of view 2, the
// game words of the current group or list, and the set-up of a game.
#include "session/session.h"

namespace lexmora {

GameWordSource Session::CurrentGameWords() {
  const std::size_t slot = Slot(current_);
  if (!readers_[slot]) readers_[slot] = std::make_unique<ArticleReader>(groups_[slot]);
  return GameWordSource(groups_[slot], *readers_[slot], &gameWordTables_[slot]);
}

void Session::BuildGameView() {
  MakeGameAutoList();
  BuildViewList();
}

bool Session::MakeGameAutoList() {
  LoadedGroup& group = groups_[Slot(current_)];
  if (group.entries.empty()) return false;
  GameWordSource words = CurrentGameWords();
  return lexmora::MakeGameAutoList(game_, gamePictures_, words, viewList_, group.gameList);
}

int Session::GameWordCount() const {
  return viewMode_ == kViewFull ? Current().EntryCount() : static_cast<int>(viewList_.size());
}

bool Session::IsGameWord(int entry) { return CurrentGameWords().IsGameWord(entry); }

GameWordInfoRecord Session::MakeGameWord(int entry) { return CurrentGameWords().MakeGameWord(entry, *game_.random); }

GameSetUpResult Session::SetUpGame(int p, int b) {
  if (Current().entries.empty() || GameWordCount() <= 0) return GameSetUpResult::NoWords;
  GameWordSource words = CurrentGameWords();
  return lexmora::SetUpGame(game_, gamePictures_, words, GameWordScope{viewMode_, &viewList_}, p, b);
}

void Session::SetGameWordTable(int g, std::uint64_t loadCount, GameWordTable table) {
  if (!state_.table.Valid(g) || loadCount != loadCounts_[Slot(g)] || table.size() != Group(g).entries.size()) return;
  gameWordTables_[Slot(g)] = std::move(table);
}

}  // namespace lexmora
