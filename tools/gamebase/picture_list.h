// The readable sources of the game's picture bases: a list of region
// pictures and a list of backgrounds, one section per picture, in base
// order (README.md beside this file gives the format).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/picture_base_writer.h"

namespace lexmora::tools {

// A region picture as the list gives it, its picture file read.
struct ListedPicture {
  RegionPictureSource source;
  std::string file;          // as written in the list
  std::size_t line = 0;      // of the section head
  bool regionsChecked = false;  // the points were checked against the pixels
};

struct ListedBackground {
  BackgroundSource source;
  std::string file;
  std::size_t line = 0;
};

// Parses a list; picture files are named relative to baseDir. fileName
// names the list in errors. Throws SourceError
// ("list:line: message") on the first fault: unknown keys, missing or bad
// values, pictures that cannot be read, are not of their type or do not
// tell their size, points outside the picture and, for bitmaps whose pixels
// can be read, points that do not stand in regions of their own.
std::vector<ListedPicture> ParsePictureList(std::string_view text, const std::string& fileName,
                                            const std::filesystem::path& baseDir);
std::vector<ListedBackground> ParseBackgroundList(std::string_view text, const std::string& fileName,
                                                  const std::filesystem::path& baseDir);

// The lists read from their files, pictures named relative to the list.
std::vector<ListedPicture> LoadPictureList(const std::filesystem::path& path);
std::vector<ListedBackground> LoadBackgroundList(const std::filesystem::path& path);

// "#rrggbb" as a 0x00BBGGRR colour; nullopt for anything else.
std::optional<std::uint32_t> ParseHtmlColour(std::string_view text);

}  // namespace lexmora::tools
