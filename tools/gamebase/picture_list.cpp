#include "gamebase/picture_list.h"

#include <limits>
#include <cstdint>
#include <initializer_list>

#include "common/source_error.h"
#include "common/source_file.h"
#include "text/text_lines.h"
#include "dictionary/file_io.h"
#include "game/encoded_picture_size.h"
#include "gamebase/bitmap_regions.h"

namespace lexmora::tools {

namespace fs = std::filesystem;

namespace {

struct Entry {
  std::string key;
  std::string value;  // comment stripped
  std::string raw;    // all after the '=', for colours that start with '#'
  std::size_t line = 0;
};

struct Section {
  std::size_t line = 0;
  std::vector<Entry> entries;
};

// The sections headed "[head]"; every other non-blank line must be a
// "key = value" line inside a section.
std::vector<Section> SplitSections(std::string_view text, const std::string& fileName, std::string_view head) {
  std::vector<Section> sections;
  const std::string wanted = "[" + std::string(head) + "]";
  const std::vector<std::string_view> lines = SplitLines(text);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::size_t line = n + 1;
    if (IsBlankOrComment(lines[n])) continue;
    const std::string_view trimmed = StripValueComment(lines[n]);
    if (trimmed.front() == '[') {
      if (trimmed != wanted) throw SourceError(fileName, line, "expected " + wanted + ", found " + std::string(trimmed));
      sections.push_back({line, {}});
      continue;
    }
    const auto kv = ParseKeyValue(lines[n]);
    if (!kv) throw SourceError(fileName, line, "expected key = value");
    if (sections.empty()) throw SourceError(fileName, line, kv->key + " before the first " + wanted);
    const std::string_view raw = TrimBlanks(lines[n].substr(lines[n].find('=') + 1));
    sections.back().entries.push_back({kv->key, kv->value, std::string(raw), line});
  }
  return sections;
}

// The one value of a key in a section, or null when the key is missing;
// a key given twice is an error.
const Entry* Single(const Section& section, const std::string& key, const std::string& fileName) {
  const Entry* found = nullptr;
  for (const Entry& e : section.entries) {
    if (e.key != key) continue;
    if (found) throw SourceError(fileName, e.line, key + " given twice");
    found = &e;
  }
  return found;
}

const Entry& Required(const Section& section, const std::string& key, const std::string& fileName) {
  const Entry* e = Single(section, key, fileName);
  if (!e) throw SourceError(fileName, section.line, "the section has no " + key);
  return *e;
}

void RejectUnknownKeys(const Section& section, std::initializer_list<std::string_view> known,
                       const std::string& fileName) {
  for (const Entry& e : section.entries) {
    bool ok = false;
    for (std::string_view k : known) ok = ok || e.key == k;
    if (!ok) throw SourceError(fileName, e.line, "unknown key " + e.key);
  }
}

// The type a picture file's first bytes show: 1 for "BM", 2 for FF D8.
std::uint8_t TypeOfContent(std::string_view data) {
  if (data.substr(0, 2) == "BM") return kPictureTypeBitmap;
  if (data.substr(0, 2) == "\xFF\xD8") return kPictureTypeJpeg;
  return 0;
}

const char* TypeName(std::uint8_t type) { return type == kPictureTypeBitmap ? "bitmap" : "JPEG"; }

// Reads the section's picture file and settles its type: the one given
// ("bmp" or "jpeg") must be the one of the content; without one, the
// content decides. Returns the file's data and its size.
struct PictureFile {
  std::string data;
  std::uint8_t type = 0;
  PictureSize size;
};

PictureFile ReadPicture(const Section& section, const std::string& fileName, const fs::path& baseDir) {
  const Entry& file = Required(section, "file", fileName);
  PictureFile picture;
  auto data = ReadWholeFile(baseDir / file.value);
  if (!data) throw SourceError(fileName, file.line, "cannot read " + file.value);
  picture.data = std::move(*data);
  if (picture.data.size() > std::numeric_limits<std::uint32_t>::max()) {
    throw SourceError(fileName, file.line, file.value + " is too large for a picture base");
  }
  const std::uint8_t content = TypeOfContent(picture.data);
  if (const Entry* type = Single(section, "type", fileName)) {
    if (type->value == "bmp") picture.type = kPictureTypeBitmap;
    else if (type->value == "jpeg") picture.type = kPictureTypeJpeg;
    else throw SourceError(fileName, type->line, "type must be bmp or jpeg, not " + type->value);
    if (content != picture.type) {
      throw SourceError(fileName, type->line, file.value + " is not a " + TypeName(picture.type) + " file");
    }
  } else {
    if (content == 0) throw SourceError(fileName, file.line, file.value + " is neither a bitmap nor a JPEG file");
    picture.type = content;
  }
  picture.size = EncodedPictureSize(picture.data, picture.type);
  if (picture.size.width == 0) throw SourceError(fileName, file.line, "cannot tell the size of " + file.value);
  return picture;
}

std::uint32_t Colour(const Section& section, const std::string& key, const std::string& fileName) {
  const Entry& e = Required(section, key, fileName);
  // "#rrggbb", then nothing or a comment.
  const std::string_view raw = e.raw;
  const std::size_t end = raw.find_first_of(" \t");
  const std::string_view word = raw.substr(0, end);
  const std::string_view rest = end == std::string_view::npos ? std::string_view() : TrimBlanks(raw.substr(end));
  const auto colour = rest.empty() || rest.front() == '#' ? ParseHtmlColour(word) : std::nullopt;
  if (!colour) throw SourceError(fileName, e.line, key + " must be a colour #rrggbb, not " + std::string(raw));
  return *colour;
}

RegionPoint Point(const Entry& e, const PictureSize& size, std::size_t number, const std::string& fileName) {
  const std::vector<std::string_view> words = SplitWords(e.value);
  const auto x = words.size() == 2 ? ParseNumber(words[0], INT32_MIN, INT32_MAX) : std::nullopt;
  const auto y = words.size() == 2 ? ParseNumber(words[1], INT32_MIN, INT32_MAX) : std::nullopt;
  if (!x || !y) throw SourceError(fileName, e.line, "point must be two whole numbers x y, not " + e.value);
  if (*x < 0 || *y < 0 || *x >= size.width || *y >= size.height) {
    throw SourceError(fileName, e.line, "point " + std::to_string(number) + " (" + e.value + ") lies outside the " +
                                            std::to_string(size.width) + " x " + std::to_string(size.height) +
                                            " picture");
  }
  return {static_cast<std::int32_t>(*x), static_cast<std::int32_t>(*y)};
}

}  // namespace

std::optional<std::uint32_t> ParseHtmlColour(std::string_view text) {
  if (text.size() != 7 || text[0] != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  for (char c : text.substr(1)) {
    int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    if (digit < 0) return std::nullopt;
    rgb = rgb << 4 | static_cast<std::uint32_t>(digit);
  }
  // 0xRRGGBB as written, 0x00BBGGRR as stored.
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

std::vector<ListedPicture> ParsePictureList(std::string_view text, const std::string& fileName,
                                            const fs::path& baseDir) {
  std::vector<ListedPicture> pictures;
  for (const Section& section : SplitSections(text, fileName, "picture")) {
    RejectUnknownKeys(section, {"file", "type", "border", "transparent", "point"}, fileName);
    ListedPicture listed;
    listed.line = section.line;
    listed.file = Required(section, "file", fileName).value;
    const PictureFile picture = ReadPicture(section, fileName, baseDir);
    RegionPictureSource& s = listed.source;
    s.type = picture.type;
    s.borderColour = Colour(section, "border", fileName);
    s.transparentColour = Colour(section, "transparent", fileName);
    if (s.borderColour == s.transparentColour) {
      throw SourceError(fileName, Required(section, "transparent", fileName).line,
                        "the transparent colour is the border colour");
    }
    for (const Entry& e : section.entries) {
      if (e.key == "point") s.points.push_back(Point(e, picture.size, s.points.size() + 1, fileName));
    }
    if (s.points.empty()) throw SourceError(fileName, section.line, "the picture has no point: it needs one per region");
    if (picture.type == kPictureTypeBitmap) {
      if (const auto image = DecodePlainBitmap(picture.data)) {
        if (auto fault = CheckRegionPoints(*image, s.borderColour, s.transparentColour, s.points)) {
          throw SourceError(fileName, section.line, listed.file + ": " + *fault);
        }
        listed.regionsChecked = true;
      }
    }
    s.picture = picture.data;
    pictures.push_back(std::move(listed));
  }
  return pictures;
}

std::vector<ListedBackground> ParseBackgroundList(std::string_view text, const std::string& fileName,
                                                  const fs::path& baseDir) {
  std::vector<ListedBackground> backgrounds;
  for (const Section& section : SplitSections(text, fileName, "background")) {
    RejectUnknownKeys(section, {"file", "type"}, fileName);
    ListedBackground listed;
    listed.line = section.line;
    listed.file = Required(section, "file", fileName).value;
    PictureFile picture = ReadPicture(section, fileName, baseDir);
    listed.source.type = picture.type;
    listed.source.picture = std::move(picture.data);
    backgrounds.push_back(std::move(listed));
  }
  return backgrounds;
}

std::vector<ListedPicture> LoadPictureList(const fs::path& path) {
  return ParsePictureList(ReadSourceFile(path), path.string(), path.parent_path());
}

std::vector<ListedBackground> LoadBackgroundList(const fs::path& path) {
  return ParseBackgroundList(ReadSourceFile(path), path.string(), path.parent_path());
}

}  // namespace lexmora::tools
