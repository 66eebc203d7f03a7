// The sub-dictionaries of a group that were added by an import, kept in
// "DICT/<base>.imported" beside the group's files: one line each,
// "NNN<TAB>format<TAB>file name". Only these may be removed again.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

struct ImportedSubDict {
  int subDict = 0;
  std::string format;  // "stardict", "dsl", ...
  std::string source;  // the imported file's name, UTF-8
};

std::filesystem::path ImportRegistryPath(const std::filesystem::path& programDir, std::string_view base);

// The registry of a group; empty when there is none. Lines it cannot read
// are passed over.
std::vector<ImportedSubDict> LoadImportRegistry(const std::filesystem::path& programDir, std::string_view base);

// Writes the registry through a temporary file (removes it when empty).
bool SaveImportRegistry(const std::filesystem::path& programDir, std::string_view base,
                        const std::vector<ImportedSubDict>& entries);

}  // namespace lexmora
