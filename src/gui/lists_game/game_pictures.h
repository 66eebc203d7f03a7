// The game's pictures in memory: the region picture and the background of
// the picture bases in the program folder's GAME folder, decoded with
// QImage, the fills of answered regions, and the picture the game window
// paints.
#pragma once

#include <QImage>

#include <filesystem>
#include <vector>

#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/picture_bases.h"

namespace lexmora::gui {

class GamePictureSet : public GamePictures {
 public:
  // The record counts of both bases are taken once, here.
  explicit GamePictureSet(std::filesystem::path programDir);

  int PictureCount() const override { return pictureCount_; }
  int BackgroundCount() const override { return backgroundCount_; }
  bool LoadGamePicture(int p) override;
  bool LoadGameBackground(int b) override;
  int RegionCount() const override { return loaded_ ? static_cast<int>(record_.RegionCount()) : 0; }

  // Colours a region as the game asks: the record's transparent colour for
  // a right answer (the background shows through), the round's wrong-answer
  // colour for a wrong one; stops at the record's border colour.
  void Fill(const RegionFill& fill, const GameRound& round);

  // What the picture area shows at its size: the background stretched
  // over it and, unless only the background is to be shown, the region
  // picture stretched on top with its transparent colour let through.
  QImage Compose(const QSize& area, bool wholeBackground) const;

  const QImage& RegionPicture() const { return region_; }
  const QImage& Background() const { return background_; }

 private:
  std::filesystem::path dir_;
  int pictureCount_ = 0;
  int backgroundCount_ = 0;
  bool loaded_ = false;
  RegionPictureRecord record_;
  std::vector<RegionPoint> points_;
  QImage region_;      // ARGB32, opaque; filled regions change in place
  QImage background_;
};

}  // namespace lexmora::gui
