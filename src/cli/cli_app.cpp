#include "cli_app.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <optional>

#include "cli_commands.h"

namespace lexmora::cli {

namespace {

constexpr const char* kUsage =
    "usage: lexmora-cli --dir PROGRAM_FOLDER COMMAND [ARGS] [--json]\n"
    "commands:\n"
    "  groups                          the group table with sub-dictionaries\n"
    "  list G [--start S] [--count C]  rows of group G's full word list\n"
    "  lookup G TEXT                   the row typing TEXT selects\n"
    "  suggest G TEXT...               the rows each TEXT may mean: exact, folded, translit, inflected, typo\n"
    "  article G ROW                   the view calls of a row's article\n"
    "  index G                         builds the missing full-text index files\n"
    "  search G QUERY                  full-text search (needs the index)\n"
    "  marks G [--load FILE]... [--toggle ROW]... [--set ROW]... [--clear ROW]... [--save FILE] [--exit]\n"
    "                                  the user list of G after the list commands, in order\n"
    "  export G --list user|game|search --out FILE\n"
    "                                  a list as a tab-separated file for flash-card programs\n"
    "  sound G SUBDICT N --out FILE    item N of a sub-dictionary's sound archive\n"
    "  speak G ROW --out FILE.wav      the headword of a row, spoken in the group's language\n"
    "  gameword G ROW                  what the game makes of a row's word\n"
    "  gamebases                       the record counts of the game's picture bases\n"
    "  gamepicture I                   region picture I: record, points, picture size\n"
    "  gamebackground I                background I: type and picture size\n"
    "options: --lang N (0 Azeri, 1 English, 2 Russian, 3 German, 4 French) for names\n";

}  // namespace

std::optional<long long> ParseInteger(const std::string& text) {
  long long value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  return value;
}

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  CliOptions options;
  std::vector<std::string> positional;
  std::map<std::string, std::string> named;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--json") {
      options.json = true;
    } else if (a == "--help" || a == "-h") {
      out << kUsage;
      return 0;
    } else if (a == "--exit") {
      options.exitWrites = true;
    } else if (a == "--load" || a == "--toggle" || a == "--set" || a == "--clear" || a == "--save") {
      if (i + 1 >= args.size()) {
        err << "lexmora-cli: " << a << " needs a value\n";
        return 1;
      }
      options.listActions.emplace_back(a, args[++i]);
    } else if (a == "--dir" || a == "--start" || a == "--count" || a == "--lang" || a == "--list" || a == "--out") {
      if (i + 1 >= args.size()) {
        err << "lexmora-cli: " << a << " needs a value\n";
        return 1;
      }
      named[a] = args[++i];
    } else if (a.size() > 2 && a.rfind("--", 0) == 0) {
      err << "lexmora-cli: unknown option " << a << "\n" << kUsage;
      return 1;
    } else {
      positional.push_back(a);
    }
  }
  if (!named.count("--dir")) {
    err << "lexmora-cli: --dir is required\n" << kUsage;
    return 1;
  }
  options.dir = named["--dir"];
  options.list = named.count("--list") ? named["--list"] : std::string();
  options.out = named.count("--out") ? named["--out"] : std::string();
  if (positional.empty()) {
    err << kUsage;
    return 1;
  }
  for (const char* key : {"--start", "--count", "--lang"}) {
    if (!named.count(key)) continue;
    auto v = ParseInteger(named[key]);
    if (!v || *v < 0) {
      err << "lexmora-cli: " << key << " takes a whole number\n";
      return 1;
    }
    if (std::string(key) == "--start") options.start = *v;
    if (std::string(key) == "--count") options.count = *v;
    if (std::string(key) == "--lang") options.language = static_cast<int>(*v);
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(options.dir, ec)) {
    err << "lexmora-cli: no program folder at " << options.dir << "\n";
    return 2;
  }

  const std::string command = positional[0];
  std::vector<std::string> rest(positional.begin() + 1, positional.end());
  auto needs = [&](std::size_t n, const char* what) {
    if (rest.size() == n) return true;
    err << "lexmora-cli: usage: " << command << " " << what << "\n";
    return false;
  };
  if (command == "groups") return needs(0, "") ? CommandGroups(options, out, err) : 1;
  if (command == "list") return needs(1, "G [--start S] [--count C]") ? CommandList(options, rest[0], out, err) : 1;
  if (command == "lookup") return needs(2, "G TEXT") ? CommandLookup(options, rest[0], rest[1], out, err) : 1;
  if (command == "article") return needs(2, "G ROW") ? CommandArticle(options, rest[0], rest[1], out, err) : 1;
  if (command == "index") return needs(1, "G") ? CommandIndex(options, rest[0], out, err) : 1;
  if (command == "search") return needs(2, "G QUERY") ? CommandSearch(options, rest[0], rest[1], out, err) : 1;
  if (command == "marks") return needs(1, "G [--load FILE]... [--toggle ROW]... [--save FILE] [--exit]") ? CommandMarks(options, rest[0], out, err) : 1;
  if (command == "export") return needs(1, "G --list user|game|search --out FILE") ? CommandExport(options, rest[0], out, err) : 1;
  if (command == "speak")
    return needs(2, "G ROW --out FILE.wav") ? CommandSpeak(options, rest[0], rest[1], out, err) : 1;
  if (command == "sound")
    return needs(3, "G SUBDICT N --out FILE") ? CommandSound(options, rest[0], rest[1], rest[2], out, err) : 1;
  if (command == "gameword") return needs(2, "G ROW") ? CommandGameWord(options, rest[0], rest[1], out, err) : 1;
  if (command == "suggest") {
    if (rest.size() < 2) return needs(2, "G TEXT...") ? 0 : 1;  // prints the usage
    return CommandSuggest(options, rest[0], std::vector<std::string>(rest.begin() + 1, rest.end()), out, err);
  }
  if (command == "gamebases") return needs(0, "") ? CommandGameBases(options, out, err) : 1;
  if (command == "gamepicture") return needs(1, "I") ? CommandGamePicture(options, rest[0], out, err) : 1;
  if (command == "gamebackground") return needs(1, "I") ? CommandGameBackground(options, rest[0], out, err) : 1;
  err << "lexmora-cli: unknown command " << command << "\n" << kUsage;
  return 1;
}

}  // namespace lexmora::cli
