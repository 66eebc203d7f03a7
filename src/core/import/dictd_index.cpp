#include "import/dictd_index.h"

#include <array>
#include <stdexcept>

#include "import/gzip_file.h"
#include "import/imported_dictionary.h"
#include "text/text_lines.h"
#include "dictionary/file_io.h"

namespace lexmora {
namespace {

constexpr std::string_view kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

const std::array<std::int8_t, 256>& DigitValues() {
  static const std::array<std::int8_t, 256> values = [] {
    std::array<std::int8_t, 256> v;
    v.fill(-1);
    for (std::size_t i = 0; i < kDigits.size(); ++i) v[static_cast<std::uint8_t>(kDigits[i])] = static_cast<std::int8_t>(i);
    return v;
  }();
  return values;
}

}  // namespace

std::optional<std::uint64_t> DecodeDictdNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 10) return std::nullopt;  // 10 digits = 60 bits
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = DigitValues()[static_cast<std::uint8_t>(c)];
    if (d < 0) return std::nullopt;
    value = value * 64 + static_cast<std::uint64_t>(d);
  }
  return value;
}

std::string EncodeDictdNumber(std::uint64_t value) {
  std::string out;
  do {
    out.insert(out.begin(), kDigits[value % 64]);
    value /= 64;
  } while (value != 0);
  return out;
}

std::vector<DictdIndexEntry> ParseDictdIndex(std::string_view text, const std::string& fileName) {
  std::vector<DictdIndexEntry> entries;
  entries.reserve(text.size() / 24);
  std::size_t start = 0, lineNo = 0;
  while (start < text.size()) {
    ++lineNo;
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    std::size_t tab2 = line.rfind('\t');
    std::size_t tab1 = tab2 == std::string_view::npos || tab2 == 0 ? std::string_view::npos : line.rfind('\t', tab2 - 1);
    if (tab1 == std::string_view::npos)
      throw ImportError(fileName + ":" + std::to_string(lineNo) + ": expected \"headword<TAB>offset<TAB>length\"");
    auto offset = DecodeDictdNumber(line.substr(tab1 + 1, tab2 - tab1 - 1));
    auto length = DecodeDictdNumber(line.substr(tab2 + 1));
    if (!offset || !length) throw ImportError(fileName + ":" + std::to_string(lineNo) + ": offset or length is not a dictd base64 number");
    entries.push_back({line.substr(0, tab1), *offset, *length, lineNo});
  }
  return entries;
}

bool IsDictdMetadata(std::string_view headword) {
  return TrimBlanks(headword).empty() || headword.rfind("00-database-", 0) == 0 || headword.rfind("00database", 0) == 0;
}

std::string ReadDictdData(const std::filesystem::path& path) { return ReadMaybeGzipped(path); }

}  // namespace lexmora
