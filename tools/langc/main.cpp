// lexmora-langc: compiles the readable source of an interface language into
// its ".int" language file.
//   lexmora-langc [--check-ids] --out FILE.int SOURCE
// --check-ids fails when a text id the program's windows read is missing.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "dictionary/file_io.h"
#include "settings/interface_text_ids.h"
#include "settings/language_file_writer.h"
#include "settings/language_source.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: lexmora-langc [--check-ids] --out FILE.int SOURCE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, source;
  bool checkIds = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) out = argv[++i];
    else if (arg == "--check-ids") checkIds = true;
    else if (source.empty() && !arg.starts_with("--")) source = arg;
    else return Usage();
  }
  if (out.empty() || source.empty()) return Usage();
  try {
    const auto text = lexmora::ReadWholeFile(source);
    if (!text) {
      std::fprintf(stderr, "lexmora-langc: cannot read %s\n", source.c_str());
      return 1;
    }
    const lexmora::LanguageSource parsed = lexmora::ParseLanguageSource(*text, source);
    if (checkIds) {
      std::string missing;
      for (int id : lexmora::InterfaceTextIds()) {
        if (parsed.texts.count(id) == 0) missing += " " + std::to_string(id);
      }
      if (!missing.empty()) {
        std::fprintf(stderr, "lexmora-langc: %s: missing text ids:%s\n", source.c_str(), missing.c_str());
        return 1;
      }
    }
    const std::filesystem::path target(out);
    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    if (!lexmora::WriteFileAtomically(target, lexmora::BuildLanguageFile(parsed.codePage, parsed.texts))) {
      std::fprintf(stderr, "lexmora-langc: cannot write %s\n", out.c_str());
      return 1;
    }
    std::printf("%s: code page %d, %zu texts\n", out.c_str(), parsed.codePage, parsed.texts.size());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-langc: %s\n", e.what());
    return 1;
  }
  return 0;
}
