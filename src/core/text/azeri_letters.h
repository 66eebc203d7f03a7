// Azeri text helpers on 8-bit data: the letter code of group and
// sub-dictionary names, upper-casing of lookup keys and Yo folding.
#pragma once

#include <string>
#include <string_view>

namespace lexmora {

// Letter code of names: bytes 0xC0..0xFF stand for Azeri Latin letters and
// become their code page 1254 bytes; lower bytes are copied.
std::string AzeriLetterCode(std::string_view bytes);

// The inverse, for writers of names: code page 1254 Azeri letters become
// their letter-code bytes. Bytes with no letter-code form are copied when
// below 0xC0 and become '?' otherwise.
std::string ToAzeriLetterCode(std::string_view cp1254);

// Upper-casing rules of lookup keys.
enum class UpperRule { Cyrillic1251, Azeri1254 };
UpperRule UpperRuleFor(int codePage);
std::string UpperCase(std::string_view bytes, UpperRule rule);

// Replaces Ё/ё (0xA8/0xB8) by Е/е (0xC5/0xE5) in code page 1251 text.
std::string FoldYo(std::string_view bytes);

}  // namespace lexmora
