// Imported headwords as word index entries of a group: in the group's code
// page, cut to the index's field, homonyms numbered.
#pragma once

#include <vector>

#include "dictionary/group_writer.h"
#include "import/imported_dictionary.h"

namespace lexmora {

// The headword in the code page: a letter the code page lacks becomes its
// base letter where that one fits ("ș" -> "s" in 1250); empty when a
// character has no place at all (or is a control character).
std::string IndexHeadword(std::u16string_view headword, int codePage);

// The word index entries of a dictionary's entries, in its order, their
// articles moved out. Equal headwords get homonym numbers ("bank 1",
// "bank 2"); a headword longer than the index field is cut there (the
// article keeps it whole). Entries whose headword has no form in the code
// page are left out and listed in skipped.
std::vector<SourceEntry> IndexEntries(std::vector<ImportedEntry>& entries, int codePage,
                                      std::vector<SkippedEntry>& skipped);

}  // namespace lexmora
