// XDXF dictionaries (".xdxf", gzip-compressed ".xdxf.dz" or ".gz"), visual
// or logical form, as imported dictionaries. Every <k> of an article is a
// headword of it, with and without its optional parts (<opt>); the head line
// shows them all. Sounds (<rref>) are WAV or Ogg files beside the dictionary.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "import/imported_dictionary.h"
#include "import/import_styles.h"

namespace lexmora {

// The languages (lang_from, lang_to) and the title (<full_title>, older
// files' <full_name>), from the start of the file.
DictionaryInfo ProbeXdxf(const std::filesystem::path& file);

ImportedDictionary ReadXdxf(const std::filesystem::path& file, const ImportStyles& styles,
                            const ImportProgress& progress = {});

// The same for the XML text already read: fileName names it in messages;
// sounds are looked for in soundFolder, none when it is empty.
ImportedDictionary ParseXdxf(std::string xml, std::string_view fileName, const ImportStyles& styles,
                             const std::filesystem::path& soundFolder = {}, const ImportProgress& progress = {});

}  // namespace lexmora
