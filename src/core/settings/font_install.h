// Installs the fonts of a font archive into a fonts folder (the user's font
// folder in the program) when a face the archive lists is missing.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace lexmora {

// Steps: a missing archive, or one without a "FONTS.STR" member, installs
// nothing. When every face of "FONTS.STR" is in installedFaces (compared
// without regard to letter case), nothing is extracted. Otherwise every
// member whose upper-cased name contains ".TTF" is written, in directory
// order, to fontsFolder/name unless that file exists, with the entry's
// modification time; the first write that fails ends the installation.
// Members whose name is not a plain file name, or whose data cannot be read,
// are skipped.
// Returns the files written, for the caller to register with the font system.
std::vector<std::filesystem::path> InstallFontsFromArchive(const std::filesystem::path& archive,
                                                           const std::filesystem::path& fontsFolder,
                                                           const std::vector<std::string>& installedFaces);

// True when face is in faces, compared with Unicode case folding. Face
// names of the archive are read as code page 1252; installed faces are UTF-8.
bool FaceInstalled(const std::string& archiveFace, const std::vector<std::string>& installedFaces);

}  // namespace lexmora
