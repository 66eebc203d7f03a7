// Names of groups and sub-dictionaries: the Azeri letter code of group names
// and the multi-language text of sub-dictionary names.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lexmora {

// Interface languages in the order of the multi-language text.
enum NameLanguage { kNameAz = 0, kNameEn = 1, kNameRu = 2, kNameDe = 3, kNameFr = 4 };

// "az", "en", "ru", "de", "fr" -> language index; -1 for anything else.
int NameLanguageFromCode(std::string_view code);

// One name part in its stored form: Azeri in the letter code (through code
// page 1254), English, German and French in 1250, Russian in 1251. nullopt
// when a character has no place in that form.
std::optional<std::string> EncodeNamePart(int language, std::string_view utf8);

// The multi-language text of UTF-8 parts (empty parts are left out), or
// nullopt with the language at fault in badLanguage.
std::optional<std::string> MakeMultiLanguageName(const std::array<std::string, 5>& utf8Parts, int* badLanguage = nullptr);

}  // namespace lexmora
