// The dictionary compiler: a group file and its sub-dictionary sources into a
// program folder (groups.dgi, DICT/<base>.wif, DICT/<base>NNN.wbf).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace lexmora::tools {

struct CompiledGroup {
  int number = 0;
  std::string base;
  std::size_t subDicts = 0;
  std::size_t entries = 0;
  std::size_t truncatedHeadwords = 0;
};

// Compiles everything; throws SourceError for faults in the sources and
// std::runtime_error when an output file cannot be written.
std::vector<CompiledGroup> CompileDictionaries(const std::filesystem::path& groupFile,
                                               const std::filesystem::path& outDir);

}  // namespace lexmora::tools
