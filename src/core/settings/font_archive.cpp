#include "settings/font_archive.h"

#include <cstring>

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"

namespace lexmora {
namespace {

std::uint64_t GetU64(const std::uint8_t* p) {
  return static_cast<std::uint64_t>(GetU32(p)) | (static_cast<std::uint64_t>(GetU32(p + 4)) << 32);
}
void PutU64(std::uint8_t* p, std::uint64_t v) {
  PutU32(p, static_cast<std::uint32_t>(v));
  PutU32(p + 4, static_cast<std::uint32_t>(v >> 32));
}

// Offsets inside ArchItemRec.
constexpr std::size_t kTimeAt = 256;
constexpr std::size_t kOffsetAt = 272;
constexpr std::size_t kSizeAt = 280;

// Number of directory entries the trailer declares, or -1 when the trailer
// is not valid or the directory does not fit in the file.
std::int64_t DeclaredCount(const std::uint8_t* trailer, std::uint64_t fileSize) {
  if (std::memcmp(trailer + 4, kFontArchiveMagic, 6) != 0) return -1;
  const auto count = static_cast<std::int32_t>(GetU32(trailer));
  if (count < 0) return -1;
  const std::uint64_t needed = static_cast<std::uint64_t>(count) * ArchItemRec::kSize + kFontArchiveTrailerSize;
  return needed <= fileSize ? count : -1;
}

DynArchItemRecArray ParseDirectory(std::string directory) {
  XorBytes(directory.data(), directory.size(), kFontArchiveKey);
  DynArchItemRecArray items(directory.size() / ArchItemRec::kSize);
  for (std::size_t i = 0; i < items.size(); ++i) {
    items[i] = ArchItemRec::Parse(reinterpret_cast<const std::uint8_t*>(directory.data()) + i * ArchItemRec::kSize);
  }
  return items;
}

bool RangeInside(const ArchItemRec& item, std::uint64_t fileSize) {
  if (item.offset < 0 || item.size < 0) return false;
  const auto offset = static_cast<std::uint64_t>(item.offset);
  return offset <= fileSize && static_cast<std::uint64_t>(item.size) <= fileSize - offset;
}

}  // namespace

void ArchItemRec::Serialize(std::uint8_t* out) const {
  std::memset(out, 0, kSize);
  PutShortString(out, kNameMax, name);
  std::uint64_t timeBits;
  std::memcpy(&timeBits, &modificationTime, sizeof timeBits);
  PutU64(out + kTimeAt, timeBits);
  PutU64(out + kOffsetAt, static_cast<std::uint64_t>(offset));
  PutU32(out + kSizeAt, static_cast<std::uint32_t>(size));
}

ArchItemRec ArchItemRec::Parse(const std::uint8_t* in) {
  ArchItemRec r;
  r.name = std::string(GetShortString(in, kNameMax));
  const std::uint64_t timeBits = GetU64(in + kTimeAt);
  std::memcpy(&r.modificationTime, &timeBits, sizeof timeBits);
  r.offset = static_cast<std::int64_t>(GetU64(in + kOffsetAt));
  r.size = static_cast<std::int32_t>(GetU32(in + kSizeAt));
  return r;
}

DynArchItemRecArray ReadArchiveDirectoryFromImage(std::string_view image) {
  if (image.size() < kFontArchiveTrailerSize) return {};
  const auto* trailer = reinterpret_cast<const std::uint8_t*>(image.data()) + image.size() - kFontArchiveTrailerSize;
  const std::int64_t count = DeclaredCount(trailer, image.size());
  if (count <= 0) return {};
  const std::size_t bytes = static_cast<std::size_t>(count) * ArchItemRec::kSize;
  return ParseDirectory(std::string(image.substr(image.size() - kFontArchiveTrailerSize - bytes, bytes)));
}

DynArchItemRecArray ReadArchiveDirectory(const std::filesystem::path& archive) {
  const auto size = FileSize(archive);
  if (!size || *size < kFontArchiveTrailerSize) return {};
  std::uint8_t trailer[kFontArchiveTrailerSize];
  if (!ReadFileRange(archive, *size - kFontArchiveTrailerSize, sizeof trailer, trailer)) return {};
  const std::int64_t count = DeclaredCount(trailer, *size);
  if (count <= 0) return {};
  const std::size_t bytes = static_cast<std::size_t>(count) * ArchItemRec::kSize;
  std::string directory(bytes, '\0');
  if (!ReadFileRange(archive, *size - kFontArchiveTrailerSize - bytes, bytes, directory.data())) return {};
  return ParseDirectory(std::move(directory));
}

const ArchItemRec* FindArchItem(const DynArchItemRecArray& directory, std::string_view name) {
  for (const ArchItemRec& item : directory) {
    if (item.name == name) return &item;
  }
  return nullptr;
}

std::string ExtractArchMemberFromImage(std::string_view image, const ArchItemRec& item) {
  if (!RangeInside(item, image.size())) return {};
  std::string data(image.substr(static_cast<std::size_t>(item.offset), static_cast<std::size_t>(item.size)));
  XorBytes(data.data(), data.size(), kFontArchiveKey);
  return data;
}

std::string ExtractArchMember(const std::filesystem::path& archive, const ArchItemRec& item) {
  const auto size = FileSize(archive);
  if (!size || !RangeInside(item, *size)) return {};
  std::string data(static_cast<std::size_t>(item.size), '\0');
  if (!ReadFileRange(archive, static_cast<std::uint64_t>(item.offset), data.size(), data.data())) return {};
  XorBytes(data.data(), data.size(), kFontArchiveKey);
  return data;
}

std::vector<std::string> ParseFontList(std::string_view member) {
  std::vector<std::string> faces;
  for (std::size_t at = 0; member.size() - at >= kFontListRecordSize; at += kFontListRecordSize) {
    faces.emplace_back(GetShortString(reinterpret_cast<const std::uint8_t*>(member.data()) + at, kFontListRecordSize - 1));
  }
  return faces;
}

}  // namespace lexmora
