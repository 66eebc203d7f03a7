// Adding another program's dictionary file to a group of the program folder,
// and taking it out again. The file becomes the group's next free
// sub-dictionary (with its sound archive); the group's word index is
// rewritten with the old entries and the new ones. Every file is written
// under a temporary name and renamed into place, the word index and the
// group table last: a failure, a full disk or a kill leaves the folder's
// dictionaries as they were.
#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dictionary/dict_group_record.h"
#include "import/import_format.h"
#include "import/imported_dictionary.h"

namespace lexmora {

struct ImportRequest {
  std::filesystem::path programDir;
  std::filesystem::path file;
  std::optional<ImportFormat> format;  // found from the file when not given
  int group = 0;                       // an existing group 1..10; 0: a new group
  std::string newGroupName;            // UTF-8, for a new group
  int codePage = 0;                    // headword code page of a new group: 1250, 1251, 1252 or 1254
  ImportProgress progress;             // done out of total, in per mille
};

struct ImportResult {
  int group = 0;
  int subDict = 0;
  std::string name;  // the sub-dictionary's name, UTF-8
  std::size_t entries = 0;
  std::size_t sounds = 0;
  std::vector<SkippedEntry> skipped;
};

// Throws ImportError (the message names the file and the fault) or
// ImportCancelled; the folder is then unchanged.
ImportResult ImportDictionary(const ImportRequest& request);

// Takes a sub-dictionary that an import added out of its group: its files
// go and the word index is rewritten without its entries. Throws ImportError.
void RemoveImportedDictionary(const std::filesystem::path& programDir, int group, int subDict);

// The group of the table whose languages are those of the file (English to
// Azeri is "vcl_ea", and so on); 0 when the file names no languages or no
// group has them.
int ProposeGroup(const GroupTable& table, const DictionaryInfo& info);

// The headword code page a new group for headwords of this language (an
// ISO 639-1 code) is best made with: 1254 for Azeri and Turkish, 1251 for
// Cyrillic languages, 1250 for Central European ones, else 1252.
int HeadwordCodePageFor(std::string_view language);

// The slot a new group would take: the first without a word index; 0 when
// all ten have one.
int FreeGroupSlot(const std::filesystem::path& programDir, const GroupTable& table);

}  // namespace lexmora
