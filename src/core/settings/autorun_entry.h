// Keeps the agent's autostart desktop entry pointing at the agent of the
// current program folder. The entry is never created here: it is only
// refreshed once something else (the installer, the user) has made it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lexmora {

enum class AutorunRefresh {
  NoEntry,    // no entry file, or no Exec key in its [Desktop Entry] group
  Unchanged,  // Exec already names the path
  Rewritten,  // Exec was replaced
  Failed,     // the file could not be read or written
};

// The Exec value that starts the program at `path`: the path itself, in
// double quotes when it holds a blank or a character the desktop entry
// format reserves; '%' is doubled.
std::string DesktopExecValue(std::string_view path);

// In autostartFolder/lexagent.desktop, replaces the value of the Exec key of
// the [Desktop Entry] group when it exists and differs (case-sensitive) from
// DesktopExecValue(agentPath). Other lines are kept as they are.
AutorunRefresh RefreshAutorunEntry(const std::filesystem::path& autostartFolder, std::string_view agentPath);

}  // namespace lexmora
