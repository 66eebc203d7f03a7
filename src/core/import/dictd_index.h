// The word list of a dictd database (".index"): one line per headword,
// "headword TAB offset TAB length", the numbers in dictd's base64 digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// A number written in the digits A-Z a-z 0-9 + / (0..63), most significant
// first; nullopt for an empty text, another character or overflow.
std::optional<std::uint64_t> DecodeDictdNumber(std::string_view digits);
std::string EncodeDictdNumber(std::uint64_t value);

struct DictdIndexEntry {
  std::string_view headword;  // UTF-8, a view into the index text
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  std::size_t line = 0;  // 1-based
};

// Parses the whole index text; throws ImportError naming fileName and the
// line of a malformed entry. Empty lines are skipped.
std::vector<DictdIndexEntry> ParseDictdIndex(std::string_view text, const std::string& fileName);

// The database's own entries ("00-database-info", "00databaseurl", ...) and
// entries without a headword, which are not words.
bool IsDictdMetadata(std::string_view headword);

// The article text of a dictd database: a dictzip (".dict.dz", any gzip file,
// members one after another) is inflated whole; other files are read as
// they are. Throws ImportError.
std::string ReadDictdData(const std::filesystem::path& path);

}  // namespace lexmora
