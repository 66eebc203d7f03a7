// The dictionary file formats the import reads, found from a file's name and
// first bytes, and the reader of each.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "import/imported_dictionary.h"
#include "import/import_styles.h"

namespace lexmora {

enum class ImportFormat { kDictd, kStarDict, kDsl, kXdxf, kWiktionary, kTab };

// "dictd", "stardict", "dsl", "xdxf", "wiktionary", "tab".
std::optional<ImportFormat> FormatFromName(std::string_view name);
std::string_view FormatName(ImportFormat format);

// The format of a file from its name (".index", ".ifo", ".dsl", ".dsl.dz",
// ".xdxf", ".jsonl", ".txt", ".tab") and, where the name says nothing, from
// its first bytes; nullopt when it is none of them.
std::optional<ImportFormat> DetectFormat(const std::filesystem::path& file);

DictionaryInfo ProbeDictionary(const std::filesystem::path& file, ImportFormat format);
ImportedDictionary ReadDictionary(const std::filesystem::path& file, ImportFormat format, const ImportStyles& styles,
                                  const ImportProgress& progress);

}  // namespace lexmora
