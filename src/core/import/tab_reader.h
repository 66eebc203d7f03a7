// Tab files: one entry a line, "headword<TAB>article", in UTF-8 (a byte order
// mark allowed). In the article "\n" is a line break, "\t" a tab and "\\" a
// backslash.
#pragma once

#include <filesystem>
#include <string_view>

#include "import/imported_dictionary.h"
#include "import/import_styles.h"

namespace lexmora {

// A tab file says nothing of itself: its stem is the name.
DictionaryInfo ProbeTabFile(const std::filesystem::path& file);

// A line without a tab or with an empty headword is left out with its number.
ImportedDictionary ReadTabFile(const std::filesystem::path& file, const ImportStyles& styles,
                               const ImportProgress& progress = {});

// The same for the text already read; fileName names it.
ImportedDictionary ParseTabFile(std::string_view text, std::string_view fileName, const ImportStyles& styles,
                                const ImportProgress& progress = {});

}  // namespace lexmora
