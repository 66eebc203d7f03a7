// lexmora-import: adds a dictionary file of another program to a group of a
// program folder; the older form with --index and --dict imports a dictd
// database as a chosen sub-dictionary or writes it as a dictionary source.
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "import/dictd_import.h"
#include "import/import_command.h"
#include "text/text_lines.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: lexmora-import --dir PROGRAM_FOLDER [--format F] FILE (--group N | --new-group NAME --code-page CP) [--json]\n"
               "       lexmora-import --index X.index --dict X.dict.dz (--out PROGRAM_FOLDER | --src OUT.src)\n"
               "                      [--group N] [--subdict K] [--locale L]\n"
               "                      [--name-az TEXT] [--name-en TEXT] [--name-ru TEXT] [--name-de TEXT] [--name-fr TEXT]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool dictdForm = false;
  for (int i = 1; i < argc; ++i) dictdForm = dictdForm || std::string(argv[i]) == "--index" || std::string(argv[i]) == "--src";
  if (!dictdForm) return lexmora::tools::RunImportCommand(argc, argv);
  using lexmora::ParseNumber;
  lexmora::tools::ImportOptions o;
  static constexpr const char* kNameOptions[] = {"--name-az", "--name-en", "--name-ru", "--name-de", "--name-fr"};
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (i + 1 >= argc) return Usage();
    std::string value = argv[++i];
    if (arg == "--index") o.index = value;
    else if (arg == "--dict") o.dict = value;
    else if (arg == "--out") o.outDir = value;
    else if (arg == "--src") o.srcFile = value;
    else if (arg == "--group" || arg == "--subdict" || arg == "--locale") {
      auto n = ParseNumber(value, 0, arg == "--locale" ? 0xFFFFFFFF : 255);
      if (!n) return Usage();
      if (arg == "--group") o.group = static_cast<int>(*n);
      else if (arg == "--subdict") o.subDict = static_cast<int>(*n);
      else o.locale = static_cast<std::uint32_t>(*n);
    } else {
      bool known = false;
      for (int l = 0; l < 5; ++l)
        if (arg == kNameOptions[l]) { o.names[static_cast<std::size_t>(l)] = value; known = true; }
      if (!known) return Usage();
    }
  }
  if (o.index.empty() || o.dict.empty() || (o.outDir.empty() && o.srcFile.empty())) return Usage();
  const auto start = std::chrono::steady_clock::now();
  try {
    auto r = lexmora::tools::ImportDictd(o);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%zu index lines, %zu entries imported, %zu metadata entries skipped, %zu out of range\n", r.indexLines,
                r.entries, r.metadataSkipped, r.badEntries);
    if (r.truncatedHeadwords) std::printf("%zu headwords cut to 30 bytes\n", r.truncatedHeadwords);
    if (r.otherEntries) std::printf("%zu entries of other sub-dictionaries kept\n", r.otherEntries);
    std::printf("%.1f MB of article text in %.2f s\n", static_cast<double>(r.textBytes) / 1e6, seconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "lexmora-import: %s\n", e.what());
    return 1;
  }
  return 0;
}
