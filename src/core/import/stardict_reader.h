// StarDict dictionaries (versions 2.4.2 and 3.0.0): the .ifo a user picks,
// with the .idx or .idx.gz, the .dict or .dict.dz, the optional .syn and the
// res/ folder beside it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "import/import_styles.h"
#include "import/imported_dictionary.h"

namespace lexmora {

// What the .ifo says: its bookname as the name; StarDict files name no
// languages. Throws ImportError.
DictionaryInfo ProbeStarDict(const std::filesystem::path& ifoFile);

// Every word of the .idx and of the .syn as an entry; a synonym's article is
// that of its word. Progress counts the words of the .idx. Throws
// ImportError for a damaged or missing file, ImportCancelled.
ImportedDictionary ReadStarDict(const std::filesystem::path& ifoFile, const ImportStyles& styles,
                                const ImportProgress& progress = {});

// The same from the images of the files, the .dict uncompressed and the .syn
// empty when there is none, without sounds from a res/ folder; messages name
// the files baseName.ifo and so on.
ImportedDictionary ReadStarDictImages(std::string_view ifo, std::string_view idx, std::string_view syn,
                                      std::string_view dict, const ImportStyles& styles,
                                      const std::string& baseName = "dictionary");

}  // namespace lexmora
