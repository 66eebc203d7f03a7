// Wiktionary extracts as wiktextract writes them (kaikki.org's ".jsonl",
// plain or gzip-compressed): one JSON object per line, one per word, part of
// speech and etymology. The extract's language is that of its first entry;
// entries of other languages are left out. The glosses are English.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "import/imported_dictionary.h"
#include "import/import_styles.h"

namespace lexmora {

// The first entry's language as fromLanguage, English as toLanguage.
DictionaryInfo ProbeWiktionary(const std::filesystem::path& jsonl);

// A line that is not a JSON object is left out with its number; a file in
// which no line is one throws ImportError.
ImportedDictionary ReadWiktionary(const std::filesystem::path& jsonl, const ImportStyles& styles,
                                  const ImportProgress& progress = {});

// The same for the text already read; fileName names it in messages.
ImportedDictionary ParseWiktionary(std::string text, std::string_view fileName, const ImportStyles& styles,
                                   const ImportProgress& progress = {});

}  // namespace lexmora
