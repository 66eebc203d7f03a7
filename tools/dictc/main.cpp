// lexmora-dictc: compiles dictionary sources into a program folder.
#include <cstdio>
#include <exception>
#include <string>

#include "dictc/dict_compiler.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: lexmora-dictc --groups GROUPS.txt --out PROGRAM_FOLDER\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string groups, out;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if ((arg == "--groups" || arg == "--out") && i + 1 < argc) {
      (arg == "--groups" ? groups : out) = argv[++i];
    } else {
      return Usage();
    }
  }
  if (groups.empty() || out.empty()) return Usage();
  try {
    auto report = lexmora::tools::CompileDictionaries(groups, out);
    for (const auto& g : report) {
      std::printf("group %d (%s): %zu sub-dictionaries, %zu entries", g.number, g.base.c_str(), g.subDicts, g.entries);
      if (g.truncatedHeadwords) std::printf(", %zu headwords cut to 30 bytes", g.truncatedHeadwords);
      std::printf("\n");
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-dictc: %s\n", e.what());
    return 1;
  }
  return 0;
}
