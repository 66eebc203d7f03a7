#include "settings/autorun_entry.h"

#include <optional>
#include <vector>

#include "dictionary/file_io.h"
#include "settings/program_names.h"

namespace lexmora {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// Characters that oblige quoting of an Exec argument.
bool IsReserved(char c) {
  switch (c) {
    case ' ': case '\t': case '\n': case '"': case '\'': case '\\': case '>': case '<': case '~': case '|':
    case '&': case ';': case '$': case '*': case '?': case '#': case '(': case ')': case '`':
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string DesktopExecValue(std::string_view path) {
  bool quote = false;
  for (char c : path) quote = quote || IsReserved(c);
  std::string out;
  if (quote) out += '"';
  for (char c : path) {
    if (c == '%') {
      out += "%%";
      continue;
    }
    // Inside quotes these four are escaped with a backslash.
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) out += '\\';
    out += c;
  }
  if (quote) out += '"';
  return out;
}

AutorunRefresh RefreshAutorunEntry(const std::filesystem::path& autostartFolder, std::string_view agentPath) {
  const std::filesystem::path file = autostartFolder / kAgentAutostartEntryName;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return AutorunRefresh::NoEntry;
  const std::optional<std::string> text = ReadWholeFile(file);
  if (!text) return AutorunRefresh::Failed;

  // Split into lines, keeping each line's end so that untouched lines are
  // written back byte for byte.
  std::vector<std::string_view> lines;
  for (std::size_t pos = 0; pos < text->size();) {
    std::size_t end = text->find('\n', pos);
    end = end == std::string::npos ? text->size() : end + 1;
    lines.push_back(std::string_view(*text).substr(pos, end - pos));
    pos = end;
  }

  const std::string wanted = DesktopExecValue(agentPath);
  bool inMainGroup = false;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string_view body = lines[i];
    const std::string_view ending = body.ends_with("\r\n") ? "\r\n" : body.ends_with('\n') ? "\n" : "";
    body.remove_suffix(ending.size());
    const std::string_view trimmed = TrimBlanks(body);
    if (trimmed.starts_with('[')) {
      inMainGroup = trimmed == "[Desktop Entry]";
      continue;
    }
    if (!inMainGroup || trimmed.starts_with('#')) continue;
    const std::size_t eq = trimmed.find('=');
    if (eq == std::string_view::npos || TrimBlanks(trimmed.substr(0, eq)) != "Exec") continue;
    if (TrimBlanks(trimmed.substr(eq + 1)) == wanted) return AutorunRefresh::Unchanged;
    std::string out;
    for (std::size_t j = 0; j < i; ++j) out += lines[j];
    out += "Exec=" + wanted;
    out += ending;
    for (std::size_t j = i + 1; j < lines.size(); ++j) out += lines[j];
    return WriteFileAtomically(file, out) ? AutorunRefresh::Rewritten : AutorunRefresh::Failed;
  }
  return AutorunRefresh::NoEntry;
}

}  // namespace lexmora
