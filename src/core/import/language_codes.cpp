#include "import/language_codes.h"

#include <cctype>

namespace lexmora {

std::string LanguageCode(std::string_view nameOrCode) {
  std::string key;
  for (char c : nameOrCode)
    if (c != ' ' && c != '"') key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  struct Language {
    const char* code;
    const char* names[5];
  };
  static constexpr Language kLanguages[] = {
      {"az", {"azerbaijani", "azeri", "aze", "azj", "azb"}},
      {"en", {"english", "eng", nullptr, nullptr, nullptr}},
      {"de", {"german", "ger", "deu", "deutsch", nullptr}},
      {"fr", {"french", "fre", "fra", "français", nullptr}},
      {"ru", {"russian", "rus", "русский", nullptr, nullptr}},
      {"tr", {"turkish", "tur", nullptr, nullptr, nullptr}},
      {"uk", {"ukrainian", "ukr", nullptr, nullptr, nullptr}},
      {"cs", {"czech", "cze", "ces", nullptr, nullptr}},
      {"es", {"spanish", "spa", nullptr, nullptr, nullptr}},
      {"it", {"italian", "ita", nullptr, nullptr, nullptr}},
      {"la", {"latin", "lat", nullptr, nullptr, nullptr}},
  };
  for (const Language& l : kLanguages) {
    if (key == l.code) return l.code;
    for (const char* name : l.names)
      if (name && key == name) return l.code;
  }
  if (key.size() == 2 && std::isalpha(static_cast<unsigned char>(key[0])) && std::isalpha(static_cast<unsigned char>(key[1])))
    return key;
  return {};
}

}  // namespace lexmora
