#include <chrono>
#include <memory>
#include <system_error>

#include "cli_commands.h"
#include "dictionary/loaded_group.h"
#include "fulltext/indexer.h"
#include "fulltext/searcher.h"
#include "json_writer.h"
#include "text/code_page.h"

namespace lexmora::cli {

namespace {

struct IndexedGroup {
  GroupTableState state;
  std::shared_ptr<LoadedGroup> group;
  int number = 0;
};

std::optional<IndexedGroup> Open(const CliOptions& options, const std::string& groupText, std::ostream& err) {
  IndexedGroup g;
  g.state = LoadGroupTable(options.dir);
  auto number = ParseInteger(groupText);
  if (!number || !g.state.table.Valid(static_cast<int>(*number)) || !g.state.available.count(static_cast<int>(*number))) {
    err << "lexmora-cli: group " << groupText << " is not an available group\n";
    return std::nullopt;
  }
  g.number = static_cast<int>(*number);
  g.group = std::make_shared<LoadedGroup>(
      LoadGroup(options.dir, g.state.table, g.number, g.state.table.Group(g.number).Enabled()));
  return g;
}

}  // namespace

int CommandIndex(const CliOptions& options, const std::string& groupText, std::ostream& out, std::ostream& err) {
  auto g = Open(options, groupText, err);
  if (!g) return 2;
  const DictGroupRecord& record = g->state.table.Group(g->number);
  auto jobs = CheckIndexFiles(options.dir, record, *g->group);
  std::error_code ec;
  if (!jobs.empty()) std::filesystem::create_directories(options.dir / "DICT" / "INDEX", ec);
  GroupWordSource source(g->group, record);
  IndexingProgress progress;
  JsonWriter json;
  json.BeginObject().Key("jobs").BeginArray();
  int code = 0;
  for (auto& job : jobs) {
    const auto start = std::chrono::steady_clock::now();
    try {
      if (BuildIndex(job, source, progress) == BuildResult::DiskFull) {
        err << "Disk full! Indexing process stoped!\n";
        code = 4;
        continue;
      }
    } catch (const std::exception& e) {
      err << "lexmora-cli: indexing stopped: " << e.what() << "\n";
      code = 4;
      break;
    }
    ++progress.jobsDone;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    if (options.json) {
      json.BeginObject()
          .Field("file", job.fileName.string())
          .Field("subdict", job.subDict)
          .Field("articles", static_cast<std::int64_t>(job.articleCount))
          .EndObject();
    } else {
      out << job.fileName.string() << "\t" << job.articleCount << " articles\t" << ms << " ms\n";
    }
  }
  json.EndArray().EndObject();
  if (options.json) out << json.str() << "\n";
  else if (jobs.empty()) out << "the index of group " << g->number << " is complete\n";
  return code;
}

int CommandSearch(const CliOptions& options, const std::string& groupText, const std::string& query, std::ostream& out,
                  std::ostream& err) {
  auto g = Open(options, groupText, err);
  if (!g) return 2;
  const DictGroupRecord& record = g->state.table.Group(g->number);
  if (!CheckIndexFiles(options.dir, record, *g->group).empty()) {
    err << "lexmora-cli: the full-text index of group " << g->number << " is incomplete; run: index "
        << g->number << "\n";
    return 3;
  }
  SearchProgressState state;
  std::vector<std::u16string> words;
  const auto start = std::chrono::steady_clock::now();
  SearchResultsArray results = SearchGroupIndex(options.dir, record, *g->group, Utf8ToUtf16(query), state, &words);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  const LoadedGroup& group = *g->group;
  auto headword = [&](int entry) {
    return entry < 0 ? std::string()
                     : Utf16ToUtf8(ToUnicode(group.entries[static_cast<std::size_t>(entry)].Display(), group.codePage));
  };
  if (!options.json) {
    for (const auto& r : results) {
      const int entry = ResultEntry(group, r);
      out << r.subDict << "\t" << (r.occurrences.empty() ? 0 : r.occurrences.front().article) << "\t"
          << headword(entry) << "\t" << r.occurrences.size() << " hits\n";
    }
    out << SearchStatusText(results.size(), ms) << "\n";
    return 0;
  }
  JsonWriter json;
  json.BeginObject().Key("words").BeginArray();
  for (const auto& w : words) json.String(Utf16ToUtf8(w));
  json.EndArray().Field("items", static_cast<std::int64_t>(results.size())).Key("results").BeginArray();
  for (const auto& r : results) {
    const int entry = ResultEntry(group, r);
    json.BeginObject()
        .Field("file", static_cast<std::int64_t>(r.filePosition))
        .Field("subdict", static_cast<std::int64_t>(r.subDict))
        .Field("article", static_cast<std::int64_t>(r.occurrences.empty() ? 0 : r.occurrences.front().article))
        .Field("entry", entry)
        .Field("headword", headword(entry));
    json.Key("occurrences").BeginArray();
    for (const auto& o : r.occurrences) {
      json.BeginObject()
          .Field("article", static_cast<std::int64_t>(o.article))
          .Field("position", static_cast<std::int64_t>(o.place))
          .Field("length", static_cast<std::int64_t>(o.length))
          .Field("line", static_cast<std::int64_t>(o.lineFlag))
          .EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject();
  out << json.str() << "\n";
  return 0;
}

}  // namespace lexmora::cli
