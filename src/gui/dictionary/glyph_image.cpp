#include "glyph_image.h"

#include <QBitmap>
#include <QImage>

namespace lexmora::gui {

QPixmap GlyphPixmap(std::string_view bitmapImage, bool transparent) {
  if (bitmapImage.size() < 26) return {};
  QImage image;
  if (!image.loadFromData(reinterpret_cast<const uchar*>(bitmapImage.data()), static_cast<int>(bitmapImage.size()),
                          "BMP"))
    return {};
  QPixmap pixmap = QPixmap::fromImage(image);
  if (transparent && image.width() > 0 && image.height() > 0) {
    const QColor key = image.pixelColor(0, image.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(key, Qt::MaskInColor));
  }
  return pixmap;
}

}  // namespace lexmora::gui
