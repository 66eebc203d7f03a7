#include "dictionary/dict_group_record.h"

#include <algorithm>
#include <cstring>

#include "text/azeri_letters.h"
#include "text/code_page.h"

namespace lexmora {

SubDictSet DictGroupRecord::Enabled() const {
  SubDictSet s;
  std::memcpy(s.bits.data(), &bytes[123], 32);
  return s;
}

void DictGroupRecord::SetEnabled(const SubDictSet& set) { std::memcpy(&bytes[123], set.bits.data(), 32); }

std::string_view DictGroupRecord::Bitmap() const {
  std::size_t n = std::min<std::size_t>(GetU32(&bytes[216]), kBitmapMax);
  return {reinterpret_cast<const char*>(&bytes[220]), n};
}

void DictGroupRecord::SetBitmap(std::string_view image) {
  std::size_t n = std::min(image.size(), kBitmapMax);
  PutU32(&bytes[216], static_cast<std::uint32_t>(n));
  std::fill(bytes.begin() + 220, bytes.end(), 0);
  std::memcpy(&bytes[220], image.data(), n);
}

namespace {

struct BuiltIn {
  const char* nameUtf8;  // Azeri Latin, stored in the letter code
  const char* base;
  std::initializer_list<int> enabled;
  std::uint32_t codePage;
  const char* layout;
  std::uint32_t locale;
  std::array<std::uint32_t, 9> roles;
  std::uint16_t v192, v194;
};

const BuiltIn kBuiltIn[] = {
    {"İngilis-Azərbaycan lüğəti", "vcl_ea", {0, 1}, 1250, "00000409", 0x409, {0, 1, 2, 3, 4, 5, 6, 7, 8}, 0, 1},
    {"Azərbaycan-İngilis lüğəti", "vcl_ae", {0}, 1254, "0000042c", 0x42C, {0, 1, 2, 3, 4, 10, 6, 7, 8}, 2, 1},
    {"Alman-Azərbaycan lüğəti", "vcl_da", {0}, 1252, "00000407", 0x407, {0, 1, 2, 3, 4, 14, 6, 7, 8}, 4, 1},
    {"Azərbaycan-Alman lüğəti", "vcl_ad", {0}, 1254, "0000042c", 0x42C, {0, 1, 2, 3, 4, 10, 6, 7, 8}, 2, 1},
    {"Fransız-Azərbaycan lüğəti", "vcl_fa", {0}, 1252, "00000407", 0x40C, {0, 1, 2, 3, 4, 5, 6, 7, 8}, 4, 1},
    {"Azərbaycan-Fransız lüğəti", "vcl_af", {0}, 1254, "0000042c", 0x42C, {0, 1, 2, 3, 4, 10, 6, 7, 8}, 2, 1},
    {"Rus-Azərbaycan lüğəti", "vcl_ra", {0}, 1251, "00000419", 0x409, {0, 1, 2, 3, 4, 5, 6, 7, 8}, 0, 1},
    {"Azərbaycan-Rus lüğəti", "vcl_ar", {0}, 1254, "0000042c", 0x42C, {0, 1, 2, 3, 4, 10, 6, 7, 8}, 2, 1},
    {"İngilis-Rus lüğəti", "vcl_er", {0}, 1250, "00000409", 0x409, {0, 1, 11, 3, 4, 5, 6, 12, 8}, 0, 3},
};

}  // namespace

GroupTable BuiltInGroupTable() {
  GroupTable table;
  table.count = GroupTable::kMaxGroups;
  for (std::size_t i = 0; i < std::size(kBuiltIn); ++i) {
    const BuiltIn& b = kBuiltIn[i];
    DictGroupRecord& r = table.groups[i];
    r.SetName(ToAzeriLetterCode(FromUnicode(Utf8ToUtf16(b.nameUtf8), 1254)));
    r.SetBaseName(b.base);
    SubDictSet set;
    for (int k : b.enabled) set.Set(k, true);
    r.SetEnabled(set);
    for (int role = 0; role < 9; ++role) r.SetStyleRole(role, b.roles[static_cast<std::size_t>(role)]);
    PutU16(&r.bytes[192], b.v192);
    PutU16(&r.bytes[194], b.v194);
    r.SetCodePage(b.codePage);
    r.SetKeyboardLayout(b.layout);
    PutU32(&r.bytes[212], b.locale);
  }
  return table;
}

GroupTable ParseGroupTable(std::string_view fileImage) {
  std::size_t n = fileImage.size() / DictGroupRecord::kSize;
  if (n == 0) return BuiltInGroupTable();
  if (n > GroupTable::kMaxGroups) n = GroupTable::kMaxGroups;
  GroupTable table;
  table.count = static_cast<int>(n);
  for (std::size_t i = 0; i < n; ++i) {
    std::memcpy(table.groups[i].bytes.data(), fileImage.data() + i * DictGroupRecord::kSize,
                DictGroupRecord::kSize);
  }
  return table;
}

std::string SerializeGroupTable(const GroupTable& table) {
  std::string out;
  int count = std::clamp(table.count, 0, GroupTable::kMaxGroups);
  out.reserve(static_cast<std::size_t>(count) * DictGroupRecord::kSize);
  for (int i = 0; i < count; ++i) {
    const auto& b = table.groups[static_cast<std::size_t>(i)].bytes;
    out.append(reinterpret_cast<const char*>(b.data()), b.size());
  }
  return out;
}

}  // namespace lexmora
