// Interface-language files (language name + ".int"), little-endian:
//   0      13 bytes  magic: length byte 12, then "VORNLANGFACE"
//   13      3 bytes  reserved
//   16      int32    code page of every text
//   20   2001 x 8    text table, entry i for text id i: start (int32, 1-based
//                    position in the text block; negative = no text),
//                    length in bytes (int32)
//   16028  ...       text block, each byte XORed with 0xA7
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lexmora {

inline constexpr std::string_view kLanguageFileMagic = "\x0C" "VORNLANGFACE";
inline constexpr std::size_t kLanguageHeaderSize = 16028;
inline constexpr int kLanguageTextCount = 2001;  // ids 0..2000
inline constexpr int kMaxLanguageTextId = kLanguageTextCount - 1;
inline constexpr std::uint8_t kLanguageTextKey = 0xA7;

struct LanguageTextEntry {
  std::int32_t start = -1;  // 1-based position in the block; negative: no text
  std::int32_t length = 0;
};

// A loaded language file: code page, table and descrambled text block.
struct LanguageFileImage {
  std::int32_t codePage = 0;
  std::array<LanguageTextEntry, kLanguageTextCount> table{};
  std::string block;

  // The text of an id in the file's code page. Empty for an id outside
  // 0..2000, an entry whose start is below 1, a negative length, or a text
  // that would run past the end of the block.
  std::string_view Text(int id) const;
};

// The file image parsed; nullopt when it is shorter than the header or its
// magic differs.
std::optional<LanguageFileImage> ParseLanguageFile(std::string_view bytes);

}  // namespace lexmora
