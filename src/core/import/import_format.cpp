#include "import/import_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <string>

#include "import/dictd_reader.h"
#include "import/dsl_reader.h"
#include "import/stardict_reader.h"
#include "import/tab_reader.h"
#include "import/wiktionary_reader.h"
#include "import/xdxf_reader.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 6> kNames = {"dictd", "stardict", "dsl", "xdxf", "wiktionary", "tab"};

bool EndsWith(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

std::string FirstBytes(const fs::path& file, std::size_t count) {
  std::ifstream in(file, std::ios::binary);
  std::string bytes(count, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(count));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return bytes;
}

}  // namespace

std::optional<ImportFormat> FormatFromName(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (kNames[i] == name) return static_cast<ImportFormat>(i);
  return std::nullopt;
}

std::string_view FormatName(ImportFormat format) { return kNames[static_cast<std::size_t>(format)]; }

std::optional<ImportFormat> DetectFormat(const fs::path& file) {
  std::string name = file.filename().string();
  std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (std::string_view gz : {".dz", ".gz"})
    if (EndsWith(name, gz)) name.resize(name.size() - gz.size());
  if (EndsWith(name, ".index")) return ImportFormat::kDictd;
  if (EndsWith(name, ".ifo")) return ImportFormat::kStarDict;
  if (EndsWith(name, ".dsl")) return ImportFormat::kDsl;
  if (EndsWith(name, ".xdxf")) return ImportFormat::kXdxf;
  if (EndsWith(name, ".jsonl") || EndsWith(name, ".json")) return ImportFormat::kWiktionary;
  if (EndsWith(name, ".tab") || EndsWith(name, ".tsv")) return ImportFormat::kTab;
  // The name says nothing: look at the start of the file.
  const std::string head = FirstBytes(file, 4096);
  if (head.rfind("StarDict's dict ifo file", 0) == 0) return ImportFormat::kStarDict;
  if (head.find("<xdxf") != std::string::npos) return ImportFormat::kXdxf;
  std::size_t start = head.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  if (head.size() >= 2 && (head.rfind("\xFF\xFE", 0) == 0 || head.rfind("\xFE\xFF", 0) == 0)) return ImportFormat::kDsl;
  if (head.compare(start, 5, "#NAME") == 0) return ImportFormat::kDsl;
  if (head.compare(start, 1, "{") == 0) return ImportFormat::kWiktionary;
  if (head.find('\t') != std::string::npos) return ImportFormat::kTab;
  return std::nullopt;
}

DictionaryInfo ProbeDictionary(const fs::path& file, ImportFormat format) {
  switch (format) {
    case ImportFormat::kDictd: return ProbeDictd(file);
    case ImportFormat::kStarDict: return ProbeStarDict(file);
    case ImportFormat::kDsl: return ProbeDsl(file);
    case ImportFormat::kXdxf: return ProbeXdxf(file);
    case ImportFormat::kWiktionary: return ProbeWiktionary(file);
    case ImportFormat::kTab: return ProbeTabFile(file);
  }
  return {};
}

ImportedDictionary ReadDictionary(const fs::path& file, ImportFormat format, const ImportStyles& styles,
                                  const ImportProgress& progress) {
  switch (format) {
    case ImportFormat::kDictd: return ReadDictd(file, styles, progress);
    case ImportFormat::kStarDict: return ReadStarDict(file, styles, progress);
    case ImportFormat::kDsl: return ReadDsl(file, styles, progress);
    case ImportFormat::kXdxf: return ReadXdxf(file, styles, progress);
    case ImportFormat::kWiktionary: return ReadWiktionary(file, styles, progress);
    case ImportFormat::kTab: return ReadTabFile(file, styles, progress);
  }
  return {};
}

}  // namespace lexmora
