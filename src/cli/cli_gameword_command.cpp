// gameword G ROW: what the game makes of a word of a group.
#include "cli_commands.h"
#include "dictionary/vocl_index.h"
#include "game/game_article.h"
#include "json_writer.h"
#include "text/code_page.h"

namespace lexmora::cli {

namespace {

std::string Hex(std::string_view bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

}  // namespace

int CommandGameWord(const CliOptions& options, const std::string& groupText, const std::string& rowText,
                    std::ostream& out, std::ostream& err) {
  auto session = OpenSession(options, groupText, err);
  if (!session) return 2;
  const LoadedGroup& group = session->Current();
  const auto row = FullListRow(*session, rowText, err);
  if (!row) return 2;
  const int r = *row;
  const std::string article = session->ArticleText(r);
  const GameArticle parts = ReadGameArticle(article);
  const bool gameWord = session->IsGameWord(r);
  const std::u16string answer = GameAnswer(group.entries[static_cast<std::size_t>(r)].Display(), group.codePage);
  if (!options.json) {
    out << (gameWord ? "game word" : "not a game word") << "\t" << Utf16ToUtf8(answer) << "\t"
        << parts.sections.size() << " sections\n";
    return 0;
  }
  JsonWriter json;
  json.BeginObject()
      .Field("group", session->CurrentGroup())
      .Field("row", r)
      .Field("game_word", gameWord)
      .Field("answer", Utf16ToUtf8(answer));
  if (parts.hasHeadLine) json.Field("head", Hex(parts.headLine));
  else json.Key("head").Null();
  json.Key("questions").BeginArray();
  for (const std::string& section : parts.sections) json.String(Hex(GameQuestion(section)));
  json.EndArray().EndObject();
  out << json.str() << "\n";
  return 0;
}

}  // namespace lexmora::cli
