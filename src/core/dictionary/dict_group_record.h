// One record of the group table ("groups.dgi"), kept as its 4220-byte image
// so that fields this program does not interpret are written back unchanged.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/byte_io.h"

namespace lexmora {

// A set of sub-dictionary numbers 0..255: bit k of byte k div 8.
struct SubDictSet {
  std::array<std::uint8_t, 32> bits{};

  bool Contains(int k) const { return k >= 0 && k < 256 && (bits[k >> 3] >> (k & 7)) & 1; }
  void Set(int k, bool on) {
    if (k < 0 || k > 255) return;
    if (on) bits[k >> 3] = static_cast<std::uint8_t>(bits[k >> 3] | (1u << (k & 7)));
    else bits[k >> 3] = static_cast<std::uint8_t>(bits[k >> 3] & ~(1u << (k & 7)));
  }
  bool Empty() const {
    for (auto b : bits) if (b) return false;
    return true;
  }
  bool operator==(const SubDictSet&) const = default;
};

struct DictGroupRecord {
  static constexpr std::size_t kSize = 4220;
  static constexpr std::size_t kBitmapMax = 4000;
  std::array<std::uint8_t, kSize> bytes{};

  // Name in the Azeri letter code (max 60 bytes).
  std::string_view Name() const { return GetShortString(&bytes[0], 60); }
  void SetName(std::string_view v) { PutShortString(&bytes[0], 60, v); }
  // File base name, e.g. "vcl_ea" (max 60 bytes).
  std::string_view BaseName() const { return GetShortString(&bytes[61], 60); }
  void SetBaseName(std::string_view v) { PutShortString(&bytes[61], 60, v); }
  bool Loaded() const { return bytes[122] != 0; }
  void SetLoaded(bool v) { bytes[122] = v ? 1 : 0; }
  SubDictSet Enabled() const;
  void SetEnabled(const SubDictSet& set);
  std::uint32_t StyleRole(int role) const { return GetU32(&bytes[156 + 4 * role]); }
  void SetStyleRole(int role, std::uint32_t style) { PutU32(&bytes[156 + 4 * role], style); }
  std::uint16_t Value192() const { return GetU16(&bytes[192]); }
  std::uint16_t Value194() const { return GetU16(&bytes[194]); }
  // The headword code page is a 32-bit field read as 16 bits.
  int CodePage() const { return GetU16(&bytes[196]); }
  void SetCodePage(std::uint32_t cp) { PutU32(&bytes[196], cp); }
  std::string_view KeyboardLayout() const { return GetShortString(&bytes[200], 8); }
  void SetKeyboardLayout(std::string_view v) { PutShortString(&bytes[200], 8, v); }
  std::uint32_t Locale() const { return GetU32(&bytes[212]); }
  // The group bitmap, a Windows bitmap file image; empty when none. A stored
  // length above 4000 is cut to the field.
  std::string_view Bitmap() const;
  void SetBitmap(std::string_view image);
};

// Groups the user makes (by importing a dictionary into a new group) have
// file base names "vcl_g01".."vcl_g10"; they are called by their own names,
// never by the interface text of their slot.
inline constexpr std::string_view kUserGroupBasePrefix = "vcl_g";
inline bool IsUserMadeGroup(const DictGroupRecord& record) {
  return record.BaseName().substr(0, kUserGroupBasePrefix.size()) == kUserGroupBasePrefix;
}

// The group table: at most 10 groups, numbered from 1.
struct GroupTable {
  static constexpr int kMaxGroups = 10;
  std::array<DictGroupRecord, kMaxGroups> groups{};
  int count = 0;

  DictGroupRecord& Group(int number) { return groups[static_cast<std::size_t>(number - 1)]; }
  const DictGroupRecord& Group(int number) const { return groups[static_cast<std::size_t>(number - 1)]; }
  bool Valid(int number) const { return number >= 1 && number <= count; }
};

// The nine built-in groups (slot 10 empty), count 10.
GroupTable BuiltInGroupTable();

// Group table file image: count records from offset 0. A file shorter than
// one record keeps the built-in table; more than 10 records keep the first 10.
GroupTable ParseGroupTable(std::string_view fileImage);
std::string SerializeGroupTable(const GroupTable& table);

}  // namespace lexmora
