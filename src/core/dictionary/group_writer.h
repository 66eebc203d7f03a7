// Writes a group's word index and article bases from in-memory entries: the
// one writer behind the dictionary compiler, the importer and the tests.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/sub_vocl_header.h"
#include "dictionary/vocl_index.h"

namespace lexmora {

struct SourceEntry {
  std::string display;  // headword in the group's code page (max 30 bytes kept)
  std::string sortKey;  // upper-case key (max 32 bytes kept); empty: derived from display
  std::string article;  // unscrambled article bytes with markup
};

struct SourceSubDict {
  SubVoclHeaderRecord header;  // name, locale, number and glyphs; the entry count is set by the writer
  std::vector<SourceEntry> entries;
};

struct GroupWriteResult {
  bool ok = false;
  std::string error;
  std::size_t entries = 0;
  std::size_t truncatedHeadwords = 0;  // display forms or keys cut to their fields
};

// Sorts all entries by key in the collation of headwordCodePage (stable:
// equal keys keep sub-dictionary order, then source order) and writes
// dir/DICT/base.wif and dir/DICT/baseNNN.wbf. Folders are created.
GroupWriteResult WriteGroupFiles(const std::filesystem::path& dir, const std::string& base, int headwordCodePage,
                                 const std::vector<SourceSubDict>& subDicts);

// Writes the article base (".wbf") of one sub-dictionary to file through a
// temporary file, appending the index records of its entries to records;
// false with result.error set on a fault (file is then as it was).
bool WriteArticleBase(const std::filesystem::path& file, const SourceSubDict& subDict, int headwordCodePage,
                      std::vector<VoclIndexRecord>& records, GroupWriteResult& result);

// Sorts the records by key in the collation of headwordCodePage (stable) and
// writes DICT/base.wif through a temporary file; present lists the
// sub-dictionaries the index holds.
bool WriteWordIndex(const std::filesystem::path& dir, const std::string& base, int headwordCodePage,
                    const SubDictSet& present, std::vector<VoclIndexRecord> records, std::string& error);

}  // namespace lexmora
