// Languages as dictionary files name them: "English", "AZE", "ger", "ru".
#pragma once

#include <string>
#include <string_view>

namespace lexmora {

// The ISO 639-1 code of a language name (English, as DSL headers give it),
// an ISO 639-2 or -3 code (XDXF: "AZE", "GER", "DEU") or a two-letter code;
// empty for what is not known. Case does not matter.
std::string LanguageCode(std::string_view nameOrCode);

}  // namespace lexmora
