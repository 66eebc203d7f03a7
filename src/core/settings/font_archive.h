// The font archive ("system.lib"): members stored one after another, a
// directory of 288-byte ArchItemRec entries and a 10-byte trailer at the end.
//
// Trailer (last 10 bytes): member count (int32), then the length-prefixed
// magic 05 A6 'A' 'R' 'C' 'H'. The directory (count x 288 bytes) lies right
// before the trailer. Directory and member bytes are XORed with 0x9D.
// ArchItemRec: name (length byte + 255 bytes), modification time (double,
// days since 30 December 1899), 8 reserved bytes, data offset from the start
// of the file (int64), data size (int32), 4 reserved bytes. Little-endian.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

inline constexpr std::uint8_t kFontArchiveKey = 0x9D;
inline constexpr std::size_t kFontArchiveTrailerSize = 10;
inline constexpr char kFontArchiveMagic[] = "\x05\xA6" "ARCH";  // 6 bytes

// The member that lists the font faces the archive provides.
inline constexpr std::string_view kFontListMemberName = "FONTS.STR";
inline constexpr std::size_t kFontListRecordSize = 30;

struct ArchItemRec {
  static constexpr std::size_t kSize = 288;
  static constexpr std::size_t kNameMax = 255;

  std::string name;                // 8-bit, as stored
  double modificationTime = 0;     // days since 1899-12-30, time of day as fraction
  std::int64_t offset = 0;         // from the start of the file
  std::int32_t size = 0;

  // Unscrambled 288-byte entry; reserved bytes are zero.
  void Serialize(std::uint8_t* out) const;
  static ArchItemRec Parse(const std::uint8_t* in);
};

using DynArchItemRecArray = std::vector<ArchItemRec>;

// The directory of an archive image. Empty when the image is shorter than
// the trailer, the magic differs, the count is negative or the directory
// would not fit in front of the trailer.
DynArchItemRecArray ReadArchiveDirectoryFromImage(std::string_view image);
// The same for a file, reading only the trailer and the directory; empty
// when the file cannot be read.
DynArchItemRecArray ReadArchiveDirectory(const std::filesystem::path& archive);

// First entry whose name equals `name` exactly, or nullptr.
const ArchItemRec* FindArchItem(const DynArchItemRecArray& directory, std::string_view name);

// Unscrambled member data; empty when the member's range (a negative offset
// or size, or bytes beyond the end) cannot be read.
std::string ExtractArchMemberFromImage(std::string_view image, const ArchItemRec& item);
std::string ExtractArchMember(const std::filesystem::path& archive, const ArchItemRec& item);

// The face names of a "FONTS.STR" member: one per whole 30-byte record
// (length byte + up to 29 characters); a trailing shorter part is ignored.
std::vector<std::string> ParseFontList(std::string_view member);

}  // namespace lexmora
