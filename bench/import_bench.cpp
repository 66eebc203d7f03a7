// The import of other programs' dictionaries: wall time and peak memory of
// lexmora-import, each run in a child process into a fresh program folder.
//
//   lexmora_import_bench LEXMORA_IMPORT WORK_DIR [FILE ...]
//
// The baseline, measured first in the same run, is the dictd import of
// FreeDict English-German (/usr/share/dictd/freedict-eng-deu.index, the
// format the importer has read longest); then each FILE (default: the
// Debian StarDict dictionaries XMLittre and czech-cizi, and the StarDict
// form of FreeDict English-German that bench/prepare_stardict.sh makes in
// WORK_DIR, when it is there). Each import goes to a new group of the right
// code page.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Run {
  double seconds = 0;
  long peakMb = 0;
  int status = -1;
};

Run Import(const std::string& importer, const fs::path& folder, const std::string& file, const char* codePage) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  const auto start = std::chrono::steady_clock::now();
  std::fflush(stdout);  // the child must not write this process's buffered lines again
  const pid_t child = fork();
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    std::freopen("/dev/null", "w", stderr);
    execl(importer.c_str(), importer.c_str(), "--dir", folder.c_str(), file.c_str(), "--new-group", "Bench",
          "--code-page", codePage, static_cast<char*>(nullptr));
    _exit(127);
  }
  Run run;
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakMb = usage.ru_maxrss / 1024;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: lexmora_import_bench LEXMORA_IMPORT WORK_DIR [FILE ...]\n");
    return 2;
  }
  const std::string importer = argv[1];
  const fs::path work = argv[2];
  const std::string baselineFile = "/usr/share/dictd/freedict-eng-deu.index";
  if (!fs::exists(baselineFile)) {
    std::fprintf(stderr, "%s is missing (apt-get install dict-freedict-eng-deu)\n", baselineFile.c_str());
    return 1;
  }
  std::vector<std::pair<std::string, const char*>> files;
  for (int i = 3; i < argc; ++i) files.emplace_back(argv[i], "1252");
  if (files.empty()) {
    for (const char* f : {"/usr/share/stardict/dic/XMLittre.ifo", "/usr/share/stardict/dic/czech-cizi.ifo"})
      if (fs::exists(f)) files.emplace_back(f, std::string(f).find("czech") != std::string::npos ? "1250" : "1252");
    const fs::path sd = work / "freedict-eng-deu.ifo";
    if (fs::exists(sd)) files.emplace_back(sd.string(), "1252");
  }
  const Run base = Import(importer, work / "folder", baselineFile, "1252");
  std::printf("%-60s %8s %8s %10s\n", "file", "seconds", "peak MB", "time ratio");
  std::printf("%-60s %8.2f %8ld %10s  (baseline, exit %d)\n", baselineFile.c_str(), base.seconds, base.peakMb, "1.00",
              base.status);
  for (const auto& [file, codePage] : files) {
    const Run run = Import(importer, work / "folder", file, codePage);
    std::printf("%-60s %8.2f %8ld %10.2f  (exit %d)\n", file.c_str(), run.seconds, run.peakMb, run.seconds / base.seconds,
                run.status);
  }
  fs::remove_all(work / "folder");
  return 0;
}
