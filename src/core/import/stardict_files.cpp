#include "import/stardict_files.h"

#include "import/imported_dictionary.h"
#include "text/text_lines.h"

namespace lexmora {
namespace {

constexpr std::string_view kIfoMagic = "StarDict's dict ifo file";

std::uint64_t BigEndian(std::string_view s, std::size_t at, int bytes) {
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v = v << 8 | static_cast<std::uint8_t>(s[at + static_cast<std::size_t>(i)]);
  return v;
}

std::string EntryPlace(const std::string& fileName, std::size_t entry, std::uint64_t at) {
  return fileName + ": entry " + std::to_string(entry) + " at byte " + std::to_string(at) + ": ";
}

}  // namespace

StarDictIfo ParseStarDictIfo(std::string_view text, const std::string& fileName) {
  const std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || TrimBlanks(lines[0]) != kIfoMagic)
    throw ImportError(fileName + ": not a StarDict .ifo file (its first line is not \"" + std::string(kIfoMagic) +
                      "\")");
  StarDictIfo ifo;
  for (std::size_t n = 1; n < lines.size(); ++n) {
    // Not ParseKeyValue: a '#' belongs to the value here ("bookname=C# words").
    const std::size_t eq = lines[n].find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view key = TrimBlanks(lines[n].substr(0, eq));
    const std::string_view value = TrimBlanks(lines[n].substr(eq + 1));
    const std::string where = fileName + ": line " + std::to_string(n + 1) + ": ";
    if (key == "bookname") {
      ifo.bookname = value;
    } else if (key == "idxoffsetbits") {
      if (value != "32" && value != "64")
        throw ImportError(where + "idxoffsetbits is " + std::string(value) + ", not 32 or 64");
      ifo.offsetBits = value == "64" ? 64 : 32;
    } else if (key == "sametypesequence") {
      for (char c : value)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')))
          throw ImportError(where + "sametypesequence \"" + std::string(value) +
                            "\" holds a character that is no data type");
      ifo.sameTypeSequence = value;
    }
  }
  return ifo;
}

std::vector<StarDictWord> ParseStarDictIdx(std::string_view image, int offsetBits, const std::string& fileName) {
  const int offsetBytes = offsetBits / 8;
  const std::size_t numbers = static_cast<std::size_t>(offsetBytes) + 4;
  std::vector<StarDictWord> words;
  words.reserve(image.size() / (numbers + 1));  // the shortest record: an empty word
  std::size_t at = 0;
  while (at < image.size()) {
    const std::size_t end = image.find('\0', at);
    if (end == std::string_view::npos || image.size() - end - 1 < numbers)
      throw ImportError(EntryPlace(fileName, words.size() + 1, at) + "cut short");
    StarDictWord w;
    w.word = image.substr(at, end - at);
    w.offset = BigEndian(image, end + 1, offsetBytes);
    w.size = static_cast<std::uint32_t>(BigEndian(image, end + 1 + static_cast<std::size_t>(offsetBytes), 4));
    w.at = at;
    words.push_back(w);
    at = end + 1 + numbers;
  }
  return words;
}

std::vector<StarDictSynonym> ParseStarDictSyn(std::string_view image, std::size_t idxCount, const std::string& fileName,
                                              const std::string& idxName) {
  std::vector<StarDictSynonym> synonyms;
  synonyms.reserve(image.size() / 5);
  std::size_t at = 0;
  while (at < image.size()) {
    const std::size_t end = image.find('\0', at);
    if (end == std::string_view::npos || image.size() - end - 1 < 4)
      throw ImportError(EntryPlace(fileName, synonyms.size() + 1, at) + "cut short");
    StarDictSynonym s;
    s.word = image.substr(at, end - at);
    s.index = static_cast<std::uint32_t>(BigEndian(image, end + 1, 4));
    s.at = at;
    if (s.index >= idxCount)
      throw ImportError(EntryPlace(fileName, synonyms.size() + 1, at) + "index " + std::to_string(s.index) +
                        " beyond the " + std::to_string(idxCount) + " words of " + idxName);
    synonyms.push_back(s);
    at = end + 5;
  }
  return synonyms;
}

}  // namespace lexmora
