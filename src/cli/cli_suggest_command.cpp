// lexmora-cli suggest G TEXT...: the rows of group G each text may mean.
#include "cli_commands.h"
#include "json_writer.h"
#include "text/code_page.h"

namespace lexmora::cli {

int CommandSuggest(const CliOptions& options, const std::string& groupText, const std::vector<std::string>& texts,
                   std::ostream& out, std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const int g = session->CurrentGroup();
  session->SetSuggestionIndex(g, session->GroupLoadCount(g),
                              Session::MakeSuggestionIndex(session->Current(), session->Table().Group(g)));
  constexpr std::size_t kLimit = 10;
  JsonWriter json;
  json.BeginObject().Field("group", g).Key("results").BeginArray();
  for (const std::string& text : texts) {
    const std::vector<Suggestion> found = session->Suggest(Utf8ToUtf16(text), kLimit);
    json.BeginObject().Field("text", text).Key("suggestions").BeginArray();
    if (!options.json) out << text << ":";
    for (const Suggestion& s : found) {
      const std::string headword = Utf16ToUtf8(session->Headword(s.row));
      json.BeginObject().Field("row", s.row).Field("headword", headword).Field("how", SuggestionKindName(s.how)).EndObject();
      if (!options.json) out << " " << headword << " (" << SuggestionKindName(s.how) << ", row " << s.row << ")";
    }
    if (!options.json) out << "\n";
    json.EndArray().EndObject();
  }
  json.EndArray().EndObject();
  if (options.json) out << json.str() << "\n";
  return 0;
}

}  // namespace lexmora::cli
