// lexmora-credits: compiles the readable source of the about box's hidden
// credits into a C++ source file that holds them scrambled.
//   lexmora-credits --out FILE.cpp SOURCE
// The file defines lexmora::gui::StoredCredits() (about/stored_credits.h).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "dictionary/file_io.h"
#include "settings/credits_text.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: lexmora-credits --out FILE.cpp SOURCE\n");
  return 2;
}

std::string CppSource(const std::string& stored, const std::string& sourceName) {
  std::string out =
      "// Made by lexmora-credits from " + sourceName + "; do not edit.\n"
      "#include \"about/stored_credits.h\"\n\n"
      "namespace lexmora::gui {\nnamespace {\n\nconstexpr unsigned char kStored[] = {";
  char hex[8];
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (i % 16 == 0) out += "\n   ";
    std::snprintf(hex, sizeof hex, " 0x%02x,", static_cast<unsigned char>(stored[i]));
    out += hex;
  }
  out += "\n};\n\n}  // namespace\n\n"
         "std::string_view StoredCredits() { return {reinterpret_cast<const char*>(kStored), sizeof kStored}; }\n\n"
         "}  // namespace lexmora::gui\n";
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, source;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) out = argv[++i];
    else if (source.empty() && !arg.starts_with("--")) source = arg;
    else return Usage();
  }
  if (out.empty() || source.empty()) return Usage();
  try {
    const auto text = lexmora::ReadWholeFile(source);
    if (!text) {
      std::fprintf(stderr, "lexmora-credits: cannot read %s\n", source.c_str());
      return 1;
    }
    const std::string stored = lexmora::ScrambleCredits(lexmora::EncodeCreditsSource(*text));
    const std::filesystem::path target(out);
    std::error_code ec;
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    if (!lexmora::WriteFileAtomically(target, CppSource(stored, std::filesystem::path(source).filename().string()))) {
      std::fprintf(stderr, "lexmora-credits: cannot write %s\n", out.c_str());
      return 1;
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-credits: %s: %s\n", source.c_str(), e.what());
    return 1;
  }
  return 0;
}
