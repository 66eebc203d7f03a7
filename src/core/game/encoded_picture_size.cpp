#include "game/encoded_picture_size.h"

#include <cstdint>

#include "dictionary/byte_io.h"
#include "game/picture_bases.h"

namespace lexmora {

namespace {

constexpr std::size_t kBitmapFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER
constexpr std::uint32_t kInfoHeaderSize = 40;  // BITMAPINFOHEADER and its longer versions

// Compression values of the info header.
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitFields = 3;

const std::uint8_t* Bytes(std::string_view s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }

std::uint16_t BigEndian16(const std::uint8_t* p) { return static_cast<std::uint16_t>((p[0] << 8) | p[1]); }

PictureSize BitmapSize(std::string_view file) {
  if (file.size() < kBitmapFileHeaderSize + 4 || file.substr(0, 2) != "BM") return {};
  const std::uint8_t* p = Bytes(file);
  const std::uint32_t pixelOffset = GetU32(p + 10);
  const std::uint32_t headerSize = GetU32(p + 14);
  std::int64_t width = 0, height = 0;
  std::uint32_t bits = 0, compression = kBiRgb;
  if (headerSize == kCoreHeaderSize) {
    if (file.size() < kBitmapFileHeaderSize + kCoreHeaderSize) return {};
    width = GetU16(p + 18);
    height = GetU16(p + 20);
    bits = GetU16(p + 24);
  } else if (headerSize >= kInfoHeaderSize) {
    if (file.size() - kBitmapFileHeaderSize < headerSize) return {};
    width = static_cast<std::int32_t>(GetU32(p + 18));
    height = static_cast<std::int32_t>(GetU32(p + 22));  // below 0: rows stored from the top
    bits = GetU16(p + 28);
    compression = GetU32(p + 30);
  } else {
    return {};
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || height > INT32_MAX) return {};
  switch (compression) {
    case kBiRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return {};
      break;
    case kBiRle8:
      if (bits != 8) return {};
      break;
    case kBiRle4:
      if (bits != 4) return {};
      break;
    case kBiBitFields:
      if (bits != 16 && bits != 32) return {};
      break;
    default:
      return {};  // JPEG or PNG inside a bitmap, or unknown
  }
  if (compression == kBiRgb || compression == kBiBitFields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
    if (pixelOffset > file.size() || rowBytes * static_cast<std::uint64_t>(height) > file.size() - pixelOffset) {
      return {};
    }
  } else if (pixelOffset >= file.size()) {
    return {};
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

// Start-of-frame markers: C0..CF except DHT (C4), JPG (C8) and DAC (CC).
bool IsFrameMarker(std::uint8_t m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

PictureSize JpegSize(std::string_view file) {
  const std::uint8_t* p = Bytes(file);
  const std::size_t n = file.size();
  if (n < 4 || p[0] != 0xFF || p[1] != 0xD8) return {};
  std::size_t i = 2;
  while (i < n) {
    if (p[i] != 0xFF) return {};  // a segment must start with a marker
    while (i < n && p[i] == 0xFF) ++i;  // fill bytes
    if (i >= n) return {};
    const std::uint8_t marker = p[i++];
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (marker == 0xD9 || marker == 0xDA) return {};  // image end or scan before any frame header
    if (n - i < 2) return {};
    const std::size_t length = BigEndian16(p + i);
    if (length < 2 || length > n - i) return {};
    if (IsFrameMarker(marker)) {
      // Length, precision, height, width, component count.
      if (length < 8) return {};
      const int height = BigEndian16(p + i + 3);
      const int width = BigEndian16(p + i + 5);
      if (width == 0 || height == 0) return {};  // a height given only after the scan
      return {width, height};
    }
    i += length;
  }
  return {};
}

}  // namespace

PictureSize EncodedPictureSize(std::string_view file, int type) {
  if (type == kPictureTypeBitmap) return BitmapSize(file);
  if (type == kPictureTypeJpeg) return JpegSize(file);
  return {};
}

}  // namespace lexmora
