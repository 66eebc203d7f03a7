#include "dictc/dict_compiler.h"

#include <map>
#include <stdexcept>
#include <system_error>

#include "common/source_error.h"
#include "dictc/source_parser.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"

namespace lexmora::tools {
namespace fs = std::filesystem;

std::vector<CompiledGroup> CompileDictionaries(const fs::path& groupFile, const fs::path& outDir) {
  std::vector<GroupSource> groups = ParseGroupFile(groupFile);
  if (groups.empty()) throw SourceError(groupFile.string(), 0, "no [group N] section");

  // Parse every source before writing anything, so a fault leaves the folder
  // as it was.
  std::vector<std::vector<ParsedSubDict>> parsed(groups.size());
  for (std::size_t g = 0; g < groups.size(); ++g) {
    std::map<int, std::string> seen;  // number -> "file:line"
    for (const SourceRef& ref : groups[g].sources) {
      if (!fs::is_regular_file(ref.path))
        throw SourceError(ref.file, ref.line, "source " + ref.path.string() + " does not exist");
      ParsedSubDict sub = ParseSubDictSource(ref.path, groups[g].record);
      const int number = sub.subDict.header.Number();
      auto [it, fresh] = seen.emplace(number, ref.path.string() + ":" + std::to_string(sub.numberLine));
      if (!fresh)
        throw SourceError(ref.path.string(), sub.numberLine,
                          "sub-dictionary " + std::to_string(number) + " of group " +
                              std::to_string(groups[g].number) + " is already given at " + it->second);
      parsed[g].push_back(std::move(sub));
    }
  }

  std::error_code ec;
  fs::create_directories(outDir, ec);
  if (ec) throw std::runtime_error("cannot create " + outDir.string() + ": " + ec.message());

  // The table holds groups 1..highest; a number the file skips keeps its
  // built-in record.
  GroupTable table = BuiltInGroupTable();
  for (auto& record : table.groups) record.SetLoaded(false);
  table.count = groups.back().number;
  std::vector<CompiledGroup> report;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    const GroupSource& group = groups[g];
    table.Group(group.number) = group.record;
    CompiledGroup done;
    done.number = group.number;
    done.base = std::string(group.record.BaseName());
    done.subDicts = parsed[g].size();
    if (!parsed[g].empty()) {
      std::vector<SourceSubDict> subDicts;
      for (ParsedSubDict& p : parsed[g]) {
        done.truncatedHeadwords += p.truncatedHeadwords;
        subDicts.push_back(std::move(p.subDict));
      }
      GroupWriteResult written = WriteGroupFiles(outDir, done.base, group.record.CodePage(), subDicts);
      if (!written.ok) throw std::runtime_error("group " + std::to_string(group.number) + ": " + written.error);
      done.entries = written.entries;
    }
    report.push_back(done);
  }
  const std::string image = SerializeGroupTable(table);
  if (!WriteFileAtomically(GroupTablePath(outDir), image))
    throw std::runtime_error("cannot write " + GroupTablePath(outDir).string());
  return report;
}

}  // namespace lexmora::tools
