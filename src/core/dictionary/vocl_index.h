// The word index file (".wif"): a 49-byte header, then 76-byte records
// scrambled with the DataKey, sorted by sort key in the group's collation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/byte_io.h"
#include "dictionary/dict_group_record.h"

namespace lexmora {

struct VoclIndexHeader {
  static constexpr std::size_t kSize = 49;
  std::array<std::uint8_t, 16> reserved{};
  std::uint8_t highestNumber = 0;  // numbers 0..this are tested against the set
  SubDictSet present;

  static VoclIndexHeader Parse(const std::uint8_t* p);
  void Serialize(std::uint8_t* p) const;
};

// One word index entry, unscrambled, as its 76-byte image.
struct VoclIndexRecord {
  static constexpr std::size_t kSize = 76;
  static constexpr std::size_t kDisplayMax = 30;
  static constexpr std::size_t kKeyMax = 32;
  std::array<std::uint8_t, kSize> bytes{};

  // Display form of the headword in the group's code page.
  std::string_view Display() const { return GetShortString(&bytes[0], kDisplayMax); }
  void SetDisplay(std::string_view v) { PutShortString(&bytes[0], kDisplayMax, v); }
  // Upper-case sort key used for lookup.
  std::string_view SortKey() const { return GetShortString(&bytes[31], kKeyMax); }
  void SetSortKey(std::string_view v) { PutShortString(&bytes[31], kKeyMax, v); }
  // Article position in the ".wbf" file minus the header size.
  std::uint32_t ArticleOffset() const { return GetU32(&bytes[64]); }
  void SetArticleOffset(std::uint32_t v) { PutU32(&bytes[64], v); }
  std::uint32_t ArticleLength() const { return GetU32(&bytes[68]); }
  void SetArticleLength(std::uint32_t v) { PutU32(&bytes[68], v); }
  int SubDict() const { return bytes[72]; }
  void SetSubDict(int v) { bytes[72] = static_cast<std::uint8_t>(v); }
};
static_assert(sizeof(VoclIndexRecord) == VoclIndexRecord::kSize);

}  // namespace lexmora
