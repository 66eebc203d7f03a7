// Benchmarks of the dictionary core on a real, large group.
//
//   LEXMORA_BENCH_DIR=<program folder> [LEXMORA_BENCH_GROUP=1] lexmora_bench
//
// Every figure is compared with a baseline measured in the same run:
//   - group load (LoadGroup) against a plain fread of the whole ".wif" file;
//   - type-ahead lookup (ListWordChanged), median over a set of typed words;
//   - resident memory of a loaded group against the ".wif" file size;
//   - reading and rendering a typical article.
// A summary with the ratios and their targets is printed at the end.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "article/article_renderer.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "text/code_page.h"

namespace fs = std::filesystem;
using namespace lexmora;

namespace {

constexpr const char* kNoDir =
    "LEXMORA_BENCH_DIR is not set: point it at a program folder (see bench/prepare_freedict.sh)";

// The group under test, set up once from the environment.
struct Fixture {
  fs::path dir;
  int group = 1;
  GroupTable table;
  SubDictSet enabled;
  fs::path wif;
  std::uint64_t wifSize = 0;
  std::string error;
};

const Fixture& GetFixture() {
  static const Fixture fixture = [] {
    Fixture f;
    const char* dir = std::getenv("LEXMORA_BENCH_DIR");
    if (dir == nullptr || *dir == '\0') {
      f.error = kNoDir;
      return f;
    }
    f.dir = dir;
    if (const char* g = std::getenv("LEXMORA_BENCH_GROUP"); g != nullptr && *g != '\0') f.group = std::atoi(g);
    GroupTableState state = LoadGroupTable(f.dir);
    f.table = state.table;
    if (!f.table.Valid(f.group)) {
      f.error = "group " + std::to_string(f.group) + " is not in the group table of " + f.dir.string();
      return f;
    }
    f.enabled = f.table.Group(f.group).Enabled();
    f.wif = ResolveCaseInsensitive(WordIndexPath(f.dir, std::string(f.table.Group(f.group).BaseName())));
    auto size = FileSize(f.wif);
    if (!size) {
      f.error = "no word index file " + f.wif.string();
      return f;
    }
    f.wifSize = *size;
    return f;
  }();
  return fixture;
}

// Skips the benchmark with a message when the fixture is unusable.
bool Ready(benchmark::State& state) {
  const Fixture& f = GetFixture();
  if (!f.error.empty()) {
    state.SkipWithError(f.error.c_str());
    return false;
  }
  return true;
}

// One loaded copy of the group shared by the lookup and article benchmarks.
const LoadedGroup& SharedGroup() {
  static const LoadedGroup group = [] {
    const Fixture& f = GetFixture();
    return LoadGroup(f.dir, f.table, f.group, f.enabled);
  }();
  return group;
}

long ResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6) * 1024;
  }
  return -1;
}

// ---------------------------------------------------------------- memory

void BM_GroupResidentMemory(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  double delta = 0;
  std::size_t entries = 0;
  for (auto _ : state) {
    malloc_trim(0);
    const long before = ResidentBytes();
    auto group = std::make_unique<LoadedGroup>(LoadGroup(f.dir, f.table, f.group, f.enabled));
    const long after = ResidentBytes();
    benchmark::DoNotOptimize(group->entries.data());
    delta = static_cast<double>(after - before);
    entries = group->entries.size();
    state.PauseTiming();
    group.reset();
    state.ResumeTiming();
  }
  state.counters["rss_delta_bytes"] = delta;
  state.counters["wif_bytes"] = static_cast<double>(f.wifSize);
  state.counters["rss_per_wif"] = delta / static_cast<double>(f.wifSize);
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_GroupResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------- loading

// Baseline: the whole ".wif" file read into a fresh buffer with fread.
void BM_ReadWifFile(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.wif.c_str(), "rb");
    std::unique_ptr<char[]> buffer(new char[f.wifSize]);
    const std::size_t got = std::fread(buffer.get(), 1, f.wifSize, file);
    std::fclose(file);
    benchmark::DoNotOptimize(buffer.get());
    if (got != f.wifSize) state.SkipWithError("short read of the word index");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.wifSize));
}
BENCHMARK(BM_ReadWifFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// For reference: the same read into a buffer that is already mapped, i.e.
// the copy from the page cache without the first touch of fresh memory.
void BM_ReadWifFileWarmBuffer(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  std::vector<char> buffer(f.wifSize);
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.wif.c_str(), "rb");
    const std::size_t got = std::fread(buffer.data(), 1, f.wifSize, file);
    std::fclose(file);
    benchmark::DoNotOptimize(buffer.data());
    if (got != f.wifSize) state.SkipWithError("short read of the word index");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.wifSize));
}
BENCHMARK(BM_ReadWifFileWarmBuffer)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LoadGroup(benchmark::State& state) {
  if (!Ready(state)) return;
  const Fixture& f = GetFixture();
  std::size_t entries = 0;
  for (auto _ : state) {
    LoadedGroup group = LoadGroup(f.dir, f.table, f.group, f.enabled);
    entries = group.entries.size();
    benchmark::DoNotOptimize(group.entries.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.wifSize));
  state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_LoadGroup)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// ---------------------------------------------------------------- lookup

enum class Typed { Fixed, BeforeFirst, AfterLast };

struct LookupCase {
  const char* category;
  const char16_t* text;  // for Typed::Fixed
  Typed kind = Typed::Fixed;
};

const LookupCase kLookupCases[] = {
    {"prefix", u"a"},           {"prefix", u"th"},          {"prefix", u"con"},
    {"prefix", u"inter"},       {"prefix", u"Pre"},         {"prefix", u"s"},
    {"word", u"house"},         {"word", u"dictionary"},    {"word", u"water"},
    {"word", u"run"},           {"word", u"beautiful"},     {"word", u"zebra"},
    {"word", u"  Table\t"},     {"miss", u"qzxvk"},         {"miss", u"housekeeperzz"},
    {"miss", u"xylophonist"},   {"miss", u"mmmmmmmmmmmm"},  {"before_first", nullptr, Typed::BeforeFirst},
    {"after_last", nullptr, Typed::AfterLast},
};

std::u16string TypedText(const LookupCase& c, const LoadedGroup& group) {
  switch (c.kind) {
    case Typed::Fixed: return c.text;
    case Typed::BeforeFirst: {
      // A proper prefix of the first key sorts before it; "!" otherwise.
      const std::string_view first = group.entries.empty() ? std::string_view() : group.entries.front().SortKey();
      if (first.size() > 1 && static_cast<unsigned char>(first[0]) > ' ')
        return ToUnicode(first.substr(0, 1), group.codePage);
      return u"!";
    }
    case Typed::AfterLast: {
      if (group.entries.empty()) return u"z";
      // The last key followed by one more letter sorts after it.
      return ToUnicode(group.entries.back().SortKey(), group.codePage) + u"Z";
    }
  }
  return {};
}

void BM_ListWordChanged(benchmark::State& state, const LookupCase* c) {
  if (!Ready(state)) return;
  const LoadedGroup& group = SharedGroup();
  const std::u16string typed = TypedText(*c, group);
  int row = 0;
  for (auto _ : state) {
    row = ListWordChanged(typed, group, nullptr);
    benchmark::DoNotOptimize(row);
  }
  state.counters["row"] = row;
  state.SetLabel(Utf16ToUtf8(typed) + " -> " +
                 (group.entries.empty() ? std::string() : Utf16ToUtf8(ToUnicode(
                     group.entries[static_cast<std::size_t>(row)].Display(), group.codePage))));
}

// The binary search alone, on a key already converted.
void BM_LookupKeyOnly(benchmark::State& state) {
  if (!Ready(state)) return;
  const LoadedGroup& group = SharedGroup();
  const std::string key = LookupKey(u"house", group.codePage);
  for (auto _ : state) benchmark::DoNotOptimize(Lookup(key, group, nullptr));
}
BENCHMARK(BM_LookupKeyOnly);

// ---------------------------------------------------------------- articles

// The entry whose article has the median length: a typical article.
int TypicalEntry(const LoadedGroup& group) {
  if (group.entries.empty()) return -1;
  std::vector<std::pair<std::uint32_t, int>> lengths;
  const std::size_t step = std::max<std::size_t>(1, group.entries.size() / 10000);
  for (std::size_t i = 0; i < group.entries.size(); i += step)
    lengths.push_back({group.entries[i].ArticleLength(), static_cast<int>(i)});
  std::nth_element(lengths.begin(), lengths.begin() + static_cast<long>(lengths.size() / 2), lengths.end());
  return lengths[lengths.size() / 2].second;
}

class CountingView : public ArticleViewSink {
 public:
  void AddText(const ArticleTextItem& item) override { units += item.text.size(), ++items; }
  void AddSoundButton(const ArticleSoundItem&) override { ++items; }
  std::size_t units = 0, items = 0;
};

void BM_ArticleRead(benchmark::State& state) {
  if (!Ready(state)) return;
  const LoadedGroup& group = SharedGroup();
  const int entry = TypicalEntry(group);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = ReadArticleText(group, entry);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.counters["article_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ArticleRead)->Unit(benchmark::kMicrosecond);

void BM_ArticleReadAndDraw(benchmark::State& state) {
  if (!Ready(state)) return;
  const LoadedGroup& group = SharedGroup();
  const int entry = TypicalEntry(group);
  ArticleRenderer renderer;
  std::size_t items = 0, bytes = 0;
  for (auto _ : state) {
    const std::string text = ReadArticleText(group, entry);
    RecordingArticleView view;
    renderer.DrawRVText(text, view);
    items = view.items.size();
    bytes = text.size();
    benchmark::DoNotOptimize(view.items.data());
  }
  state.counters["article_bytes"] = static_cast<double>(bytes);
  state.counters["items"] = static_cast<double>(items);
  if (entry >= 0)
    state.SetLabel(Utf16ToUtf8(ToUnicode(group.entries[static_cast<std::size_t>(entry)].Display(), group.codePage)));
}
BENCHMARK(BM_ArticleReadAndDraw)->Unit(benchmark::kMicrosecond);

// Rendering alone of the same article, into a view that only counts.
void BM_ArticleDraw(benchmark::State& state) {
  if (!Ready(state)) return;
  const LoadedGroup& group = SharedGroup();
  const std::string text = ReadArticleText(group, TypicalEntry(group));
  ArticleRenderer renderer;
  for (auto _ : state) {
    CountingView view;
    renderer.DrawRVText(text, view);
    benchmark::DoNotOptimize(view.units);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ArticleDraw)->Unit(benchmark::kMicrosecond);

// ---------------------------------------------------------------- summary

// Console output plus a summary of the ratios against the baselines.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      std::string name = run.benchmark_name();
      const bool lookup = name.rfind("BM_ListWordChanged/", 0) == 0;
      // Options such as "/min_time:2.000" are not part of the key.
      if (!lookup) name = name.substr(0, name.find('/'));
      // Seconds per iteration, whatever the display unit.
      const double iterations = static_cast<double>(run.iterations);
      Times t{run.real_accumulated_time / iterations, run.cpu_accumulated_time / iterations};
      times_[name] = t;
      if (lookup) lookups_.push_back({t.real, name});
      for (const auto& [counter, value] : run.counters) counters_[name + ":" + counter] = value;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n== Summary (ratios against baselines measured in this run) ==\n");
    if (times_.count("BM_ReadWifFile") && times_.count("BM_LoadGroup")) {
      const Times load = times_["BM_LoadGroup"], read = times_["BM_ReadWifFile"];
      const double ratio = load.real / read.real;
      std::printf("group load: LoadGroup %.2f ms, fread of the .wif %.2f ms: ratio %.2fx wall clock, %.2fx CPU time "
                  "(target <= 2x) %s\n",
                  load.real * 1e3, read.real * 1e3, ratio, load.cpu / read.cpu, Verdict(ratio <= 2.0));
      if (times_.count("BM_ReadWifFileWarmBuffer")) {
        const Times warm = times_["BM_ReadWifFileWarmBuffer"];
        std::printf("  for reference: fread into an already mapped buffer %.2f ms (LoadGroup %.2fx of it)\n",
                    warm.real * 1e3, load.real / warm.real);
      }
    }
    if (!lookups_.empty()) {
      std::sort(lookups_.begin(), lookups_.end());
      const std::size_t n = lookups_.size();
      const double median = n % 2 ? lookups_[n / 2].first : (lookups_[n / 2 - 1].first + lookups_[n / 2].first) / 2;
      std::printf("lookup (ListWordChanged) over %zu typed words: median %.0f ns, min %.0f ns, max %.0f ns (%s); "
                  "target median < 2000 ns %s\n",
                  n, median * 1e9, lookups_.front().first * 1e9, lookups_.back().first * 1e9,
                  lookups_.back().second.c_str(), Verdict(median < 2e-6));
    }
    const std::string mem = "BM_GroupResidentMemory";
    if (counters_.count(mem + ":rss_per_wif")) {
      const double ratio = counters_[mem + ":rss_per_wif"];
      std::printf("memory: loaded group +%.1f MiB resident, .wif file %.1f MiB: ratio %.2fx (target < 2x) %s\n",
                  counters_[mem + ":rss_delta_bytes"] / 1048576.0, counters_[mem + ":wif_bytes"] / 1048576.0, ratio,
                  Verdict(ratio < 2.0));
    }
    if (times_.count("BM_ArticleReadAndDraw")) {
      std::printf("typical article (%.0f bytes): read %.1f us, read + DrawRVText %.1f us, DrawRVText alone %.2f us\n",
                  counters_["BM_ArticleReadAndDraw:article_bytes"], times_["BM_ArticleRead"].real * 1e6,
                  times_["BM_ArticleReadAndDraw"].real * 1e6, times_["BM_ArticleDraw"].real * 1e6);
    }
  }

 private:
  static const char* Verdict(bool ok) { return ok ? "[ok]" : "[MISSED]"; }
  struct Times {
    double real = 0, cpu = 0;  // seconds per iteration
  };
  std::map<std::string, Times> times_;
  std::map<std::string, double> counters_;
  std::vector<std::pair<double, std::string>> lookups_;
};

}  // namespace

int main(int argc, char** argv) {
  for (const LookupCase& c : kLookupCases) {
    std::string name = std::string("BM_ListWordChanged/") + c.category;
    if (c.text != nullptr) {
      std::string word;
      for (char ch : Utf16ToUtf8(c.text))
        if (ch != ' ' && ch != '\t') word.push_back(ch);
      name += ":" + word;
    }
    benchmark::RegisterBenchmark(name.c_str(), BM_ListWordChanged, &c);
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!GetFixture().error.empty()) std::fprintf(stderr, "lexmora_bench: %s\n", GetFixture().error.c_str());
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
