// Helpers shared by the fuzz targets: a private program folder per process
// and fixed, valid companion files for the readers under test.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "article/article_renderer.h"
#include "dictionary/byte_io.h"
#include "dictionary/dict_group_record.h"
#include "dictionary/group_writer.h"
#include "dictionary/loaded_group.h"
#include "dictionary/sub_vocl_header.h"
#include "dictionary/vocl_index.h"

namespace lexmora::fuzz {

namespace fs = std::filesystem;

// Stops the process so that libFuzzer records the input as a crash.
#define LEXMORA_FUZZ_CHECK(cond) \
  do {                           \
    if (!(cond)) {               \
      std::fprintf(stderr, "check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      __builtin_trap();          \
    }                            \
  } while (0)

// A program folder of its own for this process (fuzzers may run as several
// jobs at once), under /dev/shm when it exists so that file writes stay in
// memory. Removed at exit.
inline const fs::path& ProgramFolder() {
  static const fs::path dir = [] {
    std::error_code ec;
    fs::path root = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path d = root / ("lexmora-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(d / "DICT", ec);
    static const std::string toRemove = d.string();
    std::atexit([] {
      std::error_code e;
      fs::remove_all(toRemove, e);
    });
    return d;
  }();
  return dir;
}

inline void WriteFile(const fs::path& path, std::string_view data) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f) != data.size()) std::abort();
  std::fclose(f);
}

// A small article with most markup kinds, unscrambled.
inline std::string SampleArticle(int variant) {
  std::string a;
  a += MarkupTag(1, 5, 0);
  a += "word";
  a += MarkupTag(4, 0x8F, 0x01);
  a += std::to_string(variant);
  a += "\r\n";
  a += MarkupTag(2, 3, 0);
  a += MarkupTag(1, 3, 0);
  a += "[ES]";
  a += MarkupTag(1, 2, 0);
  a += " t\xE6rc\xFCm\xE6 ";
  a += MarkupTag(7, 1, 0xFF);
  a += "hit";
  a += MarkupTag(8, 1, 0xFF);
  a += MarkupTag(9, 0, static_cast<char>(variant & 0x7F));
  a += "\r\r\n";
  return a;
}

// A valid article base image: a header with the given number, name and
// entry count, followed by `articles` scrambled articles back to back.
inline std::string ArticleBaseImage(int number, std::uint32_t entryCount, int articles) {
  SubVoclHeaderRecord h;
  h.SetNumber(number);
  h.SetEntryCount(entryCount);
  h.SetLocale(0x409);
  h.SetName(MakeLanguageText({"\xC0\xE7\xE5\xF0\xE1\xE0\xE9\xE4\xE6\xE0\xED", "English", "\xD0\xF3\xF1", "", "Fran\xE7" "ais"}));
  h.SetButtonGlyph(std::string(64, 'B'));
  h.SetListGlyph(std::string(32, 'L'));
  std::string image(reinterpret_cast<const char*>(h.bytes.data()), h.bytes.size());
  for (int i = 0; i < articles; ++i) {
    std::string a = SampleArticle(i);
    XorBytes(a.data(), a.size(), DataKey);
    image += a;
  }
  return image;
}

// A small group for the list file target and its seeds: group 1 of the
// built-in table written into dir, sub-dictionaries 0, 1 and 3 (14, 5 and 6
// words, interleaved in the word list), loaded with 0 and 3 switched on, so
// that sub-dictionary 1 has a section in a written list but no entries.
inline LoadedGroup ListFileGroup(const fs::path& dir) {
  const GroupTable table = BuiltInGroupTable();
  const std::string base(table.Group(1).BaseName());
  std::vector<SourceSubDict> subs(3);
  const int numbers[] = {0, 1, 3};
  const int counts[] = {14, 5, 6};
  for (std::size_t s = 0; s < subs.size(); ++s) {
    subs[s].header.SetNumber(numbers[s]);
    subs[s].header.SetName(MakeLanguageText({"\xC0\xE7", "Words", "", "", ""}));
    for (int i = 0; i < counts[s]; ++i) {
      SourceEntry e;
      // Keys interleave the sub-dictionaries in the sorted word list.
      e.display = std::string(1, static_cast<char>('a' + i)) + std::to_string(s);
      e.article = SampleArticle(i);
      subs[s].entries.push_back(e);
    }
  }
  if (!WriteGroupFiles(dir, base, table.Group(1).CodePage(), subs).ok) std::abort();
  SubDictSet enabled;
  enabled.Set(0, true);
  enabled.Set(3, true);
  LoadedGroup group = LoadGroup(dir, table, 1, enabled);
  if (group.entries.size() != 20 || group.headers.size() != 3) std::abort();
  return group;
}

// The style of an article's first text: the head line's; -2 for none.
inline int FirstTextStyle(std::string_view article) {
  RecordingArticleView view;
  ArticleRenderer().DrawRVText(article, view);
  for (const auto& item : view.items)
    if (!item.isSound) return item.text.style;
  return -2;
}

}  // namespace lexmora::fuzz
