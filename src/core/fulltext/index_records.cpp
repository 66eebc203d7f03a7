#include "fulltext/index_records.h"

#include <cstring>

#include "dictionary/byte_io.h"
#include "dictionary/file_names.h"

namespace lexmora {

namespace {
void PutBE32(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v >> 24);
  p[1] = static_cast<std::uint8_t>(v >> 16);
  p[2] = static_cast<std::uint8_t>(v >> 8);
  p[3] = static_cast<std::uint8_t>(v);
}
std::uint32_t GetBE32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}
}  // namespace

WordKey MakeWordKey(std::u16string_view word) {
  WordKey key{};
  const std::size_t n = word.size() < kWordKeyUnits ? word.size() : kWordKeyUnits;
  for (std::size_t i = 0; i < n; ++i) {
    key[2 * i] = static_cast<std::uint8_t>(word[i]);
    key[2 * i + 1] = static_cast<std::uint8_t>(word[i] >> 8);
  }
  return key;
}

std::u16string WordKeyText(const WordKey& key) {
  std::u16string out;
  for (std::size_t i = 0; i < kWordKeyUnits; ++i) {
    char16_t c = static_cast<char16_t>(key[2 * i] | (key[2 * i + 1] << 8));
    if (c == 0) break;
    out.push_back(c);
  }
  return out;
}

int CompareWordKeys(const std::uint8_t* a, const std::uint8_t* b) { return std::memcmp(a, b, kWordKeySize); }

std::filesystem::path IndexFileName(const std::filesystem::path& dir, std::string_view base, int subDict) {
  return TextIndexPath(dir, base, subDict, ".tib");
}

std::filesystem::path WithIndexExtension(const std::filesystem::path& tib, std::string_view extension) {
  std::filesystem::path p = tib;
  p.replace_extension(std::string(extension));
  return p;
}

void OccurrenceRecord::Serialize(std::uint8_t* p) const {
  std::memcpy(p, key.data(), kWordKeySize);
  p[64] = lineFlag;
  PutU16(p + 65, 1);
  PutBE32(p + 67, article);
  p[71] = subDict;
  PutBE32(p + 72, position);
  PutU16(p + 76, length);
  p[78] = static_cast<std::uint8_t>(length);
}

OccurrenceRecord OccurrenceRecord::Parse(const std::uint8_t* p) {
  OccurrenceRecord r;
  std::memcpy(r.key.data(), p, kWordKeySize);
  r.lineFlag = p[64];
  r.article = GetBE32(p + 67);
  r.subDict = p[71];
  r.position = GetBE32(p + 72);
  r.length = GetU16(p + 76);
  return r;
}

void IndexWordRecord::Serialize(std::uint8_t* p) const {
  std::memcpy(p, key.data(), kWordKeySize);
  p[64] = lineFlag;
  PutU16(p + 65, hitCount);
  PutU32(p + 67, firstHit);
  p[71] = subDict;
}

IndexWordRecord IndexWordRecord::Parse(const std::uint8_t* p) {
  IndexWordRecord r;
  std::memcpy(r.key.data(), p, kWordKeySize);
  r.lineFlag = p[64];
  r.hitCount = GetU16(p + 65);
  r.firstHit = GetU32(p + 67);
  r.subDict = p[71];
  return r;
}

void ArticleHitRecord::Serialize(std::uint8_t* p) const {
  PutU32(p, article);
  PutU32(p + 4, firstPosition);
  PutU16(p + 8, positionCount);
  p[10] = subDict;
}

ArticleHitRecord ArticleHitRecord::Parse(const std::uint8_t* p) {
  ArticleHitRecord r;
  r.article = GetU32(p);
  r.firstPosition = GetU32(p + 4);
  r.positionCount = GetU16(p + 8);
  r.subDict = p[10];
  return r;
}

void PositionRecord::Serialize(std::uint8_t* p) const {
  p[0] = lineFlag;
  PutU32(p + 1, position);
  p[5] = length;
}

PositionRecord PositionRecord::Parse(const std::uint8_t* p) {
  PositionRecord r;
  r.lineFlag = p[0];
  r.position = GetU32(p + 1);
  r.length = p[5];
  return r;
}

}  // namespace lexmora
