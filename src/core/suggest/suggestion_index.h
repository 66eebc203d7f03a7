// Suggestions for a typed text that is not a headword of a group: the rows
// whose headwords it may mean, found by folding the marks of letters away,
// by transliteration, by the stems of inflected forms and by edit distance.
//
// The index holds the folded keys of a group's headwords, sorted, each with
// the rows that have it; it is built on a worker after the group loads and
// read on the window thread. Typos are found by walking the sorted keys as a
// trie with a bounded edit-distance row per prefix.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/loaded_group.h"
#include "suggest/search_folding.h"

namespace lexmora {

class HunspellStemmer;

// How a suggestion fits the typed text, best first.
enum class SuggestionKind : std::uint8_t { Exact, Folded, Translit, Inflected, Typo };
const char* SuggestionKindName(SuggestionKind kind);

struct Suggestion {
  int row = -1;  // a row of the full view
  SuggestionKind how = SuggestionKind::Exact;
  friend bool operator==(const Suggestion& a, const Suggestion& b) { return a.row == b.row && a.how == b.how; }
};

class SuggestionIndex {
 public:
  // The index of a loaded group's headwords; stems of the group's language
  // come from the stemmer (none: no stems for a language other than Azeri),
  // or, with sharedStemmerOnUse, from the process's shared stemmer of the
  // language, loaded when a word first needs it (a dictionary costs memory
  // a program that never asks for stems should not pay).
  SuggestionIndex(const LoadedGroup& group, HeadwordLanguage language,
                  std::shared_ptr<const HunspellStemmer> stemmer, bool sharedStemmerOnUse = false);

  HeadwordLanguage Language() const { return language_; }
  std::size_t KeyCount() const { return rowStart_.empty() ? 0 : rowStart_.size() - 1; }
  std::size_t MemoryBytes() const;

  // At most `limit` rows for the typed text, best first: exact, folded,
  // translit, inflected, typo; ties by row; each row once. The group must
  // be the one the index was built from.
  std::vector<Suggestion> Suggest(std::u16string_view typed, const LoadedGroup& group, std::size_t limit) const;

  // The rows whose folded key is `key` (empty when none).
  std::vector<std::uint32_t> RowsOfKey(std::u16string_view key) const;
  // The rows whose folded keys are within maxDistance edits of the folded
  // text (two swapped neighbours count one), by distance, then by row.
  std::vector<std::uint32_t> RowsNear(std::u16string_view typed, int maxDistance) const;

  // Typed texts up to this many UTF-16 units are looked at (longer ones
  // are no word).
  static constexpr std::size_t kMaxTyped = 64;

 private:
  std::u16string_view Key(std::size_t k) const {
    return std::u16string_view(keys_).substr(keyStart_[k], keyStart_[k + 1] - keyStart_[k]);
  }
  // The position of a key in the sorted keys, or npos.
  std::size_t Find(std::u16string_view key) const;
  // Keys within the edit distance (adjacent transpositions count one),
  // with their distances.
  void FindNear(std::u16string_view key, int maxDistance, std::vector<std::pair<std::size_t, int>>& out) const;

  const HunspellStemmer* Stemmer() const;

  HeadwordLanguage language_;
  mutable std::shared_ptr<const HunspellStemmer> stemmer_;
  bool stemmerOnUse_ = false;
  mutable std::once_flag stemmerLoaded_;
  std::u16string keys_;                 // the sorted unique keys, one after another
  std::vector<std::uint32_t> keyStart_;  // key k is keys_[keyStart_[k], keyStart_[k + 1])
  std::vector<std::uint32_t> rowStart_;  // its rows are rows_[rowStart_[k], rowStart_[k + 1])
  std::vector<std::uint32_t> rows_;
  std::size_t maxKeyLength_ = 0;
};

// The stemmer of a language, loaded once per process and shared (null when
// the language has none or its dictionary is missing). Thread-safe.
std::shared_ptr<const HunspellStemmer> SharedStemmer(HeadwordLanguage language);

}  // namespace lexmora
