// CodePageToWide: the conversion of 8-bit interface and dictionary texts to
// UTF-16 by code page.
#pragma once

#include <string>
#include <string_view>

namespace lexmora {

// Code page 1254 reads 0xC6/0xE6 as the schwa letters U+018F/U+0259; code
// page 0 is the phonetic code of transcriptions; 1250, 1251 and 1252 go by
// their tables; any other code page goes through the platform converter of
// that Windows code page, and through 1252 when there is none.
std::u16string CodePageToWide(std::string_view text, int codePage);

}  // namespace lexmora
