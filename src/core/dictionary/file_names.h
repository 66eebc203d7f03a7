// Paths of the per-group files below the program folder.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lexmora {

namespace fs = std::filesystem;

// Sub-dictionary number as three decimal digits with leading zeros.
std::string SubDictSuffix(int number);

fs::path GroupTablePath(const fs::path& dir);                    // groups.dgi
fs::path WordIndexPath(const fs::path& dir, std::string_view base);  // DICT/base.wif
fs::path ArticleBasePath(const fs::path& dir, std::string_view base, int subDict);  // .wbf
// Sound archives are named relative to the working directory.
fs::path SoundArchivePath(std::string_view base, int subDict);  // DICT/baseNNN.snd
fs::path TextIndexPath(const fs::path& dir, std::string_view base, int subDict,
                       std::string_view extension);  // DICT/INDEX/baseNNN + extension
fs::path UserListPath(const fs::path& dir, std::string_view base);  // NOTEPADS/base.npl

// The path itself when it exists; otherwise a file of its folder whose name
// differs only in ASCII letter case (data made on case-blind systems), or the
// path unchanged when there is none.
fs::path ResolveCaseInsensitive(const fs::path& path);

}  // namespace lexmora
