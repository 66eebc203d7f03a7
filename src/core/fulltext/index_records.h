// The full-text index files of one sub-dictionary: the sorted word file
// ".tib", the article postings ".ID2", the occurrences ".ID3", and the
// ".TMP" occurrence file the indexer sorts. Integers are little-endian, except
// the article number and position inside an occurrence record, which are
// big-endian so that raw bytes sort numerically.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lexmora {

inline constexpr std::size_t kWordKeySize = 64;
inline constexpr std::size_t kWordKeyUnits = 32;
using WordKey = std::array<std::uint8_t, kWordKeySize>;

// The word's first 32 UTF-16 code units, little-endian, zero-padded.
WordKey MakeWordKey(std::u16string_view word);
std::u16string WordKeyText(const WordKey& key);
// Byte-wise comparison of two keys: <0, 0, >0.
int CompareWordKeys(const std::uint8_t* a, const std::uint8_t* b);

// Path of the ".tib" file of a sub-dictionary; the companions share its stem.
std::filesystem::path IndexFileName(const std::filesystem::path& dir, std::string_view base, int subDict);
std::filesystem::path WithIndexExtension(const std::filesystem::path& tib, std::string_view extension);

struct OccurrenceRecord {
  static constexpr std::size_t kSize = 79;
  WordKey key{};
  std::uint8_t lineFlag = 0;  // 0: first line of the article
  std::uint32_t article = 0;
  std::uint8_t subDict = 0;
  std::uint32_t position = 0;  // 1-based byte offset in the article
  std::uint16_t length = 0;

  void Serialize(std::uint8_t* p) const;
  static OccurrenceRecord Parse(const std::uint8_t* p);
};

struct IndexWordRecord {
  static constexpr std::size_t kSize = 72;
  WordKey key{};
  std::uint8_t lineFlag = 0;
  std::uint16_t hitCount = 0;
  std::uint32_t firstHit = 0;
  std::uint8_t subDict = 0;

  void Serialize(std::uint8_t* p) const;
  static IndexWordRecord Parse(const std::uint8_t* p);
};

struct ArticleHitRecord {
  static constexpr std::size_t kSize = 11;
  std::uint32_t article = 0;
  std::uint32_t firstPosition = 0;
  std::uint16_t positionCount = 0;
  std::uint8_t subDict = 0;

  void Serialize(std::uint8_t* p) const;
  static ArticleHitRecord Parse(const std::uint8_t* p);
};

struct PositionRecord {
  static constexpr std::size_t kSize = 6;
  std::uint8_t lineFlag = 0;
  std::uint32_t position = 0;
  std::uint8_t length = 0;

  void Serialize(std::uint8_t* p) const;
  static PositionRecord Parse(const std::uint8_t* p);
};

// A failed open, read, write, rename or delete of an index or sort file.
class IndexIoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A write that stored fewer bytes than asked: the disk is full.
class DiskFullError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace lexmora
