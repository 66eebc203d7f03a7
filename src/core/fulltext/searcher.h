// Full-text search over the index files of a group's sub-dictionaries.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/loaded_group.h"
#include "fulltext/index_records.h"

namespace lexmora {

// One hit of a search result (kept in memory only).
struct OneIdxRecord {
  std::uint32_t article = 0;
  std::uint32_t place = 0;  // first position record, or the position once loaded
  std::uint16_t count = 0;
  std::uint8_t subDict = 0;
  std::uint8_t lineFlag = 0;
  std::uint16_t length = 0;
};

struct SearchResultRecord {
  std::uint32_t filePosition = 0;  // 1-based place in the search's file list
  std::uint32_t wordCounter = 0;
  std::uint32_t subDict = 0;
  std::vector<OneIdxRecord> occurrences;
};
using SearchResultsArray = std::vector<SearchResultRecord>;

// Progress and cancellation shared between a search worker and the window.
struct SearchProgressState {
  std::atomic<std::uint32_t> progress{0};
  std::atomic<std::uint32_t> progressMax{0};
  std::atomic<bool> cancel{false};
};

// One index file of the search: its ".tib" path and the highest article
// number its sub-dictionary has.
struct SearchFile {
  std::filesystem::path tib;
  std::uint32_t articleCount = 0;
};

// The last ".tib" record whose key equals the key, if any.
bool FindIndexWord(class RawFile& tib, const WordKey& key, IndexWordRecord& out);

// Searches every file for the articles holding all words (normalised).
// Returns false when it was cancelled (the flag is checked after each form
// and word, and is never cleared here); the results of finished files stay.
bool SearchIndexFiles(const std::vector<std::u16string>& words, const std::vector<SearchFile>& files,
                      SearchResultsArray& results, SearchProgressState& state);

// Replaces the postings of a result by its occurrences from the ".ID3" file.
// A failed read keeps what was expanded before it.
void LoadPositions(const std::filesystem::path& id3, SearchResultRecord& result);

// The whole search of a group: split and normalise the text, search every
// sub-dictionary's index, load the positions, fill in sub-dictionary numbers.
SearchResultsArray SearchGroupIndex(const std::filesystem::path& dir, const DictGroupRecord& record,
                                    const LoadedGroup& group, std::u16string_view text, SearchProgressState& state,
                                    std::vector<std::u16string>* normalizedWords = nullptr);

// The Search Results marks of a group: its entries whose articles were found
// in enabled sub-dictionaries.
NotepadARRAY MarkSearchResults(const LoadedGroup& group, const SubDictSet& enabled, const SearchResultsArray& results);

// The kept entry of a result (through its first occurrence), or -1 when its
// sub-dictionary is switched off or its article has no kept entry.
int ResultEntry(const LoadedGroup& group, const SearchResultRecord& result);

// "items: N time:hh:nn ss.zzz"
std::string SearchStatusText(std::size_t items, std::int64_t elapsedMilliseconds);

}  // namespace lexmora
