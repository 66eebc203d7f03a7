// The choice of a game's words from the current group or list: which
// entries are game words, the record of a word, and the draw of free words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dictionary/article_reader.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "game/game_article.h"

namespace lexmora {

class GameRandom;

// What is known of each entry of a group: kUnknown until its article has
// been read, then kNotGameWord or kGameWord.
using GameWordTable = std::vector<std::uint8_t>;
enum GameWordMark : std::uint8_t { kUnknown = 0, kNotGameWord = 1, kGameWord = 2 };

// Reads every article of a group in file order and records which entries
// are game words: the whole table at once, for a worker thread.
GameWordTable ScanGameWords(const LoadedGroup& group);

// The words of one loaded group as the game reads them. Each article is
// read at most once: the answers are kept in the table given (or in one of
// its own), which stays valid for as long as the group is not reloaded.
class GameWordSource {
 public:
  GameWordSource(const LoadedGroup& group, ArticleReader& reader, GameWordTable* table = nullptr);

  const LoadedGroup& Group() const { return group_; }
  int WordCount() const { return group_.EntryCount(); }
  // Whether the word's article holds a game section.
  bool IsGameWord(int position);
  // The word's record; one of several game sections is drawn at random.
  GameWordInfoRecord MakeGameWord(int position, GameRandom& random);

 private:
  const LoadedGroup& group_;
  ArticleReader& reader_;
  GameWordTable own_;
  GameWordTable& table_;
};

// The list a game draws from: the whole group in view 0, the entries of
// the view list in views 1..3.
struct GameWordScope {
  int viewMode = kViewFull;
  const ViewList* viewList = nullptr;
};

// The free and used words of one choice.
class FreeWordSet {
 public:
  void Assign(std::size_t size, bool free);
  void Set(std::size_t i, bool free);
  bool IsFree(std::size_t i) const { return i < size_ && (bits_[i / 64] >> (i % 64) & 1u) != 0; }
  std::size_t Size() const { return size_; }
  std::size_t FreeCount() const { return free_; }
  // The first free position at or after start; Size() when there is none.
  std::size_t NextFree(std::size_t start) const;

 private:
  std::vector<std::uint64_t> bits_;     // one bit per word, 1 = free
  std::vector<std::uint64_t> summary_;  // one bit per word of bits_, 1 = it has a free bit
  std::size_t size_ = 0;
  std::size_t free_ = 0;
};

class GameWordChooser {
 public:
  GameWordChooser(GameWordSource& source, GameRandom& random, GameWordScope scope);

  // The first free word from start on (from 0 when none is free after it),
  // marked used. When no word is free at all the marks are reset first: in
  // view 0 every word becomes free, in views 1..3 the words of the view list
  // do. -1 when not one word is free even then (an empty list).
  int PickFreeWord(int start);
  bool Used(int position) const { return !free_.IsFree(static_cast<std::size_t>(position)); }

  // Fills `count` words (records only when asked for) and one mark per
  // entry of the group for the words found. Each word takes up to N draws
  // (N the group's word count); when none of them finds a game word the
  // remaining words repeat the earlier ones in order. False when not one
  // game word is found.
  bool ChooseGameWords(bool withRecords, int count, std::vector<GameWordInfoRecord>& words, NotepadARRAY& marks);

 private:
  void Reset();

  GameWordSource& source_;
  GameRandom& random_;
  GameWordScope scope_;
  FreeWordSet free_;
};

}  // namespace lexmora
