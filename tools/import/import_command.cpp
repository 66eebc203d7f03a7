#include "import/import_command.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "import/dictionary_import.h"
#include "json_writer.h"
#include "text/text_lines.h"

namespace lexmora::tools {

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: lexmora-import --dir PROGRAM_FOLDER [--format dictd|stardict|dsl|xdxf|wiktionary|tab] FILE\n"
               "                      (--group N | --new-group NAME --code-page 1250|1251|1252|1254) [--json]\n");
  return 2;
}

// Progress on stderr, a line at each tenth.
bool ShowProgress(std::uint64_t done, std::uint64_t total, int& shown) {
  const int tenth = total ? static_cast<int>(done * 10 / total) : 0;
  if (tenth > shown) {
    shown = tenth;
    std::fprintf(stderr, "lexmora-import: %d%%\n", tenth * 10);
  }
  return true;
}

void PrintJson(const ImportResult& r) {
  cli::JsonWriter json;
  json.BeginObject()
      .Field("group", r.group)
      .Field("subdict", r.subDict)
      .Field("entries", static_cast<std::int64_t>(r.entries))
      .Field("sounds", static_cast<std::int64_t>(r.sounds))
      .Key("skipped")
      .BeginArray();
  for (std::size_t i = 0; i < r.skipped.size() && i < 100; ++i)
    json.BeginObject().Field("headword", r.skipped[i].headword).Field("why", r.skipped[i].why).EndObject();
  json.EndArray().EndObject();
  std::printf("%s\n", json.str().c_str());
}

}  // namespace

int RunImportCommand(int argc, char** argv) {
  ImportRequest request;
  bool json = false, newGroup = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--json") {
      json = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      if (!request.file.empty()) return Usage();
      request.file = arg;
      continue;
    }
    if (i + 1 >= argc) return Usage();
    const std::string value = argv[++i];
    if (arg == "--dir" || arg == "--out") {
      request.programDir = value;
    } else if (arg == "--format") {
      request.format = FormatFromName(value);
      if (!request.format) return Usage();
    } else if (arg == "--group") {
      const auto n = ParseNumber(value, 1, 10);
      if (!n) return Usage();
      request.group = static_cast<int>(*n);
    } else if (arg == "--new-group") {
      request.newGroupName = value;
      newGroup = true;
    } else if (arg == "--code-page") {
      const auto n = ParseNumber(value, 0, 65535);
      if (!n) return Usage();
      request.codePage = static_cast<int>(*n);
    } else {
      return Usage();
    }
  }
  if (request.programDir.empty() || request.file.empty() || (request.group != 0) == newGroup) return Usage();
  int shown = 0;
  request.progress = [&shown](std::uint64_t done, std::uint64_t total) { return ShowProgress(done, total, shown); };
  const auto start = std::chrono::steady_clock::now();
  try {
    const ImportResult r = ImportDictionary(request);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (json) {
      PrintJson(r);
    } else {
      std::printf("\"%s\": %zu entries, %zu sounds as sub-dictionary %d of group %d in %.2f s\n", r.name.c_str(),
                  r.entries, r.sounds, r.subDict, r.group, seconds);
      for (const SkippedEntry& s : r.skipped) std::printf("left out \"%s\": %s\n", s.headword.c_str(), s.why.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-import: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace lexmora::tools
