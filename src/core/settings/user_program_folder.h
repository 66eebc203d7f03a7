// The program folder of one user when the installed program folder is
// read-only for them. The program writes into its program folder (the group
// table "groups.dgi", the default word lists in NOTEPADS, the full-text
// index in DICT/INDEX), so each user gets a folder of their own: the files
// the program writes are the user's own (copied from the installed folder
// once, when it has them), every other entry is a symbolic link to the
// installed one. The dictionaries, sounds, pictures, language files and
// programs are thus shared and follow the installed folder when it is
// updated.
#pragma once

#include <filesystem>

namespace lexmora {

// Brings the user's folder up to date with the installed one: creates it
// and its writable sub-folders, copies the writable files it lacks, links
// the entries it lacks and removes its links to installed entries that
// are gone. Entries the user's folder has already are kept as they are.
// Returns false when the folder or one of its entries could not be made.
bool PrepareUserProgramFolder(const std::filesystem::path& installed, const std::filesystem::path& user);

}  // namespace lexmora
