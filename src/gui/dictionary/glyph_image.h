// Glyphs stored in data files as Windows bitmap images, turned into pixmaps.
#pragma once

#include <QPixmap>

#include <string_view>

namespace lexmora::gui {

// The bitmap image as a pixmap; its bottom-left pixel's colour is
// transparent, as for tool-button glyphs. A null pixmap when the bytes are
// empty or no bitmap.
QPixmap GlyphPixmap(std::string_view bitmapImage, bool transparent = true);

}  // namespace lexmora::gui
