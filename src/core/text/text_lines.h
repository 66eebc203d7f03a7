// Small helpers for line-oriented text: the data tools' sources and the
// dictionary files the importer reads.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora {

// Splits text into lines at LF; a CR before the LF is dropped, as is a UTF-8
// byte order mark at the start. A final line without LF is kept.
std::vector<std::string_view> SplitLines(std::string_view text);

// Removes spaces and tabs at both ends.
std::string_view TrimBlanks(std::string_view s);

// Cuts a trailing "# comment" (a '#' at the start or after a blank) and trims.
std::string_view StripValueComment(std::string_view s);

// True for lines that are empty or comments (first non-blank character '#').
bool IsBlankOrComment(std::string_view line);

// "key = value" with the comment stripped from the value; nullopt without '='.
struct KeyValue {
  std::string key;
  std::string value;
};
std::optional<KeyValue> ParseKeyValue(std::string_view line);

// Whitespace-separated words.
std::vector<std::string_view> SplitWords(std::string_view s);

// A decimal number, or hexadecimal with a 0x prefix, within [min, max].
std::optional<std::int64_t> ParseNumber(std::string_view s, std::int64_t min, std::int64_t max);

}  // namespace lexmora
