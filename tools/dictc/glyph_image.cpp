#include "dictc/glyph_image.h"

#include <map>
#include <optional>

#include "common/source_error.h"
#include "common/source_file.h"
#include "text/text_lines.h"
#include "dictionary/byte_io.h"
#include "text/code_page.h"

namespace lexmora::tools {
namespace {

constexpr std::size_t kBitmapHeadersSize = 54;  // file and info headers
constexpr int kMaxGlyphSide = 1024;

std::optional<Rgb> ParseColour(std::string_view s) {
  if (s.size() != 7 || s[0] != '#') return std::nullopt;
  auto v = ParseNumber("0x" + std::string(s.substr(1)), 0, 0xFFFFFF);
  if (!v) return std::nullopt;
  return Rgb{static_cast<std::uint8_t>(*v >> 16), static_cast<std::uint8_t>(*v >> 8), static_cast<std::uint8_t>(*v)};
}

}  // namespace

PixelImage ParseGlyph(std::string_view text, const std::string& fileName) {
  auto lines = SplitLines(text);
  PixelImage image;
  std::map<char16_t, Rgb> palette;
  bool haveSize = false;
  bool sawPixels = false;
  std::size_t i = 0;
  for (; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (IsBlankOrComment(line)) continue;
    auto words = SplitWords(line);
    if (words[0] == "size") {
      auto w = words.size() == 3 ? ParseNumber(words[1], 1, kMaxGlyphSide) : std::nullopt;
      auto h = words.size() == 3 ? ParseNumber(words[2], 1, kMaxGlyphSide) : std::nullopt;
      if (!w || !h) throw SourceError(fileName, i + 1, "expected \"size WIDTH HEIGHT\" (1.." + std::to_string(kMaxGlyphSide) + ")");
      image.width = static_cast<int>(*w);
      image.height = static_cast<int>(*h);
      haveSize = true;
    } else if (words[0] == "pixels" && words.size() == 1) {
      sawPixels = true;
      ++i;
      break;
    } else {
      std::u16string key = Utf8ToUtf16(words[0]);
      auto colour = words.size() == 2 ? ParseColour(words[1]) : std::nullopt;
      if (key.size() != 1 || !colour)
        throw SourceError(fileName, i + 1, "expected a palette line \"c #rrggbb\", \"size W H\" or \"pixels\"");
      if (palette.count(key[0])) throw SourceError(fileName, i + 1, "palette character defined twice");
      palette[key[0]] = *colour;
    }
  }
  if (!haveSize) throw SourceError(fileName, 0, "no \"size WIDTH HEIGHT\" line before \"pixels\"");
  if (!sawPixels)
    throw SourceError(fileName, 0, "no \"pixels\" line");
  image.pixels.reserve(static_cast<std::size_t>(image.width * image.height));
  for (int y = 0; y < image.height; ++y, ++i) {
    if (i >= lines.size())
      throw SourceError(fileName, lines.size(), "expected " + std::to_string(image.height) + " pixel rows, found " + std::to_string(y));
    std::u16string row = Utf8ToUtf16(TrimBlanks(lines[i]));
    if (row.size() != static_cast<std::size_t>(image.width))
      throw SourceError(fileName, i + 1, "pixel row has " + std::to_string(row.size()) + " characters, expected " + std::to_string(image.width));
    for (char16_t c : row) {
      auto it = palette.find(c);
      if (it == palette.end()) throw SourceError(fileName, i + 1, "character \"" + Utf16ToUtf8(std::u16string(1, c)) + "\" is not in the palette");
      image.pixels.push_back(it->second);
    }
  }
  for (; i < lines.size(); ++i)
    if (!TrimBlanks(lines[i]).empty()) throw SourceError(fileName, i + 1, "more pixel rows than the size gives");
  return image;
}

std::string LoadGlyphImage(const std::filesystem::path& path) {
  std::string data = ReadSourceFile(path);
  if (path.extension() == ".glyph") return EncodeBmp24(ParseGlyph(data, path.string()));
  if (data.size() < kBitmapHeadersSize || data[0] != 'B' || data[1] != 'M')
    throw SourceError(path.string(), 0, "not a Windows bitmap file");
  return data;
}

}  // namespace lexmora::tools
