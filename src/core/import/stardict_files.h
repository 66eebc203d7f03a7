// The index files of a StarDict dictionary: the .ifo (what the dictionary
// says of itself), the .idx (each word with the offset and size of its data
// in the .dict) and the optional .syn (more words for entries of the .idx).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// The keys the reader needs. The word counts and the .idx size are left
// out: the files themselves tell where their last record ends.
struct StarDictIfo {
  std::string bookname;
  int offsetBits = 32;  // of the offsets in the .idx
  std::string sameTypeSequence;
};

// Throws ImportError naming fileName and the line at fault.
StarDictIfo ParseStarDictIfo(std::string_view text, const std::string& fileName);

struct StarDictWord {
  std::string_view word;  // UTF-8, a view into the .idx image
  std::uint64_t offset = 0;
  std::uint32_t size = 0;
  std::uint64_t at = 0;  // where its record begins in the .idx
};

// All records of an .idx image; throws ImportError naming fileName, the
// entry and its byte for a record cut short.
std::vector<StarDictWord> ParseStarDictIdx(std::string_view image, int offsetBits, const std::string& fileName);

struct StarDictSynonym {
  std::string_view word;    // UTF-8, a view into the .syn image
  std::uint32_t index = 0;  // of the word in the .idx (0-based)
  std::uint64_t at = 0;
};

// All records of a .syn image; throws ImportError for a record cut short or
// an index beyond the idxCount words of idxName.
std::vector<StarDictSynonym> ParseStarDictSyn(std::string_view image, std::size_t idxCount, const std::string& fileName,
                                              const std::string& idxName);

}  // namespace lexmora
