// The game set-up on a real, large group.
//
//   LEXMORA_BENCH_DIR=<program folder> [LEXMORA_BENCH_GROUP=1] lexmora_game_bench
//
// Two cases, each with a session that has the group open in the full view
// and a stand-in picture module (4 pictures, 3 backgrounds, 12 regions, every
// load succeeding), so that the set-up gets as far as the words:
//   1. the group as it is: no article has a game section, the set-up
//      answers NoWords;
//   2. a copy of the group, written once into a folder of its own under the
//      temporary folder (TMPDIR) and removed at exit, in which every 1000th
//      entry's article ends in a game section.
// Timed, five repetitions each, medians reported:
//   - Session::SetUpGame(-1, -1) the first time after a load, while the
//     per-group game-word record is still empty and is filled as articles
//     are read, and the following times, when it is filled;
//   - Session::MakeGameAutoList(), first and following, on the copy;
//   - ScanGameWords of the group, the one full pass over its articles that
//     a worker makes per load.
// Baselines, measured in the same run: ScanGameWords for the first calls,
// BuildViewList over a mark array of the group's size for the following
// ones.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/article_reader.h"
#include "dictionary/group_writer.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "game/game_article.h"
#include "game/game_setup.h"
#include "game/game_words.h"
#include "session/session.h"

namespace fs = std::filesystem;
using namespace lexmora;

namespace {

constexpr int kRepetitions = 5;
constexpr int kGameWordEvery = 1000;

// The picture module as the set-up sees it, without pictures.
class StandInPictures : public GamePictures {
 public:
  int PictureCount() const override { return 4; }
  int BackgroundCount() const override { return 3; }
  bool LoadGamePicture(int) override {
    loaded_ = true;
    return true;
  }
  bool LoadGameBackground(int) override { return true; }
  int RegionCount() const override { return loaded_ ? 12 : 0; }

 private:
  bool loaded_ = false;
};

struct Sample {
  double wall = 0;  // seconds
  double cpu = 0;
};

// Processor time of the process, in seconds.
double CpuNow() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// One timed call: wall clock and processor time.
Sample TimeOnce(const std::function<void()>& call) {
  const double c0 = CpuNow();
  const auto t0 = std::chrono::steady_clock::now();
  call();
  const auto t1 = std::chrono::steady_clock::now();
  const double c1 = CpuNow();
  return {std::chrono::duration<double>(t1 - t0).count(), c1 - c0};
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Measure {
  std::vector<double> wall, cpu;
  double MedianWall() const { return Median(wall); }
  double MedianCpu() const { return Median(cpu); }
};

std::map<std::string, Measure> measures;

void Record(const std::string& name, const Sample& s) {
  measures[name].wall.push_back(s.wall);
  measures[name].cpu.push_back(s.cpu);
  std::printf("  %-44s %10.3f ms  (CPU %10.3f ms)\n", name.c_str(), s.wall * 1e3, s.cpu * 1e3);
}

const char* ResultName(GameSetUpResult r) {
  switch (r) {
    case GameSetUpResult::Ready:
      return "Ready";
    case GameSetUpResult::NoRegions:
      return "NoRegions";
    case GameSetUpResult::NoWords:
      return "NoWords";
  }
  return "?";
}

// Empties the session's game-word record of group g, as a new load does.
void ForgetGameWords(Session& session, int g) {
  session.SetGameWordTable(g, session.GroupLoadCount(g),
                           GameWordTable(session.Group(g).entries.size(), kUnknown));
}

std::size_t CountGameWords(const GameWordTable& table) {
  return static_cast<std::size_t>(std::count(table.begin(), table.end(), static_cast<std::uint8_t>(kGameWord)));
}

// Writes into dir a copy of group g of session in which every
// kGameWordEvery-th entry's article gets a game section. Returns the error,
// empty on success.
std::string WriteGameCopy(const fs::path& source, int g, const fs::path& dir, std::size_t& withSection) {
  const GroupTableState state = LoadGroupTable(source);
  const DictGroupRecord& record = state.table.Group(g);
  const LoadedGroup group = LoadGroup(source, state.table, g, record.Enabled());
  ArticleReader reader(group);
  std::vector<SourceSubDict> subDicts(group.headers.size());
  for (std::size_t k = 0; k < group.headers.size(); ++k) subDicts[k].header = group.headers[k];
  static const std::string kSection = std::string(GameSectionStart) +
                                      "a word used in a game question; more text after the semicolon" +
                                      std::string(GameSectionEnd);
  withSection = 0;
  for (int i = 0; i < group.EntryCount(); ++i) {
    const VoclIndexRecord& e = group.entries[static_cast<std::size_t>(i)];
    const std::uint8_t k = group.numberMap[static_cast<std::size_t>(e.SubDict())];
    if (k == kNoHeader) continue;
    std::string article = reader.Read(i);
    if (i % kGameWordEvery == 0) {
      if (article.find("\r\n") == std::string::npos) article += "\r\n";
      article += kSection;
      ++withSection;
    }
    subDicts[k].entries.push_back({std::string(e.Display()), std::string(e.SortKey()), std::move(article)});
  }
  const GroupWriteResult result =
      WriteGroupFiles(dir, std::string(record.BaseName()), record.CodePage(), subDicts);
  if (!result.ok) return "writing the copy failed: " + result.error;
  if (!SaveGroupTable(dir, state.table)) return "cannot write the group table into " + dir.string();
  return {};
}

// The five repetitions of one case on an open session.
void RunCase(const std::string& label, Session& session, int g, bool autoList) {
  const LoadedGroup& group = session.Group(g);
  std::printf("%s: %d entries\n", label.c_str(), group.EntryCount());

  std::size_t gameWords = 0;
  for (int r = 0; r < kRepetitions; ++r)
    Record(label + " ScanGameWords", TimeOnce([&] { gameWords = CountGameWords(ScanGameWords(group)); }));
  std::printf("  game words found by the scan: %zu\n", gameWords);

  NotepadARRAY marks(group.entries.size(), 0);
  for (std::size_t i = 0; i < marks.size(); i += kGameWordEvery) marks[i] = 1;
  std::size_t rows = 0;
  for (int r = 0; r < kRepetitions; ++r)
    Record(label + " BuildViewList", TimeOnce([&] {
             const ViewList list = BuildViewList(marks);
             rows = list.size();
           }));
  std::printf("  view list rows: %zu\n", rows);

  GameSetUpResult result{};
  for (int r = 0; r < kRepetitions; ++r) {
    ForgetGameWords(session, g);
    Record(label + " SetUpGame first", TimeOnce([&] { result = session.SetUpGame(-1, -1); }));
  }
  std::printf("  result: %s, %d words in the round\n", ResultName(result), session.Game().round.RegionCount());
  for (int r = 0; r < kRepetitions; ++r)
    Record(label + " SetUpGame following", TimeOnce([&] { result = session.SetUpGame(-1, -1); }));
  std::printf("  result: %s, %d words in the round\n", ResultName(result), session.Game().round.RegionCount());

  if (!autoList) return;
  bool made = false;
  for (int r = 0; r < kRepetitions; ++r) {
    ForgetGameWords(session, g);
    Record(label + " MakeGameAutoList first", TimeOnce([&] { made = session.MakeGameAutoList(); }));
  }
  const auto listed = [&] {
    const NotepadARRAY& list = session.Group(g).gameList;
    return static_cast<std::size_t>(std::count_if(list.begin(), list.end(), [](std::uint8_t b) { return b != 0; }));
  };
  std::printf("  made: %s, %zu words in the Game Auto List\n", made ? "yes" : "no", listed());
  for (int r = 0; r < kRepetitions; ++r)
    Record(label + " MakeGameAutoList following", TimeOnce([&] { made = session.MakeGameAutoList(); }));
  std::printf("  made: %s, %zu words in the Game Auto List\n", made ? "yes" : "no", listed());
}

void Line(const char* what, const std::string& name, const char* baseWhat, const std::string& base, double target) {
  if (!measures.count(name)) return;
  const Measure& m = measures[name];
  const double t = m.MedianWall();
  std::printf("%-44s %9.3f ms, CPU %9.3f ms (target < %.0f ms) %s", what, t * 1e3, m.MedianCpu() * 1e3,
              target * 1e3, t < target ? "[ok]" : "[MISSED]");
  if (measures.count(base)) {
    const Measure& b = measures[base];
    std::printf("; %s %.3f ms: ratio %.3fx", baseWhat, b.MedianWall() * 1e3, t / b.MedianWall());
  }
  std::printf("\n");
}

}  // namespace

int main() {
  const char* dirText = std::getenv("LEXMORA_BENCH_DIR");
  if (dirText == nullptr || *dirText == '\0') {
    std::fprintf(stderr,
                 "lexmora_game_bench: LEXMORA_BENCH_DIR is not set: point it at a program folder "
                 "(see bench/prepare_freedict.sh)\n");
    return 1;
  }
  const fs::path dir = dirText;
  int g = 1;
  if (const char* text = std::getenv("LEXMORA_BENCH_GROUP"); text != nullptr && *text != '\0') g = std::atoi(text);

  StandInPictures pictures;

  // 1. The group as it is.
  {
    Session session(dir);
    if (!session.OpenGroup(g) || session.Group(g).entries.empty()) {
      std::fprintf(stderr, "lexmora_game_bench: group %d of %s cannot be opened or has no words\n", g,
                   dir.c_str());
      return 1;
    }
    session.SetGamePictures(&pictures);
    session.SetView(kViewFull);
    RunCase("plain", session, g, false);
  }

  // 2. The copy with game sections.
  std::error_code ec;
  const fs::path scratch = fs::temp_directory_path(ec) / ("lexmora-game-bench-" + std::to_string(::getpid()));
  fs::create_directories(scratch, ec);
  if (ec) {
    std::fprintf(stderr, "lexmora_game_bench: cannot make %s\n", scratch.c_str());
    return 1;
  }
  static const fs::path toRemove = scratch;
  std::atexit([] {
    std::error_code e;
    fs::remove_all(toRemove, e);
  });
  std::size_t withSection = 0;
  const auto w0 = std::chrono::steady_clock::now();
  if (const std::string error = WriteGameCopy(dir, g, scratch, withSection); !error.empty()) {
    std::fprintf(stderr, "lexmora_game_bench: %s\n", error.c_str());
    return 1;
  }
  std::printf("copy with %zu game sections (every %dth entry) written to %s in %.1f s (not measured)\n",
              withSection, kGameWordEvery, scratch.c_str(),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count());
  {
    Session session(scratch);
    if (!session.OpenGroup(g) || session.Group(g).entries.empty()) {
      std::fprintf(stderr, "lexmora_game_bench: the copy of group %d cannot be opened\n", g);
      return 1;
    }
    session.SetGamePictures(&pictures);
    session.SetView(kViewFull);
    RunCase("game", session, g, true);
  }

  std::printf("\n== Summary (medians of %d repetitions; ratios against baselines measured in this run) ==\n",
              kRepetitions);
  Line("plain: ScanGameWords (worker, once a load)", "plain ScanGameWords", "", "", 1.0);
  Line("plain: SetUpGame first (NoWords)", "plain SetUpGame first", "ScanGameWords", "plain ScanGameWords", 1.0);
  Line("plain: SetUpGame following (NoWords)", "plain SetUpGame following", "BuildViewList",
       "plain BuildViewList", 1.0);
  Line("game: ScanGameWords (worker, once a load)", "game ScanGameWords", "", "", 1.0);
  Line("game: SetUpGame first", "game SetUpGame first", "ScanGameWords", "game ScanGameWords", 0.1);
  Line("game: SetUpGame following", "game SetUpGame following", "BuildViewList", "game BuildViewList", 0.1);
  Line("game: MakeGameAutoList first", "game MakeGameAutoList first", "ScanGameWords", "game ScanGameWords", 0.1);
  Line("game: MakeGameAutoList following", "game MakeGameAutoList following", "BuildViewList",
       "game BuildViewList", 0.1);
  return 0;
}
