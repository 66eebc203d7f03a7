#include "import/import_registry.h"

#include <system_error>

#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "text/text_lines.h"

namespace lexmora {

namespace fs = std::filesystem;

fs::path ImportRegistryPath(const fs::path& programDir, std::string_view base) {
  return programDir / "DICT" / (std::string(base) + ".imported");
}

std::vector<ImportedSubDict> LoadImportRegistry(const fs::path& programDir, std::string_view base) {
  std::vector<ImportedSubDict> out;
  const auto text = ReadWholeFile(ImportRegistryPath(programDir, base));
  if (!text) return out;
  for (std::string_view line : SplitLines(*text)) {
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) continue;
    const auto number = ParseNumber(line.substr(0, tab1), 0, 255);
    if (!number) continue;
    out.push_back({static_cast<int>(*number), std::string(line.substr(tab1 + 1, tab2 - tab1 - 1)),
                   std::string(line.substr(tab2 + 1))});
  }
  return out;
}

bool SaveImportRegistry(const fs::path& programDir, std::string_view base, const std::vector<ImportedSubDict>& entries) {
  const fs::path path = ImportRegistryPath(programDir, base);
  if (entries.empty()) {
    std::error_code ec;
    fs::remove(path, ec);
    return !ec;
  }
  std::string text;
  for (const ImportedSubDict& e : entries) text += SubDictSuffix(e.subDict) + "\t" + e.format + "\t" + e.source + "\n";
  return WriteFileAtomically(path, text);
}

}  // namespace lexmora
