// The fields of one StarDict entry's data: each a type letter and its bytes.
// Without a sametypesequence every field begins with its type; a lower-case
// type's data ends with a NUL, an upper-case type's begins with its 32-bit
// big-endian size. With one the types are left out and the last field takes
// the rest of the entry.
#pragma once

#include <string_view>
#include <vector>

namespace lexmora {

struct StarDictField {
  char type = 0;
  std::string_view data;
};

// Splits data into fields (cleared first); returns null, or what is wrong
// when a field runs past the entry or a type is no letter. A lower-case
// field the entry ends before its NUL is taken as it is.
const char* SplitStarDictFields(std::string_view data, std::string_view sameTypeSequence,
                                std::vector<StarDictField>& fields);

}  // namespace lexmora
