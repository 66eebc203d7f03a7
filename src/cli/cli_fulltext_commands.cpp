#include <memory>

#include "cli_commands.h"
#include "fulltext/fulltext_runs.h"
#include "json_writer.h"
#include "text/code_page.h"

namespace lexmora::cli {

int CommandIndex(const CliOptions& options, const std::string& groupText, std::ostream& out, std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const int g = session->CurrentGroup();
  std::shared_ptr<IndexingRun> run = session->StartIndexing(g);
  JsonWriter json;
  json.BeginObject().Key("jobs").BeginArray();
  int code = 0;
  if (run) {
    IndexingEvents events;
    events.diskFull = [&](const IndexingInternalRecord&) {
      err << "Disk full! Indexing process stoped!\n";
      code = 4;
    };
    events.jobDone = [&](const IndexingInternalRecord& job, std::int64_t ms) {
      if (options.json) {
        json.BeginObject()
            .Field("file", job.fileName.string())
            .Field("subdict", job.subDict)
            .Field("articles", static_cast<std::int64_t>(job.articleCount))
            .EndObject();
      } else {
        out << job.fileName.string() << "\t" << job.articleCount << " articles\t" << ms << " ms\n";
      }
    };
    RunIndexingJobs(*run, events);
    session->IndexingEnded();
    if (run->stoppedByError) {
      err << "lexmora-cli: indexing stopped: " << run->error << "\n";
      code = 4;
    }
  }
  json.EndArray().EndObject();
  if (options.json) out << json.str() << "\n";
  else if (!run) out << "the index of group " << g << " is complete\n";
  return code;
}

int CommandSearch(const CliOptions& options, const std::string& groupText, const std::string& query, std::ostream& out,
                  std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const int g = session->CurrentGroup();
  SearchRequest request = session->RequestSearch(g, Utf8ToUtf16(query));
  if (request.step == SearchStep::NeedsIndex) {
    err << "lexmora-cli: the full-text index of group " << g << " is incomplete; run: index " << g << "\n";
    return 3;
  }
  SearchResultsArray results;
  std::vector<std::u16string> words;
  std::int64_t ms = 0;
  if (request.search) {
    RunSearch(*request.search);
    results = std::move(request.search->results);
    words = std::move(request.search->words);
    ms = request.search->milliseconds;
  }
  const LoadedGroup& group = session->Current();
  if (!options.json) {
    for (const auto& r : results) {
      out << r.subDict << "\t" << (r.occurrences.empty() ? 0 : r.occurrences.front().article) << "\t"
          << Utf16ToUtf8(session->Headword(ResultEntry(group, r))) << "\t" << r.occurrences.size() << " hits\n";
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
        .Field("headword", Utf16ToUtf8(session->Headword(entry)));
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
