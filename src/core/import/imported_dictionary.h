// What a reader of another program's dictionary file hands to the import:
// the entries with their articles already in this program's markup, the
// sound files those articles play, and what it had to leave out.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lexmora {

struct ImportedEntry {
  std::u16string headword;  // whole, as the file gives it
  std::string article;      // article bytes (see ArticleBuilder)
};

struct SkippedEntry {
  std::string headword;  // UTF-8
  std::string why;
};

// What a file says of itself, read cheaply before the import (to propose a
// group and choose the article styles).
struct DictionaryInfo {
  std::string name;          // UTF-8, the file's own title; empty: none
  std::string fromLanguage;  // of the headwords: an ISO 639-1 code ("az", "en", ...), empty when not named
  std::string toLanguage;    // of the articles
};

struct ImportedDictionary {
  std::string name;          // UTF-8, the file's own title; empty: none
  std::string fromLanguage;  // of the headwords: an ISO 639-1 code ("az", "en", ...), empty when not named
  std::string toLanguage;    // of the articles
  std::vector<ImportedEntry> entries;
  std::vector<std::string> sounds;  // audio file images (WAV, Ogg); sound button k plays sounds[k - 1]
  std::vector<SkippedEntry> skipped;

  // Adds an audio file image and gives its sound number (1-based).
  int AddSound(std::string image) {
    sounds.push_back(std::move(image));
    return static_cast<int>(sounds.size());
  }
  void Skip(std::string headword, std::string why) { skipped.push_back({std::move(headword), std::move(why)}); }
};

// A file a reader cannot take. The message names the file and the place
// where it went wrong ("x.idx: entry 12 at byte 300: ...").
class ImportError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The user stopped the import.
class ImportCancelled : public std::runtime_error {
 public:
  ImportCancelled() : std::runtime_error("the import was cancelled") {}
};

// Called now and then with the work done so far out of the total (bytes or
// entries, as the reader counts); answering false cancels the import.
using ImportProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// Calls progress (when set) and throws ImportCancelled when it answers false.
inline void ReportProgress(const ImportProgress& progress, std::uint64_t done, std::uint64_t total) {
  if (progress && !progress(done, total)) throw ImportCancelled();
}

}  // namespace lexmora
