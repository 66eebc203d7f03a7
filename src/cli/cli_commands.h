#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "session/session.h"

namespace lexmora::cli {

struct CliOptions {
  std::filesystem::path dir;
  bool json = false;
  long long start = 0;
  std::optional<long long> count;
  int language = 1;  // interface language for names: English
  // The list options of "marks", in command-line order: --load, --toggle,
  // --set, --clear, --save with their values.
  std::vector<std::pair<std::string, std::string>> listActions;
  bool exitWrites = false;  // --exit
  std::string list;         // export --list
  std::string out;          // export --out
};

std::optional<long long> ParseInteger(const std::string& text);

// Group G (the text of the command line) when it is an available group of
// the session's table; nullopt after a message on err.
std::optional<int> AvailableGroup(const Session& session, const CliOptions& options, const std::string& groupText,
                                  std::ostream& err);
// A row of the current group's full word list, or nullopt after a message.
std::optional<int> FullListRow(const Session& session, const std::string& rowText, std::ostream& err);
// A session with group G (the text of the command line) loaded and current,
// or null after a message on err when G is not an available group.
std::unique_ptr<Session> OpenSession(const CliOptions& options, const std::string& groupText, std::ostream& err);

int CommandGroups(const CliOptions& options, std::ostream& out, std::ostream& err);
int CommandList(const CliOptions& options, const std::string& group, std::ostream& out, std::ostream& err);
int CommandLookup(const CliOptions& options, const std::string& group, const std::string& text, std::ostream& out,
                  std::ostream& err);
int CommandArticle(const CliOptions& options, const std::string& group, const std::string& row, std::ostream& out,
                   std::ostream& err);
// The suggestions for each text (at most 10 rows each), as the window offers them.
int CommandSuggest(const CliOptions& options, const std::string& group, const std::vector<std::string>& texts,
                   std::ostream& out, std::ostream& err);

int CommandMarks(const CliOptions& options, const std::string& group, std::ostream& out, std::ostream& err);
int CommandExport(const CliOptions& options, const std::string& group, std::ostream& out, std::ostream& err);

int CommandIndex(const CliOptions& options, const std::string& group, std::ostream& out, std::ostream& err);
int CommandSearch(const CliOptions& options, const std::string& group, const std::string& query, std::ostream& out,
                  std::ostream& err);

// The game's picture bases in the program folder's GAME folder.
int CommandSound(const CliOptions& options, const std::string& group, const std::string& subDict,
                 const std::string& number, std::ostream& out, std::ostream& err);
// A headword spoken by the speech synthesizer, as a WAVE file.
int CommandSpeak(const CliOptions& options, const std::string& group, const std::string& row, std::ostream& out,
                 std::ostream& err);
int CommandGameWord(const CliOptions& options, const std::string& group, const std::string& row, std::ostream& out,
                    std::ostream& err);
int CommandGameBases(const CliOptions& options, std::ostream& out, std::ostream& err);
int CommandGamePicture(const CliOptions& options, const std::string& index, std::ostream& out, std::ostream& err);
int CommandGameBackground(const CliOptions& options, const std::string& index, std::ostream& out,
                          std::ostream& err);

}  // namespace lexmora::cli
