// The fonts the dictionaries need, installed on the first run from the
// program's font archive into the user's font folder and registered with
// the application's font database.
#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <vector>

namespace lexmora::platform {

// The user's font folder: <generic data location>/fonts
// (~/.local/share/fonts on Linux).
std::filesystem::path UserFontsFolder();

// Every font face the application's font database knows, UTF-8.
std::vector<std::string> InstalledFontFaces();

// Installs the archive's fonts into fontsFolder when a face it lists is
// missing (InstallFontsFromArchive), then registers each file written with
// QFontDatabase::addApplicationFont. Returns the files written.
std::vector<std::filesystem::path> InstallAndRegisterFonts(const std::filesystem::path& archive,
                                                           const std::filesystem::path& fontsFolder);

// The folder of the session's autostart entries:
// <generic config location>/autostart (~/.config/autostart on Linux).
std::filesystem::path AutostartFolder();

}  // namespace lexmora::platform
