// A game in memory and its set-up: the picture side as an interface, the
// region order, the words of the game, and the Game Auto List, which holds
// the words of the next game.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dictionary/lookup.h"
#include "game/game_article.h"
#include "game/game_random.h"
#include "game/game_words.h"

namespace lexmora {

// The two picture bases and the pictures in memory, as the set-up needs
// them. The program's picture module implements it; a missing base counts
// 0 records.
class GamePictures {
 public:
  virtual ~GamePictures() = default;
  virtual int PictureCount() const = 0;
  virtual int BackgroundCount() const = 0;
  // Load record p or b into memory; false when a read fails, and the
  // picture in memory then stays as it was.
  virtual bool LoadGamePicture(int p) = 0;
  virtual bool LoadGameBackground(int b) = 0;
  // R of the region picture record in memory: 0 before the first load.
  virtual int RegionCount() const = 0;
};

inline constexpr std::uint32_t kWrongAnswerColour = 0x00000000;  // black, 0x00BBGGRR

// The words and progress of the game in memory.
struct GameRound {
  int group = 0;                          // the dictionary group the words come from
  std::vector<std::int32_t> regionOrder;  // a permutation of 1..R: word i colours region regionOrder[i]
  std::vector<GameWordInfoRecord> words;  // one per region
  int position = 0;                       // the word asked, 0-based
  int solved = 0;
  int wrongAnswers = 0;
  std::uint32_t wrongAnswerColour = kWrongAnswerColour;
  bool finished = false;
  bool secondPass = false;

  int RegionCount() const { return static_cast<int>(words.size()); }
};

// The game's state for the whole run of the program.
struct GameData {
  explicit GameData(std::unique_ptr<GameRandom> generator = std::make_unique<GameRandom>(GameRandom::ClockSeed()))
      : random(std::move(generator)) {}

  GameRound round;
  // The picture and background the next games use (-1: drawn at random);
  // set by MakeGameAutoList.
  int RememberedPicture = -1;
  int RememberedBackground = -1;
  // Set by the first Game Auto List; the game window then closes after a
  // finished game.
  bool AutoListMade = false;
  std::unique_ptr<GameRandom> random;
};

// More regions than any picture of the game area can show: such a record is
// damaged and is not played.
inline constexpr int kMaxGameRegions = 1000;

// The n of a draw 0..n - 1 from `count` records scaled by numerator /
// denominator: rounded to the nearest integer, halves to the even one, and
// 1 when that is 0 (or when the denominator is not positive).
int DrawRange(int count, std::int64_t numerator, std::int64_t denominator);

// A uniform permutation of 1..regions: each q in turn goes into a random
// one of the slots still empty.
std::vector<std::int32_t> MakeRegionOrder(int regions, GameRandom& random);

enum class GameSetUpResult {
  Ready,      // the round holds a game
  NoRegions,  // no picture with regions could be loaded
  NoWords,    // not one game word in the group or list
};

// Prepares a game of the current group or list (scope) on picture p and
// background b, each drawn at random when below 0 from the part of its base
// that the list's share of the group gives. A picture without regions is
// never played: the other pictures are tried in turn after it.
GameSetUpResult SetUpGame(GameData& game, GamePictures* pictures, GameWordSource& source, GameWordScope scope, int p,
                          int b);

// The Game Auto List of a group: the words of the next game on a picture
// drawn from the first 40 % of the base, which the next games keep.
// viewList becomes every entry of the group while the words are drawn;
// the caller rebuilds it from gameList afterwards. False when nothing was
// made (no words, or no picture with regions).
bool MakeGameAutoList(GameData& game, GamePictures* pictures, GameWordSource& source, ViewList& viewList,
                      NotepadARRAY& gameList);

}  // namespace lexmora
