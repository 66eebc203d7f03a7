#include "game_pictures.h"

#include <QPainter>

#include "game/flood_fill.h"

namespace lexmora::gui {

namespace {

QImage Decode(const std::string& bytes, int type) {
  const char* format = type == 1 ? "BMP" : type == 2 ? "JPG" : nullptr;
  if (!format) return {};
  QImage image;
  image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()), format);
  return image;
}

}  // namespace

GamePictureSet::GamePictureSet(std::filesystem::path programDir)
    : dir_(std::move(programDir)),
      pictureCount_(lexmora::PictureCount(dir_)),
      backgroundCount_(lexmora::BackgroundCount(dir_)) {}

bool GamePictureSet::LoadGamePicture(int p) {
  auto picture = lexmora::LoadGamePicture(dir_, p);
  if (!picture) return false;
  record_ = picture->record;
  points_ = std::move(picture->points);
  loaded_ = true;
  // Another type, or bytes that do not decode, keep the former picture.
  QImage image = Decode(picture->picture, record_.Type());
  if (!image.isNull()) {
    // Pixels of the transparent colour let the background through: they
    // get alpha 0 once here, and right answers paint that colour the same
    // way, so painting needs no keyed copy.
    region_ = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = RecordColourToPixel(record_.TransparentColour()) & 0x00FFFFFFu;
    for (int y = 0; y < region_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(region_.scanLine(y));
      for (int x = 0; x < region_.width(); ++x)
        if ((line[x] & 0x00FFFFFFu) == transparent) line[x] = transparent;
    }
  }
  return true;
}

bool GamePictureSet::LoadGameBackground(int b) {
  auto background = lexmora::LoadGameBackground(dir_, b);
  if (!background) return false;
  QImage image = Decode(background->picture, background->record.Type());
  if (!image.isNull()) background_ = image.convertToFormat(QImage::Format_ARGB32);
  return true;
}

void GamePictureSet::Fill(const RegionFill& fill, const GameRound& round) {
  if (region_.isNull() || fill.region < 1 || static_cast<std::size_t>(fill.region) > points_.size()) return;
  const RegionPoint point = points_[static_cast<std::size_t>(fill.region - 1)];
  PixelView view{reinterpret_cast<std::uint32_t*>(region_.bits()), region_.width(), region_.height(),
                 static_cast<int>(region_.bytesPerLine() / 4)};
  const std::uint32_t colour = fill.right ? record_.TransparentColour() : round.wrongAnswerColour;
  // JPEG outlines are blurred: a small tolerance keeps them closed.
  const int tolerance = record_.Type() == 2 ? 48 : 0;
  // The cross-hatch of the second pass comes out two pixels wide from the fill itself.
  std::uint32_t pixel = RecordColourToPixel(colour);
  if (fill.right) pixel &= 0x00FFFFFFu;  // see-through
  FloodFill(view, point.x, point.y, RecordColourToPixel(record_.BorderColour()), pixel, fill.pattern, tolerance);
}

QImage GamePictureSet::Compose(const QSize& area, bool wholeBackground) const {
  QImage composite(area, QImage::Format_ARGB32);
  composite.fill(Qt::black);
  QPainter painter(&composite);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!background_.isNull()) painter.drawImage(QRect(QPoint(0, 0), area), background_);
  if (!wholeBackground && !region_.isNull()) painter.drawImage(QRect(QPoint(0, 0), area), region_);
  painter.end();
  return composite;
}

}  // namespace lexmora::gui
