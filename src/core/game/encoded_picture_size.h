// The width and height a picture file states in its header, read without
// decoding it: the game's bases hold encoded files, and a front end without
// an image library still tells their sizes.
#pragma once

#include <string_view>

namespace lexmora {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// The size of a picture file of the given base type: for a Windows bitmap
// (type 1) the one its info header gives, provided the header is whole, the
// pixel format one a bitmap reader knows and, when uncompressed, the pixel
// rows all inside the file; for a JPEG file (type 2) the one of its first
// frame header, found by walking the marker segments from the start. 0, 0
// for any other type and whenever the bytes do not give a size.
PictureSize EncodedPictureSize(std::string_view file, int type);

}  // namespace lexmora
