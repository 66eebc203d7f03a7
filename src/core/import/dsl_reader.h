// Reads Lingvo DSL dictionaries (".dsl", dictzip ".dsl.dz"): cards of
// headword lines and tagged body lines, sounds from the media beside them.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "import/import_styles.h"
#include "import/imported_dictionary.h"

namespace lexmora {

// The #NAME, #INDEX_LANGUAGE and #CONTENTS_LANGUAGE headers (the languages
// as ISO 639-1 codes), from the start of the file only.
DictionaryInfo ProbeDsl(const std::filesystem::path& dslFile);

// The whole dictionary, its sounds from "<file>.files.zip" or the folder
// "<file>.files" beside it. Throws ImportError for a damaged file or media
// archive, ImportCancelled when progress says so.
ImportedDictionary ReadDsl(const std::filesystem::path& dslFile, const ImportStyles& styles,
                           const ImportProgress& progress = {});

// The bytes of a media file by its name in the card (UTF-8); nullopt when
// there is none.
using DslMediaLookup = std::function<std::optional<std::string>(std::string_view name)>;

// The same from a file image (gzip or not) with media found through media,
// which may be empty; fileName is for messages.
ImportedDictionary ReadDslImage(std::string image, std::string_view fileName, const ImportStyles& styles,
                                const DslMediaLookup& media = {}, const ImportProgress& progress = {});

}  // namespace lexmora
