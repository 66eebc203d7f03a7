// The dictd importer: a dictd database (".index" + ".dict" or ".dict.dz")
// becomes one sub-dictionary of a group, either written straight into a
// program folder or as a dictionary source (".src") for the compiler.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace lexmora::tools {

struct ImportOptions {
  std::filesystem::path index;
  std::filesystem::path dict;
  std::filesystem::path outDir;   // program folder; empty: none
  std::filesystem::path srcFile;  // ".src" to write; empty: none
  int group = 1;
  int subDict = 0;
  std::array<std::string, 5> names;     // UTF-8 per interface language (az en ru de fr)
  std::optional<std::uint32_t> locale;  // of the articles; default: the group's
};

struct ImportReport {
  std::size_t indexLines = 0;
  std::size_t entries = 0;          // headwords imported
  std::size_t metadataSkipped = 0;  // the database's own entries
  std::size_t badEntries = 0;       // offset/length outside the article text
  std::size_t truncatedHeadwords = 0;
  std::size_t otherEntries = 0;     // entries of the group's other sub-dictionaries kept
  std::size_t textBytes = 0;        // size of the article text
};

// Runs the import; throws SourceError or std::runtime_error.
ImportReport ImportDictd(const ImportOptions& options);

}  // namespace lexmora::tools
