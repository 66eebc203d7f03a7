#include "game/game_setup.h"

#include <algorithm>
#include <numeric>

namespace lexmora {

namespace {

int PlayableRegions(const GamePictures& pictures) {
  const int r = pictures.RegionCount();
  return r > 0 && r <= kMaxGameRegions ? r : 0;
}

// Loads picture p; when the picture in memory then has no regions, the
// pictures after p in turn (wrapping round). The index of the picture
// played, -1 when none has regions.
int LoadPlayablePicture(GamePictures* pictures, int p) {
  if (!pictures) return -1;
  pictures->LoadGamePicture(p);  // a failed read keeps the picture in memory
  if (PlayableRegions(*pictures) > 0) return p;
  const int count = pictures->PictureCount();
  for (int i = 1; i < count; ++i) {
    const int q = static_cast<int>((static_cast<std::int64_t>(p) + i) % count);
    if (pictures->LoadGamePicture(q) && PlayableRegions(*pictures) > 0) return q;
  }
  return -1;
}

}  // namespace

int DrawRange(int count, std::int64_t numerator, std::int64_t denominator) {
  if (count <= 0 || numerator <= 0 || denominator <= 0) return 1;
  const std::int64_t product = static_cast<std::int64_t>(count) * numerator;
  std::int64_t n = product / denominator;
  const std::int64_t twice = 2 * (product % denominator);
  if (twice > denominator || (twice == denominator && n % 2 != 0)) ++n;
  return n < 1 ? 1 : static_cast<int>(n);
}

std::vector<std::int32_t> MakeRegionOrder(int regions, GameRandom& random) {
  std::vector<std::int32_t> order(static_cast<std::size_t>(std::max(regions, 0)), 0);
  for (int q = 1; q <= regions; ++q) {
    int k = random.Uniform(regions - q + 1);  // the (k + 1)-th empty slot
    for (auto& slot : order) {
      if (slot != 0) continue;
      if (k-- == 0) {
        slot = q;
        break;
      }
    }
  }
  return order;
}

GameSetUpResult SetUpGame(GameData& game, GamePictures* pictures, GameWordSource& source, GameWordScope scope, int p,
                          int b) {
  GameRandom& random = *game.random;
  const int c = source.WordCount();
  const bool fromList = scope.viewMode != kViewFull && scope.viewList;
  const std::int64_t d = fromList ? static_cast<std::int64_t>(scope.viewList->size()) : c;
  const int pictureCount = pictures ? pictures->PictureCount() : 0;
  const int backgroundCount = pictures ? pictures->BackgroundCount() : 0;
  if (p < 0) p = random.Uniform(DrawRange(pictureCount, d, c));
  if (b < 0) b = random.Uniform(DrawRange(backgroundCount, d, c));
  const int played = LoadPlayablePicture(pictures, p);
  if (pictures) pictures->LoadGameBackground(b);  // a failed read keeps the background in memory

  GameRound& round = game.round;
  round = GameRound{};
  round.group = source.Group().groupNumber;
  round.wrongAnswerColour = kWrongAnswerColour;
  if (played < 0) return GameSetUpResult::NoRegions;
  const int regions = PlayableRegions(*pictures);
  round.regionOrder = MakeRegionOrder(regions, random);
  GameWordChooser chooser(source, random, scope);
  NotepadARRAY scratch;
  if (!chooser.ChooseGameWords(true, regions, round.words, scratch)) {
    round.words.clear();
    round.regionOrder.clear();
    return GameSetUpResult::NoWords;
  }
  return GameSetUpResult::Ready;
}

bool MakeGameAutoList(GameData& game, GamePictures* pictures, GameWordSource& source, ViewList& viewList,
                      NotepadARRAY& gameList) {
  const int n = source.WordCount();
  if (n <= 0) return false;
  GameRandom& random = *game.random;
  game.round.group = source.Group().groupNumber;
  const int pictureCount = pictures ? pictures->PictureCount() : 0;
  const int backgroundCount = pictures ? pictures->BackgroundCount() : 0;
  const int p = random.Uniform(DrawRange(pictureCount, 2, 5));
  const int b = random.Uniform(DrawRange(backgroundCount, 2, 5));
  const int played = LoadPlayablePicture(pictures, p);
  // A picture without regions is not remembered: the next games would
  // have nothing to play on it.
  if (played < 0) return false;
  game.RememberedPicture = played;
  game.RememberedBackground = b;
  viewList.resize(static_cast<std::size_t>(n));
  std::iota(viewList.begin(), viewList.end(), 0u);
  GameWordChooser chooser(source, random, GameWordScope{kViewGameList, &viewList});
  std::vector<GameWordInfoRecord> words;
  NotepadARRAY marks;
  chooser.ChooseGameWords(false, PlayableRegions(*pictures), words, marks);
  gameList = std::move(marks);
  game.AutoListMade = true;
  return true;
}

}  // namespace lexmora
