// Writes font archives ("system.lib") in the format read by font_archive.h.
#pragma once

#include <string>
#include <vector>

namespace lexmora {

struct FontArchiveMember {
  std::string name;  // at most 255 bytes
  std::string data;
  double modificationTime = 0;  // days since 1899-12-30
};

// The archive image: member data in the given order from offset 0, then the
// directory and the trailer. Names are cut to 255 bytes.
std::string BuildFontArchive(const std::vector<FontArchiveMember>& members);

// A "FONTS.STR" member: one 30-byte record per face (names cut to 29 bytes).
std::string BuildFontList(const std::vector<std::string>& faces);

}  // namespace lexmora
