// The in-memory state of one loaded dictionary group and the group loader.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "dictionary/dict_group_record.h"
#include "dictionary/shared_records.h"
#include "dictionary/sub_vocl_header.h"
#include "dictionary/vocl_index.h"

namespace lexmora {

namespace fs = std::filesystem;

// One mark byte per entry of a group; non-zero marks the entry.
using NotepadARRAY = std::vector<std::uint8_t>;
using DynLongArray = std::vector<std::uint32_t>;
using ReindexLongIntArr = std::vector<DynLongArray>;
using SubVoclHeaderArray = std::vector<SubVoclHeaderRecord>;

inline constexpr std::uint8_t kNoHeader = 255;

struct LoadedGroup {
  int groupNumber = 0;
  int codePage = 1252;  // headword code page of the group
  fs::path wordIndexFile;
  SharedRecords<VoclIndexRecord> entries;  // kept records, unscrambled, file order; shared by copies
  VoclIndexHeader indexHeader;
  SubVoclHeaderArray headers;             // ascending sub-dictionary number
  std::vector<fs::path> headerFiles;      // the ".wbf" file of each header
  std::array<std::uint8_t, 256> numberMap{};  // number -> header position, 255 = absent
  // Per header: entry-table indices of that sub-dictionary's entries in
  // index order; unused slots stay 0.
  ReindexLongIntArr reindex;
  NotepadARRAY userList;
  NotepadARRAY gameList;
  NotepadARRAY searchList;
  bool loaded = false;
  // Records that were dropped because their sub-dictionary had no header or
  // their per-sub-dictionary list was full.
  std::uint32_t droppedRecords = 0;

  int EntryCount() const { return static_cast<int>(entries.size()); }
  const SubVoclHeaderRecord* HeaderFor(int subDict) const;
  const fs::path* ArticleFileFor(int subDict) const;
};

// Program folder state of the group table: the table and the groups that
// have a word index file.
struct GroupTableState {
  GroupTable table;
  std::set<int> available;
};

// Reads "groups.dgi" (or keeps the built-in table) and finds the available
// groups.
GroupTableState LoadGroupTable(const fs::path& dir);
// Writes count x 4220 bytes to "groups.dgi" through a temporary file.
bool SaveGroupTable(const fs::path& dir, const GroupTable& table);
// Groups 1..count that have at least one DICT/base*.wif file.
std::set<int> AvailableGroups(const fs::path& dir, const GroupTable& table);

// Builds the loaded state of group g with the enabled set given.
LoadedGroup LoadGroup(const fs::path& dir, const GroupTable& table, int groupNumber,
                      const SubDictSet& enabled);

// The article bytes of a kept entry, still scrambled; empty when the article
// cannot be read whole or lies outside its file.
std::string ReadArticle(const LoadedGroup& group, int entry);
// The same, unscrambled.
std::string ReadArticleText(const LoadedGroup& group, int entry);

}  // namespace lexmora
