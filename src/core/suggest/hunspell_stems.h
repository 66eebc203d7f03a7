// The stems of English, German, French and Russian word forms through
// libhunspell with the system's dictionaries.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/search_folding.h"

class Hunspell;

namespace lexmora {

class HunspellStemmer {
 public:
  // The system folder of hunspell dictionaries.
  static std::filesystem::path DefaultFolder() { return "/usr/share/hunspell"; }
  // The dictionary of a headword language (en_US, de_DE, fr_FR, ru_RU) from
  // the folder; null for other languages or when its files are missing.
  static std::unique_ptr<HunspellStemmer> Open(HeadwordLanguage language,
                                               const std::filesystem::path& folder = DefaultFolder());
  ~HunspellStemmer();

  // The stems of a word (as typed, any case), without the word itself,
  // without duplicates. Safe from several threads.
  std::vector<std::u16string> Stems(std::u16string_view word) const;

 private:
  HunspellStemmer() = default;
  std::unique_ptr<Hunspell> hunspell_;
  std::string encoding_;  // the dictionary's own encoding (SET)
  HeadwordLanguage language_ = HeadwordLanguage::Other;
  mutable std::mutex mutex_;
};

}  // namespace lexmora
