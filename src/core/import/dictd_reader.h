// dictd databases (".index" with ".dict" or ".dict.dz" beside it) as
// imported dictionaries.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "import/article_builder.h"
#include "import/dictd_index.h"
#include "import/imported_dictionary.h"

namespace lexmora {

// The article file beside an index: X.dict.dz, else X.dict.
std::filesystem::path DictdDataFile(const std::filesystem::path& indexFile);

// The one-line description a database carries about itself (its
// "00-database-short" entry), UTF-8; empty when it has none.
std::string DictdDatabaseName(const std::vector<DictdIndexEntry>& entries, std::string_view data);

// The name, and the languages FreeDict names its files by ("eng-deu").
DictionaryInfo ProbeDictd(const std::filesystem::path& indexFile);

ImportedDictionary ReadDictd(const std::filesystem::path& indexFile, const ImportStyles& styles,
                             const ImportProgress& progress = {});

}  // namespace lexmora
