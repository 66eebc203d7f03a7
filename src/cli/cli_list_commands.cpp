// marks and export: the user lists as the window keeps them, from the
// command line.
#include "cli_commands.h"
#include "json_writer.h"
#include "lists/flashcard_export.h"
#include "text/code_page.h"

namespace lexmora::cli {

namespace {

// Every available group loaded as at start-up (each reading its default
// list file), G current; null after a message when G is not available.
std::unique_ptr<Session> StartUpSession(const CliOptions& options, const std::string& groupText, std::ostream& err) {
  auto session = std::make_unique<Session>(options.dir);
  const auto g = AvailableGroup(*session, options, groupText, err);
  if (!g) return nullptr;
  session->LoadAllGroups();
  session->SelectGroup(*g);
  return session;
}

std::optional<int> RowOf(const Session& session, const std::string& text, std::ostream& err) {
  auto row = ParseInteger(text);
  if (!row || *row < 0 || *row >= session.RowCount()) {
    err << "lexmora-cli: row " << text << " is outside the word list of group " << session.CurrentGroup() << " (0.."
        << session.RowCount() - 1 << ")\n";
    return std::nullopt;
  }
  return static_cast<int>(*row);
}

}  // namespace

int CommandMarks(const CliOptions& options, const std::string& groupText, std::ostream& out, std::ostream& err) {
  auto session = StartUpSession(options, groupText, err);
  if (!session) return 2;
  for (const auto& [option, value] : options.listActions) {
    if (option == "--load") {
      const ListLoad load = session->LoadList(value);
      if (load.switchGroup) session->SelectGroup(load.group);
    } else if (option == "--save") {
      if (!session->SaveList(value)) {
        err << "lexmora-cli: the list could not be written to " << value << "\n";
        return 1;
      }
    } else {
      auto row = RowOf(*session, value, err);
      if (!row) return 2;
      session->AddToList(*row, option == "--toggle" ? 0 : option == "--clear" ? 1 : 2, 0);
    }
  }
  const NotepadARRAY& marks = session->Current().userList;
  JsonWriter json;
  json.BeginObject().Field("group", session->CurrentGroup()).Key("marks").BeginArray();
  for (std::size_t row = 0; row < marks.size(); ++row) {
    if (marks[row] == 0) continue;
    if (options.json) json.BeginObject().Field("row", static_cast<std::int64_t>(row)).Field("value", static_cast<int>(marks[row])).EndObject();
    else out << row << "\t" << static_cast<int>(marks[row]) << "\t" << Utf16ToUtf8(session->Headword(static_cast<int>(row))) << "\n";
  }
  json.EndArray().EndObject();
  if (options.json) out << json.str() << "\n";
  if (options.exitWrites) session->SaveAllNotepads();
  return 0;
}

int CommandExport(const CliOptions& options, const std::string& groupText, std::ostream& out, std::ostream& err) {
  const int view = options.list == "user" ? kViewUserList : options.list == "game" ? kViewGameList
                   : options.list == "search" ? kViewSearchList : -1;
  if (view < 0 || options.out.empty()) {
    err << "lexmora-cli: export needs --list user|game|search and --out FILE\n";
    return 1;
  }
  auto session = StartUpSession(options, groupText, err);
  if (!session) return 2;
  const FlashCardExport cards = ExportFlashCards(*session, session->ListOfView(view));
  if (!WriteFlashCardFile(options.out, cards)) {
    err << "lexmora-cli: cannot write " << options.out << "\n";
    return 1;
  }
  if (options.json) {
    JsonWriter json;
    json.BeginObject()
        .Field("group", session->CurrentGroup())
        .Field("list", options.list)
        .Field("rows", static_cast<std::int64_t>(cards.rows))
        .EndObject();
    out << json.str() << "\n";
  } else {
    out << cards.rows << " notes written to " << options.out << "\n";
  }
  return 0;
}

}  // namespace lexmora::cli
