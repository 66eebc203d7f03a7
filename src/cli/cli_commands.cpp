#include "cli_commands.h"

#include <iomanip>

#include "article/article_renderer.h"
#include "json_writer.h"
#include "article/article_text.h"
#include "session/group_names.h"
#include "text/code_page.h"

namespace lexmora::cli {

namespace {

std::string HeadwordUtf8(const Session& session, int entry) { return Utf16ToUtf8(session.Headword(entry)); }

}  // namespace

std::optional<int> AvailableGroup(const Session& session, const CliOptions& options, const std::string& groupText,
                                  std::ostream& err) {
  auto number = ParseInteger(groupText);
  if (!number || !session.Table().Valid(static_cast<int>(*number))) {
    err << "lexmora-cli: no group " << groupText << " in the group table (1.." << session.Table().count << ")\n";
    return std::nullopt;
  }
  const int g = static_cast<int>(*number);
  if (!session.Listed(g)) {
    err << "lexmora-cli: group " << g << " has no word index in " << options.dir.string() << "\n";
    return std::nullopt;
  }
  return g;
}

std::optional<int> FullListRow(const Session& session, const std::string& rowText, std::ostream& err) {
  const int rows = session.Current().EntryCount();
  const auto row = ParseInteger(rowText);
  if (!row || *row < 0 || *row >= rows) {
    err << "lexmora-cli: row " << rowText << " is outside the word list (0.." << rows - 1 << ")\n";
    return std::nullopt;
  }
  return static_cast<int>(*row);
}

std::unique_ptr<Session> OpenSession(const CliOptions& options, const std::string& groupText, std::ostream& err) {
  auto session = std::make_unique<Session>(options.dir);
  const auto g = AvailableGroup(*session, options, groupText, err);
  if (!g) return nullptr;
  session->OpenGroup(*g);
  return session;
}

int CommandGroups(const CliOptions& options, std::ostream& out, std::ostream& err) {
  Session session(options.dir);
  session.LoadAllGroups();
  JsonWriter json;
  json.BeginObject().Key("groups").BeginArray();
  for (int g = 1; g <= session.Table().count; ++g) {
    const DictGroupRecord& record = session.Table().Group(g);
    const bool available = session.Listed(g);
    const LoadedGroup& group = session.Group(g);
    const SubDictSet enabled = record.Enabled();
    if (options.json) {
      json.BeginObject()
          .Field("number", g)
          .Field("base", std::string(record.BaseName()))
          .Field("name", Utf16ToUtf8(GroupOwnName(record)))
          .Field("codepage", record.CodePage())
          .Field("available", available)
          .Field("entries", group.EntryCount());
      json.Key("subdicts").BeginArray();
      for (const auto& h : group.headers) {
        json.BeginObject()
            .Field("number", h.Number())
            .Field("name", Utf16ToUtf8(SubDictDisplayName(h.Name(), options.language)))
            .Field("entries", static_cast<std::int64_t>(h.EntryCount()))
            .Field("enabled", enabled.Contains(h.Number()))
            .EndObject();
      }
      json.EndArray().EndObject();
    } else {
      out << std::setw(2) << g << "  " << std::left << std::setw(8) << record.BaseName() << std::right << " cp"
          << record.CodePage() << "  " << (available ? "" : "(not available)  ") << Utf16ToUtf8(GroupOwnName(record));
      if (available) out << "  [" << group.EntryCount() << " entries]";
      out << "\n";
      for (const auto& h : group.headers) {
        out << "      " << (enabled.Contains(h.Number()) ? "[x] " : "[ ] ") << std::setw(3) << h.Number() << "  "
            << Utf16ToUtf8(SubDictDisplayName(h.Name(), options.language)) << "  (" << h.EntryCount()
            << " entries)\n";
      }
    }
  }
  json.EndArray().EndObject();
  if (options.json) out << json.str() << "\n";
  return 0;
}

int CommandList(const CliOptions& options, const std::string& groupText, std::ostream& out, std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const LoadedGroup& group = session->Current();
  const long long total = group.EntryCount();
  const long long start = options.start < total ? options.start : total;
  long long end = options.count ? start + *options.count : total;
  if (end > total) end = total;
  JsonWriter json;
  json.BeginObject().Field("group", group.groupNumber).Field("count", static_cast<std::int64_t>(total));
  json.Key("rows").BeginArray();
  for (long long row = start; row < end; ++row) {
    const int r = static_cast<int>(row);
    const int subDict = group.entries[static_cast<std::size_t>(r)].SubDict();
    if (options.json) {
      json.BeginObject().Field("row", r).Field("headword", HeadwordUtf8(*session, r)).Field("subdict", subDict).EndObject();
    } else {
      out << r << "\t" << HeadwordUtf8(*session, r) << "\t" << subDict << "\n";
    }
  }
  json.EndArray().EndObject();
  if (options.json) out << json.str() << "\n";
  return 0;
}

int CommandLookup(const CliOptions& options, const std::string& groupText, const std::string& text,
                  std::ostream& out, std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const LoadedGroup& group = session->Current();
  const int row = session->LookupRow(Utf8ToUtf16(text));
  const std::string headword = HeadwordUtf8(*session, row);
  if (options.json) {
    JsonWriter json;
    json.BeginObject().Field("group", group.groupNumber).Field("row", row).Field("headword", headword).EndObject();
    out << json.str() << "\n";
  } else {
    out << row << "\t" << headword << "\n";
  }
  return 0;
}


int CommandArticle(const CliOptions& options, const std::string& groupText, const std::string& rowText,
                   std::ostream& out, std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const LoadedGroup& group = session->Current();
  const auto row = FullListRow(*session, rowText, err);
  if (!row) return 2;
  const int r = *row;
  RecordingArticleView view;
  ArticleRenderer renderer;
  renderer.DrawRVText(session->ArticleText(r), view);
  if (!options.json) {
    out << ArticlePlainText(view, true);
    return 0;
  }
  JsonWriter json;
  json.BeginObject()
      .Field("group", group.groupNumber)
      .Field("row", r)
      .Field("subdict", group.entries[static_cast<std::size_t>(r)].SubDict());
  json.Key("items").BeginArray();
  for (const auto& item : view.items) {
    json.BeginObject();
    if (item.isSound) {
      json.Field("kind", "sound").Field("number", item.sound.number).Field("new_paragraph", item.sound.newParagraph);
    } else {
      json.Field("kind", "text")
          .Field("text", Utf16ToUtf8(item.text.text))
          .Field("style", item.text.style)
          .Field("new_paragraph", item.text.newParagraph)
          .Field("highlight", item.text.highlight);
      json.Key("layout").BeginArray();
      for (int v : item.text.layout) json.Int(v);
      json.EndArray();
    }
    json.EndObject();
  }
  json.EndArray().EndObject();
  out << json.str() << "\n";
  return 0;
}

}  // namespace lexmora::cli
