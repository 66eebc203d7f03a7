// File names of the program's own executables and data files in the program
// folder. The Windows build keeps the ".exe" suffix of its executables.
#pragma once

namespace lexmora {

#ifdef _WIN32
inline constexpr const char* kMainExecutableName = "lexmora.exe";
inline constexpr const char* kAgentExecutableName = "lexagent.exe";
#else
inline constexpr const char* kMainExecutableName = "lexmora";
inline constexpr const char* kAgentExecutableName = "lexagent";
#endif

// The names the running programs are found by: the dictionary's first
// instance and the agent listen on local sockets named after them.
inline constexpr const char* kInstanceName = "VORNKELDALexmoraDictionary";
inline constexpr const char* kAgentInstanceName = "lexagent";

// The font archive installed on the first run.
inline constexpr const char* kFontArchiveName = "system.lib";

// The desktop entry that starts the agent with the session.
inline constexpr const char* kAgentAutostartEntryName = "lexagent.desktop";

}  // namespace lexmora
