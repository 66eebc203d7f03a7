#include "game/encoded_picture_size.h"

#include <gtest/gtest.h>

#include "dictionary/byte_io.h"
#include "game/picture_bases.h"
#include "support/bytes.h"

namespace lexmora {
namespace {

using test::Bytes;

// A bitmap file with a 40-byte info header and rows of zeros.
std::string Bitmap(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression = 0) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width < 0 ? 0 : width) * bits + 31) / 32 * 4;
  const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
  const std::uint32_t palette = bits <= 8 ? 4u << bits : 0;
  std::string file(54 + palette + rowBytes * rows, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(file.data());
  p[0] = 'B';
  p[1] = 'M';
  PutU32(p + 2, static_cast<std::uint32_t>(file.size()));
  PutU32(p + 10, 54 + palette);
  PutU32(p + 14, 40);
  PutU32(p + 18, static_cast<std::uint32_t>(width));
  PutU32(p + 22, static_cast<std::uint32_t>(height));
  PutU16(p + 26, 1);
  PutU16(p + 28, static_cast<std::uint16_t>(bits));
  PutU32(p + 30, compression);
  return file;
}

// FF D8, a JFIF segment, a quantisation table, then a frame header of the
// given marker and size, a scan and the end.
std::string Jpeg(int frameMarker, int width, int height) {
  std::string j = Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10});
  j += std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14);
  j += Bytes({0xFF, 0xDB, 0x00, 0x43, 0x00}) + std::string(64, '\x01');
  j += Bytes({0xFF, frameMarker, 0x00, 0x0B, 0x08, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 0x01,
              0x01, 0x11, 0x00});
  j += Bytes({0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x12, 0x34, 0xFF, 0xD9});
  return j;
}

TEST(EncodedPictureSize, BitmapSizesComeFromTheInfoHeader) {
  EXPECT_EQ(EncodedPictureSize(Bitmap(550, 300, 24), kPictureTypeBitmap), (PictureSize{550, 300}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(3, 2, 8), kPictureTypeBitmap), (PictureSize{3, 2}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(17, 5, 1), kPictureTypeBitmap), (PictureSize{17, 5}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(4, 4, 32, 3), kPictureTypeBitmap), (PictureSize{4, 4}));
  // Rows stored from the top: a negative height.
  EXPECT_EQ(EncodedPictureSize(Bitmap(7, -9, 24), kPictureTypeBitmap), (PictureSize{7, 9}));
  // Run-length data is not measured against the file.
  std::string rle = Bitmap(100, 100, 8, 1).substr(0, 54 + 1024 + 2);
  EXPECT_EQ(EncodedPictureSize(rle, kPictureTypeBitmap), (PictureSize{100, 100}));
}

TEST(EncodedPictureSize, OldCoreHeaderBitmap) {
  std::string file(14 + 12 + 3 * 4 * 2, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(file.data());
  p[0] = 'B';
  p[1] = 'M';
  PutU32(p + 10, 26);
  PutU32(p + 14, 12);
  PutU16(p + 18, 3);
  PutU16(p + 20, 2);
  PutU16(p + 22, 1);
  PutU16(p + 24, 24);
  EXPECT_EQ(EncodedPictureSize(file, kPictureTypeBitmap), (PictureSize{3, 2}));
  EXPECT_EQ(EncodedPictureSize(file.substr(0, 25), kPictureTypeBitmap), (PictureSize{}));
}

TEST(EncodedPictureSize, BitmapsThatCannotDecodeGiveNoSize) {
  const std::string good = Bitmap(10, 10, 24);
  EXPECT_EQ(EncodedPictureSize(good.substr(0, good.size() - 1), kPictureTypeBitmap), (PictureSize{}));  // rows cut
  EXPECT_EQ(EncodedPictureSize(good.substr(0, 40), kPictureTypeBitmap), (PictureSize{}));  // header cut
  EXPECT_EQ(EncodedPictureSize("", kPictureTypeBitmap), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize("BM", kPictureTypeBitmap), (PictureSize{}));
  std::string notBm = good;
  notBm[1] = 'A';
  EXPECT_EQ(EncodedPictureSize(notBm, kPictureTypeBitmap), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(0, 10, 24), kPictureTypeBitmap), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(10, 0, 24), kPictureTypeBitmap), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(-4, 10, 24), kPictureTypeBitmap), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(4, 4, 12), kPictureTypeBitmap), (PictureSize{}));     // no such depth
  EXPECT_EQ(EncodedPictureSize(Bitmap(4, 4, 24, 1), kPictureTypeBitmap), (PictureSize{}));  // RLE8 needs 8 bits
  EXPECT_EQ(EncodedPictureSize(Bitmap(4, 4, 24, 4), kPictureTypeBitmap), (PictureSize{}));  // JPEG inside
  // A height of -2^31 has no positive counterpart.
  std::string lowest = Bitmap(1, 1, 24);
  PutU32(reinterpret_cast<std::uint8_t*>(lowest.data()) + 22, 0x80000000u);
  EXPECT_EQ(EncodedPictureSize(lowest, kPictureTypeBitmap), (PictureSize{}));
  // Huge sizes whose rows the file cannot hold.
  std::string huge = Bitmap(1, 1, 24);
  PutU32(reinterpret_cast<std::uint8_t*>(huge.data()) + 18, 0x7FFFFFFFu);
  PutU32(reinterpret_cast<std::uint8_t*>(huge.data()) + 22, 0x7FFFFFFFu);
  EXPECT_EQ(EncodedPictureSize(huge, kPictureTypeBitmap), (PictureSize{}));
  // A pixel offset beyond the file.
  std::string farOffset = Bitmap(2, 2, 24);
  PutU32(reinterpret_cast<std::uint8_t*>(farOffset.data()) + 10, 0xFFFFFFF0u);
  EXPECT_EQ(EncodedPictureSize(farOffset, kPictureTypeBitmap), (PictureSize{}));
}

TEST(EncodedPictureSize, JpegSizeComesFromTheFirstFrameHeader) {
  EXPECT_EQ(EncodedPictureSize(Jpeg(0xC0, 550, 300), kPictureTypeJpeg), (PictureSize{550, 300}));
  EXPECT_EQ(EncodedPictureSize(Jpeg(0xC2, 65535, 1), kPictureTypeJpeg), (PictureSize{65535, 1}));  // progressive
  EXPECT_EQ(EncodedPictureSize(Jpeg(0xC1, 640, 480), kPictureTypeJpeg), (PictureSize{640, 480}));
  // Fill bytes before a marker and a restart marker between segments.
  std::string filled = Jpeg(0xC0, 12, 34);
  filled.insert(2, Bytes({0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(EncodedPictureSize(filled, kPictureTypeJpeg), (PictureSize{12, 34}));
  std::string restart = Jpeg(0xC0, 5, 6);
  restart.insert(2, Bytes({0xFF, 0xD0}));
  EXPECT_EQ(EncodedPictureSize(restart, kPictureTypeJpeg), (PictureSize{5, 6}));
}

TEST(EncodedPictureSize, JpegsWithoutAReadableFrameHeaderGiveNoSize) {
  const std::string good = Jpeg(0xC0, 550, 300);
  const std::size_t frame = good.find(Bytes({0xFF, 0xC0}));
  ASSERT_NE(frame, std::string::npos);
  EXPECT_EQ(EncodedPictureSize(good.substr(0, frame + 8), kPictureTypeJpeg), (PictureSize{}));  // frame cut
  EXPECT_EQ(EncodedPictureSize(good.substr(0, frame), kPictureTypeJpeg), (PictureSize{}));
  // DHT (C4), JPG (C8) and DAC (CC) are not frame headers.
  for (int marker : {0xC4, 0xC8, 0xCC}) {
    EXPECT_EQ(EncodedPictureSize(Jpeg(marker, 550, 300), kPictureTypeJpeg), (PictureSize{})) << marker;
  }
  // A scan before any frame header.
  std::string scanFirst = Bytes({0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02}) + good.substr(2);
  EXPECT_EQ(EncodedPictureSize(scanFirst, kPictureTypeJpeg), (PictureSize{}));
  // A segment length running past the end, a length below 2, garbage
  // between segments, a height given later in the file.
  std::string longSegment = good;
  longSegment[4] = '\x7F';
  EXPECT_EQ(EncodedPictureSize(longSegment, kPictureTypeJpeg), (PictureSize{}));
  std::string shortLength = good;
  shortLength[4] = 0;
  shortLength[5] = 1;
  EXPECT_EQ(EncodedPictureSize(shortLength, kPictureTypeJpeg), (PictureSize{}));
  std::string garbage = good;
  garbage.insert(2, "x");
  EXPECT_EQ(EncodedPictureSize(garbage, kPictureTypeJpeg), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Jpeg(0xC0, 550, 0), kPictureTypeJpeg), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bytes({0xFF, 0xD8, 0xFF, 0xFF}), kPictureTypeJpeg), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bytes({0xFF, 0xD8, 0xFF, 0xD9}), kPictureTypeJpeg), (PictureSize{}));
}

TEST(EncodedPictureSize, TheTypeDecidesTheFormat) {
  EXPECT_EQ(EncodedPictureSize(Jpeg(0xC0, 550, 300), kPictureTypeBitmap), (PictureSize{}));
  EXPECT_EQ(EncodedPictureSize(Bitmap(5, 5, 24), kPictureTypeJpeg), (PictureSize{}));
  for (int type : {0, 3, 255, -1}) {
    EXPECT_EQ(EncodedPictureSize(Bitmap(5, 5, 24), type), (PictureSize{})) << type;
    EXPECT_EQ(EncodedPictureSize(Jpeg(0xC0, 5, 5), type), (PictureSize{})) << type;
  }
}

}  // namespace
}  // namespace lexmora
