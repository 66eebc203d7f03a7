// Full-text index against SQLite FTS5 on the same articles, in one run:
// building the whole index, one- and two-word queries from typed text to the
// occurrences with positions, and the disk each takes.
//
//   LEXMORA_BENCH_DIR=build/freedict build-bench/bench/lexmora_fulltext_bench [GROUP]
//
// The program folder is not modified: the index is built in a scratch
// folder whose DICT files link to the real ones.
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "article/article_renderer.h"
#include "dictionary/article_reader.h"
#include "dictionary/file_names.h"
#include "dictionary/loaded_group.h"
#include "fulltext/indexer.h"
#include "fulltext/searcher.h"
#include "text/code_page.h"

namespace fs = std::filesystem;
using namespace lexmora;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::atol(line.c_str() + prefix.size());
  return -1;
}

// Resets the peak resident size so that the next phase's peak can be read.
void ResetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

std::uint64_t FolderBytes(const fs::path& dir) {
  std::uint64_t total = 0;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.is_regular_file()) total += e.file_size();
  return total;
}

// The text an article shows, as plain UTF-8 (what a user could search for).
class PlainText : public ArticleViewSink {
 public:
  void AddText(const ArticleTextItem& item) override {
    if (item.newParagraph && !text.empty()) text += u'\n';
    text += item.text;
  }
  void AddSoundButton(const ArticleSoundItem&) override {}
  std::u16string text;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void Check(int rc, sqlite3* db, const char* what) {
  if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
    std::fprintf(stderr, "sqlite: %s: %s\n", what, sqlite3_errmsg(db));
    std::exit(2);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const char* dirEnv = std::getenv("LEXMORA_BENCH_DIR");
  if (dirEnv == nullptr || *dirEnv == '\0') {
    std::fprintf(stderr, "LEXMORA_BENCH_DIR is not set: point it at a program folder (bench/prepare_freedict.sh)\n");
    return 1;
  }
  const fs::path dir = dirEnv;
  const int g = argc > 1 ? std::atoi(argv[1]) : 1;
  GroupTableState state = LoadGroupTable(dir);
  if (!state.table.Valid(g) || !state.available.count(g)) {
    std::fprintf(stderr, "group %d is not available in %s\n", g, dir.c_str());
    return 1;
  }
  const DictGroupRecord& record = state.table.Group(g);

  // Scratch program folder: the dictionary files linked, a fresh index folder.
  const fs::path scratch = fs::temp_directory_path() / "lexmora-fulltext-bench";
  fs::remove_all(scratch);
  fs::create_directories(scratch / "DICT" / "INDEX");
  for (const auto& e : fs::directory_iterator(dir / "DICT"))
    if (e.is_regular_file()) fs::create_symlink(fs::absolute(e.path()), scratch / "DICT" / e.path().filename());
  auto group = std::make_shared<const LoadedGroup>(LoadGroup(scratch, state.table, g, record.Enabled()));
  std::printf("group %d: %d entries, %zu sub-dictionaries\n", g, group->EntryCount(), group->headers.size());

  // ---- building
  const long rssBefore = StatusKiB("VmRSS");
  ResetPeak();
  auto start = Clock::now();
  {
    GroupWordSource source(group, record);
    IndexingProgress progress;
    for (auto& job : CheckIndexFiles(scratch, record, *group)) {
      if (BuildIndex(job, source, progress) != BuildResult::Done) {
        std::fprintf(stderr, "disk full\n");
        return 2;
      }
    }
  }
  const double ourBuild = Seconds(start);
  const long ourPeak = StatusKiB("VmHWM") - rssBefore;
  const std::uint64_t ourDisk = FolderBytes(scratch / "DICT" / "INDEX");

  // ---- the same articles for FTS5, one row per article, numbered as ours
  std::vector<std::pair<std::int64_t, std::string>> rows;
  {
    ArticleReader reader(*group);
    ArticleRenderer renderer;
    std::vector<std::uint32_t> counters(256, 0);
    for (int e = 0; e < group->EntryCount(); ++e) {
      const int sub = group->entries[static_cast<std::size_t>(e)].SubDict();
      PlainText text;
      renderer.DrawRVText(reader.Read(e), text);
      rows.emplace_back((static_cast<std::int64_t>(sub) << 32) | ++counters[static_cast<std::size_t>(sub)],
                        Utf16ToUtf8(text.text));
    }
  }
  const fs::path dbPath = scratch / "fts5.db";
  sqlite3* db = nullptr;
  Check(sqlite3_open(dbPath.c_str(), &db), db, "open");
  ResetPeak();
  const long rssBeforeFts = StatusKiB("VmRSS");
  start = Clock::now();
  // SQLite's defaults (rollback journal, full synchronous), all rows in one
  // transaction, the default tokenizer.
  Check(sqlite3_exec(db, "BEGIN; CREATE VIRTUAL TABLE a USING fts5(body);",
                     nullptr, nullptr, nullptr),
        db, "create");
  sqlite3_stmt* insert = nullptr;
  Check(sqlite3_prepare_v2(db, "INSERT INTO a(rowid, body) VALUES(?, ?)", -1, &insert, nullptr), db, "prepare");
  for (const auto& [rowid, body] : rows) {
    sqlite3_bind_int64(insert, 1, rowid);
    sqlite3_bind_text(insert, 2, body.data(), static_cast<int>(body.size()), SQLITE_STATIC);
    Check(sqlite3_step(insert), db, "insert");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  Check(sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr), db, "commit");
  const double ftsBuild = Seconds(start);
  const long ftsPeak = StatusKiB("VmHWM") - rssBeforeFts;
  const std::uint64_t ftsDisk = fs::file_size(dbPath);

  // ---- queries
  struct Query {
    const char* label;
    const char* text;
  };
  const Query queries[] = {
      {"common word", "house"},      {"frequent word", "the"},        {"rare word", "zymurgy"},
      {"absent word", "qzxqwv"},     {"two words", "red car"},        {"two common words", "to be"},
      {"rare and common", "aardvark animal"},
  };
  sqlite3_stmt* match = nullptr;
  Check(sqlite3_prepare_v2(db, "SELECT rowid, highlight(a, 0, char(1), char(2)) FROM a WHERE a MATCH ?", -1, &match,
                           nullptr),
        db, "prepare match");
  std::printf("\n%-18s %-18s %10s %10s %8s %8s %7s\n", "query", "text", "ours ms", "fts5 ms", "ours n", "fts5 n",
              "ratio");
  double worst = 0;
  for (const Query& q : queries) {
    std::vector<double> ours, theirs;
    std::size_t ourCount = 0, theirCount = 0;
    for (int rep = 0; rep < 7; ++rep) {
      SearchProgressState progress;
      auto t = Clock::now();
      SearchResultsArray results = SearchGroupIndex(scratch, record, *group, Utf8ToUtf16(q.text), progress);
      ours.push_back(Seconds(t) * 1000);
      ourCount = results.size();

      t = Clock::now();
      std::string ftsQuery = q.text;
      sqlite3_bind_text(match, 1, ftsQuery.c_str(), -1, SQLITE_TRANSIENT);
      std::size_t n = 0;
      std::size_t bytes = 0;
      while (sqlite3_step(match) == SQLITE_ROW) {
        ++n;
        bytes += static_cast<std::size_t>(sqlite3_column_bytes(match, 1));
      }
      sqlite3_reset(match);
      theirs.push_back(Seconds(t) * 1000);
      theirCount = n;
      (void)bytes;
    }
    const double o = Median(ours), f = Median(theirs);
    worst = std::max(worst, o);
    std::printf("%-18s %-18s %10.3f %10.3f %8zu %8zu %6.2fx\n", q.label, q.text, o, f, ourCount, theirCount,
                f > 0 ? o / f : 0.0);
  }
  sqlite3_finalize(match);
  sqlite3_close(db);

  std::printf("\n== Summary (ratios against SQLite FTS5 %s in this run) ==\n", sqlite3_libversion());
  std::printf("build:  ours %.2f s, FTS5 %.2f s  -> %.2fx\n", ourBuild, ftsBuild, ourBuild / ftsBuild);
  std::printf("peak memory while building: ours +%ld KiB, FTS5 +%ld KiB\n", ourPeak, ftsPeak);
  std::printf("disk:   ours %.1f MB, FTS5 %.1f MB  -> %.2fx\n", ourDisk / 1e6, ftsDisk / 1e6,
              static_cast<double>(ourDisk) / static_cast<double>(ftsDisk));
  std::printf("slowest query: %.3f ms (target under 50 ms)\n", worst);
  fs::remove_all(scratch);
  return 0;
}
