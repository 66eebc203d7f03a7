// Benchmarks of the user list on a real, large group.
//
//   LEXMORA_BENCH_DIR=<program folder> [LEXMORA_BENCH_GROUP=1] lexmora_lists_bench
//
// The list holds every 46th word of the group (10,092 marks for the
// 464,221 words of freedict-eng-deu). Files go to a folder of their own under
// the temporary folder (TMPDIR), removed at exit. Every figure is the median
// of five repetitions and is set against a baseline measured in the same
// run (run with --benchmark_enable_random_interleaving=true so that a
// figure and its baseline see the same state of the machine):
//   - saving a list file (SaveNotepadFile, Session::SaveList) against
//     WriteFileAtomically of the same bytes from a ready buffer;
//   - loading one (ReadNotepadFile + ApplyNotepadFile, Session::LoadList)
//     against ReadWholeFile of the file;
//   - the user-list view (BuildViewList) against a plain count of the marks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "lists/notepad_file.h"
#include "session/session.h"

namespace fs = std::filesystem;
using namespace lexmora;

namespace {

constexpr std::size_t kMarkEvery = 46;
constexpr int kRepetitions = 5;

// The group under test and its list, set up once from the environment.
struct Fixture {
  fs::path dir;
  int group = 1;
  LoadedGroup loaded;
  NotepadARRAY marks;  // every kMarkEvery-th word marked
  std::size_t markCount = 0;
  std::string image;  // the list file image of marks
  fs::path scratch;   // the folder the files are written to
  std::string error;
};

const Fixture& GetFixture() {
  static const Fixture fixture = [] {
    Fixture f;
    const char* dir = std::getenv("LEXMORA_BENCH_DIR");
    if (dir == nullptr || *dir == '\0') {
      f.error = "LEXMORA_BENCH_DIR is not set: point it at a program folder (see bench/prepare_freedict.sh)";
      return f;
    }
    f.dir = dir;
    if (const char* g = std::getenv("LEXMORA_BENCH_GROUP"); g != nullptr && *g != '\0') f.group = std::atoi(g);
    const GroupTableState state = LoadGroupTable(f.dir);
    if (!state.table.Valid(f.group)) {
      f.error = "group " + std::to_string(f.group) + " is not in the group table of " + f.dir.string();
      return f;
    }
    f.loaded = LoadGroup(f.dir, state.table, f.group, state.table.Group(f.group).Enabled());
    if (f.loaded.entries.empty()) {
      f.error = "group " + std::to_string(f.group) + " has no words";
      return f;
    }
    f.marks.assign(f.loaded.entries.size(), 0);
    for (std::size_t i = 0; i < f.marks.size(); i += kMarkEvery) f.marks[i] = 1, ++f.markCount;
    f.image = NotepadFileImage(f.loaded, f.marks);
    std::error_code ec;
    f.scratch = fs::temp_directory_path(ec) / ("lexmora-lists-bench-" + std::to_string(::getpid()));
    fs::create_directories(f.scratch, ec);
    if (ec) {
      f.error = "cannot make " + f.scratch.string();
      return f;
    }
    static const fs::path toRemove = f.scratch;
    std::atexit([] {
      std::error_code e;
      fs::remove_all(toRemove, e);
    });
    // The file the load benchmarks read.
    if (!WriteFileAtomically(f.scratch / "list.npl", f.image)) f.error = "cannot write into " + f.scratch.string();
    return f;
  }();
  return fixture;
}

bool Ready(benchmark::State& state) {
  const Fixture& f = GetFixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return false;
  }
  return true;
}

// A session with the group open and the list loaded into its user list.
Session& SharedSession() {
  static const std::unique_ptr<Session> session = [] {
    const Fixture& f = GetFixture();
    auto s = std::make_unique<Session>(f.dir);
    s->OpenGroup(f.group);
    s->LoadList(f.scratch / "list.npl");
    s->SetView(kViewFull);
    return s;
  }();
  return *session;
}

// ---------------------------------------------------------------- saving

// Baseline: the same bytes written the same way from a ready buffer.
void BM_WriteFileAtomically(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  const fs::path path = f.scratch / "baseline.npl";
  for (auto _ : state)
    if (!WriteFileAtomically(path, f.image)) state.SkipWithError("write failed");
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.image.size()));
  state.counters["file_bytes"] = static_cast<double>(f.image.size());
}
BENCHMARK(BM_WriteFileAtomically)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_SaveNotepadFile(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  const fs::path path = f.scratch / "saved.npl";
  for (auto _ : state)
    if (!SaveNotepadFile(f.loaded, f.marks, path)) state.SkipWithError("save failed");
  state.counters["marks"] = static_cast<double>(f.markCount);
}
BENCHMARK(BM_SaveNotepadFile)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_SessionSaveList(benchmark::State& state) {
  if (!Ready(state)) return;
  const Session& session = SharedSession();
  const fs::path path = GetFixture().scratch / "session.npl";
  for (auto _ : state)
    if (!session.SaveList(path)) state.SkipWithError("Session::SaveList failed");
  if (ReadWholeFile(path) != GetFixture().image) state.SkipWithError("Session::SaveList wrote another list");
}
BENCHMARK(BM_SessionSaveList)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// ---------------------------------------------------------------- loading

// Baseline: the whole file read into memory.
void BM_ReadWholeFile(benchmark::State& state) {
  if (!Ready(state)) return;
  const fs::path path = GetFixture().scratch / "list.npl";
  for (auto _ : state) {
    auto image = ReadWholeFile(path);
    if (!image) {
      state.SkipWithError("read failed");
      break;
    }
    benchmark::DoNotOptimize(image->data());
  }
}
BENCHMARK(BM_ReadWholeFile)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_ReadAndApplyNotepadFile(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  const fs::path path = f.scratch / "list.npl";
  NotepadARRAY marks(f.loaded.entries.size(), 0);
  for (auto _ : state) {
    auto file = ReadNotepadFile(path);
    if (!file) {
      state.SkipWithError("read failed");
      break;
    }
    ApplyNotepadFile(*file, f.loaded, marks);
    benchmark::DoNotOptimize(marks.data());
  }
  if (marks != f.marks) state.SkipWithError("the marks read back differ");
}
BENCHMARK(BM_ReadAndApplyNotepadFile)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_SessionLoadList(benchmark::State& state) {
  if (!Ready(state)) return;
  Session& session = SharedSession();
  const fs::path path = GetFixture().scratch / "list.npl";
  for (auto _ : state)
    if (!session.LoadList(path).loaded) state.SkipWithError("Session::LoadList did not load the list");
}
BENCHMARK(BM_SessionLoadList)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// For reference: the walk over the entry table that writing and applying a
// list make (one counter per sub-dictionary), without the file.
void BM_WalkEntries(benchmark::State& state) {
  if (!Ready(state)) return;
  const LoadedGroup& group = GetFixture().loaded;
  for (auto _ : state) {
    std::uint32_t counter[256] = {};
    for (const VoclIndexRecord& r : group.entries) ++counter[r.SubDict()];
    benchmark::DoNotOptimize(counter);
  }
}
BENCHMARK(BM_WalkEntries)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// ---------------------------------------------------------------- view list

// Baseline: one pass over the marks counting the marked words.
void BM_CountMarks(benchmark::State& state) {
  if (!Ready(state)) return;
  const NotepadARRAY& marks = GetFixture().marks;
  for (auto _ : state) {
    benchmark::DoNotOptimize(marks.data());
    const auto n = std::count_if(marks.begin(), marks.end(), [](std::uint8_t b) { return b != 0; });
    benchmark::DoNotOptimize(n);
  }
}
BENCHMARK(BM_CountMarks)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

void BM_BuildViewList(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  std::size_t rows = 0;
  for (auto _ : state) {
    const ViewList list = BuildViewList(f.marks);
    rows = list.size();
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["rows"] = static_cast<double>(rows);
  state.counters["words"] = static_cast<double>(f.marks.size());
}
BENCHMARK(BM_BuildViewList)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// The user-list view button: the view list rebuilt by the session.
void BM_SessionSetUserListView(benchmark::State& state) {
  if (!Ready(state)) return;
  Session& session = SharedSession();
  for (auto _ : state) {
    session.SetView(kViewUserList);
    benchmark::DoNotOptimize(session.CurrentViewList().data());
  }
  state.counters["rows"] = static_cast<double>(session.CurrentViewList().size());
  session.SetView(kViewFull);  // the save benchmark writes the user list of the full view
}
BENCHMARK(BM_SessionSetUserListView)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions);

// ---------------------------------------------------------------- summary

// Console output plus the medians over the repetitions, their targets and
// their ratios against the baselines.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      std::string name = run.benchmark_name();
      name = name.substr(0, name.find('/'));  // without "/repeats:5"
      const double iterations = static_cast<double>(run.iterations);
      times_[name].push_back(run.real_accumulated_time / iterations);
      cpu_[name].push_back(run.cpu_accumulated_time / iterations);
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const Fixture& f = GetFixture();
    if (!f.error.empty()) return;
    std::printf("\n== Summary (medians of %d repetitions; ratios against baselines measured in this run) ==\n",
                kRepetitions);
    std::printf("list: %zu marks over %zu words (every %zuth), file %zu bytes in %s\n", f.markCount, f.marks.size(),
                kMarkEvery, f.image.size(), f.scratch.parent_path().c_str());
    Line("save: SaveNotepadFile", "BM_SaveNotepadFile", "WriteFileAtomically of the image", "BM_WriteFileAtomically",
         20e-3);
    Line("save: Session::SaveList", "BM_SessionSaveList", "WriteFileAtomically of the image",
         "BM_WriteFileAtomically", 20e-3);
    Line("load: ReadNotepadFile + ApplyNotepadFile", "BM_ReadAndApplyNotepadFile", "ReadWholeFile",
         "BM_ReadWholeFile", 20e-3);
    Line("load: Session::LoadList", "BM_SessionLoadList", "ReadWholeFile", "BM_ReadWholeFile", 20e-3);
    if (times_.count("BM_WalkEntries"))
      std::printf("  for reference: the walk over the %zu entries alone %.3f ms\n", f.loaded.entries.size(),
                  Median(times_["BM_WalkEntries"]) * 1e3);
    Line("view: BuildViewList", "BM_BuildViewList", "counting the marks", "BM_CountMarks", 5e-3);
    Line("view: Session::SetView(user list)", "BM_SessionSetUserListView", "counting the marks", "BM_CountMarks",
         5e-3);
  }

 private:
  static double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  }

  void Line(const char* what, const std::string& name, const char* baseWhat, const std::string& base,
            double target) {
    if (!times_.count(name)) return;
    const double t = Median(times_[name]);
    std::printf("%-42s %7.3f ms, CPU %7.3f ms (target < %.0f ms) %s", what, t * 1e3, Median(cpu_[name]) * 1e3,
                target * 1e3, t < target ? "[ok]" : "[MISSED]");
    if (times_.count(base)) {
      const double b = Median(times_[base]);
      std::printf("; %s %.3f ms, CPU %.3f ms: ratio %.2fx", baseWhat, b * 1e3, Median(cpu_[base]) * 1e3, t / b);
    }
    std::printf("\n");
  }

  // Seconds per iteration, wall clock and CPU, one per repetition.
  std::map<std::string, std::vector<double>> times_, cpu_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!GetFixture().error.empty()) std::fprintf(stderr, "lexmora_lists_bench: %s\n", GetFixture().error.c_str());
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
