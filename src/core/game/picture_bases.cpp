#include "game/picture_bases.h"

#include <climits>
#include <memory>

#include "dictionary/file_names.h"
#include "io/file_system.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

fs::path GameFile(const fs::path& dir, std::string_view name) {
  return ResolveCaseInsensitive(dir / kGameFolderName / name);
}

// A base file opened for reading with its size taken once; every range is
// checked against that size before anything is allocated for it.
class BaseFile {
 public:
  explicit BaseFile(const fs::path& path) {
    int error = 0;
    file_ = io::Files().Open(path, io::OpenMode::Read, error);
    if (!file_) return;
    const io::Result size = file_->Size();
    if (size.ok()) size_ = size.count;
    else file_.reset();
  }

  bool open() const { return file_ != nullptr; }
  std::uint64_t size() const { return size_; }

  // The length bytes at offset, unscrambled; nullopt when they are not all
  // inside the file or cannot be read (the file may have shrunk meanwhile).
  std::optional<std::string> Read(std::uint64_t offset, std::uint64_t length) {
    if (!file_ || offset > size_ || length > size_ - offset) return std::nullopt;
    std::string data(static_cast<std::size_t>(length), '\0');
    const io::Result got = io::ReadFullyAt(*file_, offset, data.data(), data.size());
    if (!got.ok() || got.count != data.size()) return std::nullopt;
    XorBytes(data.data(), data.size(), DataKey);
    return data;
  }

 private:
  std::unique_ptr<io::File> file_;
  std::uint64_t size_ = 0;
};

int RecordCount(const fs::path& path, std::size_t recordSize) {
  BaseFile file(path);
  if (!file.open()) return 0;
  const std::uint64_t count = file.size() / recordSize;
  return count > static_cast<std::uint64_t>(INT_MAX) ? INT_MAX : static_cast<int>(count);
}

// Record index of an index file, unscrambled, into bytes.
template <std::size_t N>
bool ReadRecord(const fs::path& path, int index, std::array<std::uint8_t, N>& bytes) {
  if (index < 0) return false;
  BaseFile file(path);
  const std::optional<std::string> record = file.Read(static_cast<std::uint64_t>(index) * N, N);
  if (!record) return false;
  for (std::size_t i = 0; i < N; ++i) bytes[i] = static_cast<std::uint8_t>((*record)[i]);
  return true;
}

}  // namespace

fs::path PictureIndexPath(const fs::path& dir) { return GameFile(dir, kPictureIndexName); }
fs::path PictureDataPath(const fs::path& dir) { return GameFile(dir, kPictureDataName); }
fs::path BackgroundIndexPath(const fs::path& dir) { return GameFile(dir, kBackgroundIndexName); }
fs::path BackgroundDataPath(const fs::path& dir) { return GameFile(dir, kBackgroundDataName); }

int PictureCount(const fs::path& dir) { return RecordCount(PictureIndexPath(dir), RegionPictureRecord::kSize); }

int BackgroundCount(const fs::path& dir) {
  return RecordCount(BackgroundIndexPath(dir), BackgroundPictureRecord::kSize);
}

std::vector<RegionPoint> ParseRegionPoints(std::string_view block) {
  std::vector<RegionPoint> points(block.size() / 8);
  const auto* p = reinterpret_cast<const std::uint8_t*>(block.data());
  for (std::size_t i = 0; i < points.size(); ++i, p += 8) {
    points[i].x = static_cast<std::int32_t>(GetU32(p));
    points[i].y = static_cast<std::int32_t>(GetU32(p + 4));
  }
  return points;
}

std::optional<LoadedGamePicture> LoadGamePicture(const fs::path& dir, int index) {
  LoadedGamePicture picture;
  if (!ReadRecord(PictureIndexPath(dir), index, picture.record.bytes)) return std::nullopt;
  BaseFile data(PictureDataPath(dir));
  const RegionPictureRecord& r = picture.record;
  // Both blocks are checked before either is read, so that a record whose
  // picture lies beyond the file does not first cost its point block.
  const std::uint64_t pointsEnd = static_cast<std::uint64_t>(r.Offset()) + r.PointBytes();
  if (!data.open() || pointsEnd > data.size() || r.PictureBytes() > data.size() - pointsEnd) return std::nullopt;
  std::optional<std::string> block = data.Read(r.Offset(), r.PointBytes());
  if (!block) return std::nullopt;
  picture.points = ParseRegionPoints(*block);
  block.reset();
  std::optional<std::string> file = data.Read(pointsEnd, r.PictureBytes());
  if (!file) return std::nullopt;
  picture.picture = std::move(*file);
  return picture;
}

std::optional<LoadedGameBackground> LoadGameBackground(const fs::path& dir, int index) {
  LoadedGameBackground background;
  if (!ReadRecord(BackgroundIndexPath(dir), index, background.record.bytes)) return std::nullopt;
  BaseFile data(BackgroundDataPath(dir));
  std::optional<std::string> file = data.Read(background.record.Offset(), background.record.PictureBytes());
  if (!file) return std::nullopt;
  background.picture = std::move(*file);
  return background;
}

}  // namespace lexmora
