// Writes interface-language files in the format read by language_file.h.
#pragma once

#include <map>
#include <string>

namespace lexmora {

// texts: id (0..2000) -> 8-bit text already in codePage. Ids without a text
// get a negative start. Texts are stored in id order, one after another.
// Throws std::out_of_range for an id outside 0..2000.
std::string BuildLanguageFile(int codePage, const std::map<int, std::string>& texts);

}  // namespace lexmora
