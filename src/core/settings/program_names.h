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

// The font archive installed on the first run.
inline constexpr const char* kFontArchiveName = "system.lib";

// The desktop entry that starts the agent with the session.
inline constexpr const char* kAgentAutostartEntryName = "lexagent.desktop";

}  // namespace lexmora
