// The headword comparison the word index is sorted by.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lexmora {

// Flavour 0: plain byte order; flavour 1: Azeri alphabet order for groups
// whose headword code page is 1254.
enum class Collation { Plain = 0, Azeri = 1 };

Collation CollationFor(int headwordCodePage);

// The 64 code page 1254 letters of the Azeri alphabet, capitals first.
extern const std::string_view kAzeriCollationString;

// Byte weights of one flavour: 128 + position (from 1) in the collation
// string, else the byte itself.
const std::array<std::uint16_t, 256>& CollationWeights(Collation flavour);

// <0, 0 or >0 as a is less than, equal to or greater than b. A proper prefix
// is less than the longer string.
int CompareHeadwords(std::string_view a, std::string_view b, Collation flavour);

// A strict total order for writers of word indexes that never contradicts
// CompareHeadwords: weights compared over the whole keys, then raw bytes.
// (CompareHeadwords stops at the first differing byte and calls two keys
// equal when their bytes there share a weight, which is not transitive for
// bytes outside the alphabet that weigh as much as a letter.)
bool HeadwordSortsBefore(std::string_view a, std::string_view b, Collation flavour);

}  // namespace lexmora
