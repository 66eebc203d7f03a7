// Words typed in another alphabet: Azeri in its Cyrillic alphabet, Russian
// in Latin letters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// Whether the text holds a Cyrillic letter.
bool HasCyrillic(std::u16string_view text);
// Whether the text holds a Latin letter.
bool HasLatin(std::u16string_view text);

// Azeri Cyrillic (ә ҝ ғ ј һ ҹ ө ү ы and the letters shared with Russian) to
// the Latin alphabet (lower case). A Latin j among them stands for ј (y);
// other characters that are not Cyrillic stay.
std::u16string AzeriCyrillicToLatin(std::u16string_view text);

// Russian typed in Latin letters by the common transliteration (kniga,
// shkola, khleb, chay, zh, sh, shch, ya, yu, yo) to Cyrillic, lower case:
// the likeliest spellings, the most likely first (at most 8).
std::vector<std::u16string> RussianLatinToCyrillic(std::u16string_view text);

}  // namespace lexmora
