// Builds small groups in a temporary program folder with the core writer.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/file_io.h"
#include "dictionary/group_writer.h"
#include "dictionary/loaded_group.h"

namespace lexmora::test {

inline SourceSubDict SubDict(int number, std::vector<std::pair<std::string, std::string>> headwordsAndArticles) {
  SourceSubDict s;
  s.header.SetNumber(number);
  s.header.SetName(std::string("\0\2Dictionary ", 13) + std::to_string(number));
  for (auto& [headword, article] : headwordsAndArticles) s.entries.push_back({headword, "", article});
  return s;
}

// Writes the built-in group table and the files of group g.
inline GroupTable WriteGroup(const std::filesystem::path& dir, int g, const std::vector<SourceSubDict>& subDicts) {
  GroupTable table = BuiltInGroupTable();
  const DictGroupRecord& record = table.Group(g);
  auto result = WriteGroupFiles(dir, std::string(record.BaseName()), record.CodePage(), subDicts);
  if (!result.ok) throw std::runtime_error(result.error);
  SaveGroupTable(dir, table);
  return table;
}

inline std::vector<std::string> Headwords(const LoadedGroup& group) {
  std::vector<std::string> out;
  for (const auto& e : group.entries) out.emplace_back(e.Display());
  return out;
}

}  // namespace lexmora::test
