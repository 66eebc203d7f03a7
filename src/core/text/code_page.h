// Conversions between 8-bit dictionary text and UTF-16.
//
// Dictionary data is stored in several 8-bit code pages at once: 1250, 1251,
// 1252 and 1254 (Azeri Latin, with the schwa stored at the places of Æ/æ),
// and code page 0, the private phonetic code of transcriptions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexmora {

// Code page value that selects the phonetic code of transcriptions.
inline constexpr int PhoneticCode = 0;

// Code pages the dictionary core knows; others are refused by IsKnownCodePage.
bool IsKnownCodePage(int codePage);

// 8-bit text to UTF-16, one code unit per byte. An unknown code page is read
// as 1252.
std::u16string ToUnicode(std::string_view bytes, int codePage);

// UTF-16 to 8-bit text, exactly one byte per UTF-16 code unit (a lone
// surrogate too). Characters the code page lacks become '?'. Code page 1254
// stores U+018F/U+0259 as 0xC6/0xE6.
std::string FromUnicode(std::u16string_view text, int codePage);

// One code unit; returns false (and leaves out untouched) when the code page
// has no byte for it.
bool FromUnicodeChar(char16_t ch, int codePage, std::uint8_t& out);

// UTF-8 <-> UTF-16 helpers for the command line and the tools. Invalid UTF-8
// sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace lexmora
