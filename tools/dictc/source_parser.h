// Readers of the dictionary sources: the group file ("[group N]" sections)
// and the sub-dictionary sources (".src": a head of "key = value" lines, then
// "@ headword" entries with their article lines).
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/dict_group_record.h"
#include "dictionary/group_writer.h"

namespace lexmora::tools {

struct SourceRef {
  std::filesystem::path path;
  std::string file;  // the group file that names it
  std::size_t line = 0;
};

struct GroupSource {
  int number = 0;
  std::size_t line = 0;  // of the "[group N]" line
  DictGroupRecord record;
  std::vector<SourceRef> sources;
};

// Reads the group file. Sections must come in ascending group order; keys a
// section leaves out keep the value of the built-in group of that number.
// Glyph files named by "bitmap" are read. Throws SourceError.
std::vector<GroupSource> ParseGroupFile(const std::filesystem::path& path);

struct ParsedSubDict {
  SourceSubDict subDict;
  std::size_t numberLine = 0;     // line of "subdict = N"
  std::size_t truncatedHeadwords = 0;  // headwords or keys cut to their fields
};

// Reads one sub-dictionary source for a group: headwords in the group's code
// page, articles encoded with their markup. Throws SourceError.
ParsedSubDict ParseSubDictSource(const std::filesystem::path& path, const DictGroupRecord& group);

// The display form and sort key of a headword already in the group's code
// page: the display cut to 30 bytes, the upper-case key to 32.
SourceEntry MakeIndexEntry(const std::string& headword, int codePage, std::string article);

}  // namespace lexmora::tools
