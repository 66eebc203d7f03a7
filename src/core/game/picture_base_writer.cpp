#include "game/picture_base_writer.h"

#include <limits>
#include <system_error>

#include "dictionary/file_io.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

constexpr std::uint64_t kMaxField = std::numeric_limits<std::uint32_t>::max();

template <std::size_t N>
void AppendScrambled(std::string& out, const std::array<std::uint8_t, N>& bytes) {
  const std::size_t at = out.size();
  out.append(reinterpret_cast<const char*>(bytes.data()), N);
  XorBytes(out.data() + at, N, DataKey);
}

void AppendScrambled(std::string& out, std::string_view block) {
  const std::size_t at = out.size();
  out.append(block);
  XorBytes(out.data() + at, block.size(), DataKey);
}

bool WriteBase(const fs::path& dir, std::string_view indexName, std::string_view dataName,
               const PictureBaseImage& image) {
  const fs::path folder = dir / kGameFolderName;
  std::error_code ec;
  fs::create_directories(folder, ec);
  // The data file first: an index written over an old one never points
  // into a data file that is not there yet.
  return WriteFileAtomically(folder / dataName, image.data) && WriteFileAtomically(folder / indexName, image.index);
}

}  // namespace

std::string RegionPointBlock(const std::vector<RegionPoint>& points) {
  std::string block(points.size() * 8, '\0');
  auto* p = reinterpret_cast<std::uint8_t*>(block.data());
  for (const RegionPoint& point : points) {
    PutU32(p, static_cast<std::uint32_t>(point.x));
    PutU32(p + 4, static_cast<std::uint32_t>(point.y));
    p += 8;
  }
  return block;
}

std::optional<PictureBaseImage> RegionPictureBaseImage(const std::vector<RegionPictureSource>& pictures) {
  PictureBaseImage image;
  for (const RegionPictureSource& source : pictures) {
    const std::string block = RegionPointBlock(source.points);
    if (block.size() > kMaxField || source.picture.size() > kMaxField ||
        image.data.size() + block.size() + source.picture.size() > kMaxField) {
      return std::nullopt;
    }
    RegionPictureRecord record;
    record.SetType(source.type);
    record.SetBorderColour(source.borderColour);
    record.SetTransparentColour(source.transparentColour);
    record.SetOffset(static_cast<std::uint32_t>(image.data.size()));
    record.SetRegionCount(source.regionCount ? *source.regionCount : static_cast<std::uint32_t>(source.points.size()));
    record.SetPointBytes(static_cast<std::uint32_t>(block.size()));
    record.SetPictureBytes(static_cast<std::uint32_t>(source.picture.size()));
    AppendScrambled(image.index, record.bytes);
    AppendScrambled(image.data, block);
    AppendScrambled(image.data, source.picture);
  }
  return image;
}

std::optional<PictureBaseImage> BackgroundBaseImage(const std::vector<BackgroundSource>& backgrounds) {
  PictureBaseImage image;
  for (const BackgroundSource& source : backgrounds) {
    if (image.data.size() + source.picture.size() > kMaxField) return std::nullopt;
    BackgroundPictureRecord record;
    record.SetType(source.type);
    record.SetOffset(static_cast<std::uint32_t>(image.data.size()));
    record.SetPictureBytes(static_cast<std::uint32_t>(source.picture.size()));
    AppendScrambled(image.index, record.bytes);
    AppendScrambled(image.data, source.picture);
  }
  return image;
}

bool WriteRegionPictureBase(const fs::path& dir, const PictureBaseImage& image) {
  return WriteBase(dir, kPictureIndexName, kPictureDataName, image);
}

bool WriteBackgroundBase(const fs::path& dir, const PictureBaseImage& image) {
  return WriteBase(dir, kBackgroundIndexName, kBackgroundDataName, image);
}

}  // namespace lexmora
