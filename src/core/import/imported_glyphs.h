// The button and list glyphs of an imported sub-dictionary: a book and a
// dot like the program's own dictionaries have, in a colour of their own
// that changes with the sub-dictionary number, so that the rows of several
// imported dictionaries can be told apart in the word list.
#pragma once

#include <string>

namespace lexmora {

std::string ImportedButtonGlyph(int subDict);  // 20 x 20, a bitmap file image
std::string ImportedListGlyph(int subDict);    // 12 x 12

}  // namespace lexmora
