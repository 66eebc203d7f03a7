// Word index reader: the input (after two selector bytes) becomes
// DICT/<base>.wif in a private program folder whose article bases are fixed
// and valid; then LoadGroup, every article, and a few lookups.
//
// Input: byte 0 picks the built-in group (1..9, so every headword code page
// and both collations are reached), byte 1 the enabled sub-dictionaries
// (bit k = number k for k < 7; bit 7 = numbers 7, 9 and 255), the rest is
// the word index file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "article/article_renderer.h"
#include "dictionary/file_names.h"
#include "dictionary/loaded_group.h"
#include "dictionary/lookup.h"
#include "fuzz_support.h"

using namespace lexmora;
using namespace lexmora::fuzz;

namespace {

// Each group gets a program folder of its own, so that the loader's search
// for files of other case stays within a handful of names.
fs::path GroupFolder(int g) { return ProgramFolder() / std::to_string(g); }

const GroupTable& Table() {
  static const GroupTable table = [] {
    GroupTable t = BuiltInGroupTable();
    for (int g = 1; g <= 9; ++g) {
      const fs::path dir = GroupFolder(g);
      fs::create_directories(dir / "DICT");
      const std::string base(t.Group(g).BaseName());
      WriteFile(ArticleBasePath(dir, base, 0), ArticleBaseImage(0, 40, 24));
      WriteFile(ArticleBasePath(dir, base, 1), ArticleBaseImage(1, 3, 4));
      // A file whose header carries another number and an absurd count.
      WriteFile(ArticleBasePath(dir, base, 2), ArticleBaseImage(9, 0xFFFFFFFFu, 2));
      // A file too short to hold a header.
      WriteFile(ArticleBasePath(dir, base, 3), std::string(100, 'x'));
      // Two files claiming the same number.
      WriteFile(ArticleBasePath(dir, base, 4), ArticleBaseImage(1, 5, 1));
      WriteFile(ArticleBasePath(dir, base, 255), ArticleBaseImage(255, 7, 3));
    }
    return t;
  }();
  return table;
}

void CheckGroup(const LoadedGroup& group, const SubDictSet& enabled) {
  const std::size_t n = group.entries.size();
  LEXMORA_FUZZ_CHECK(group.loaded);
  LEXMORA_FUZZ_CHECK(group.userList.size() == n);
  LEXMORA_FUZZ_CHECK(group.headers.size() == group.headerFiles.size());
  LEXMORA_FUZZ_CHECK(group.reindex.size() == group.headers.size());
  LEXMORA_FUZZ_CHECK(group.headers.size() < kNoHeader);
  for (const auto& r : group.entries) {
    LEXMORA_FUZZ_CHECK(enabled.Contains(r.SubDict()));
    LEXMORA_FUZZ_CHECK(group.HeaderFor(r.SubDict()) != nullptr);
    LEXMORA_FUZZ_CHECK(group.ArticleFileFor(r.SubDict()) != nullptr);
  }
  for (std::size_t p = 0; p < group.reindex.size(); ++p) {
    LEXMORA_FUZZ_CHECK(group.reindex[p].size() <= group.headers[p].EntryCount());
    for (std::uint32_t e : group.reindex[p]) {
      if (e == 0) continue;  // unused slots stay 0
      LEXMORA_FUZZ_CHECK(e < n);
      LEXMORA_FUZZ_CHECK(group.numberMap[static_cast<std::size_t>(group.entries[e].SubDict())] == p);
    }
  }
  for (int k = 0; k < 256; ++k) {
    const std::uint8_t p = group.numberMap[static_cast<std::size_t>(k)];
    if (p == kNoHeader) continue;
    LEXMORA_FUZZ_CHECK(p < group.headers.size());
    LEXMORA_FUZZ_CHECK(group.headers[p].Number() == k);
  }
}

void CheckRow(int row, std::size_t n) {
  if (n == 0) LEXMORA_FUZZ_CHECK(row == 0);
  else LEXMORA_FUZZ_CHECK(row >= 0 && static_cast<std::size_t>(row) < n);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const GroupTable& table = Table();
  const int g = 1 + data[0] % 9;
  SubDictSet enabled;
  for (int k = 0; k < 7; ++k) enabled.Set(k, (data[1] >> k) & 1);
  if (data[1] & 0x80) {
    enabled.Set(7, true);
    enabled.Set(9, true);
    enabled.Set(255, true);
  }
  const fs::path dir = GroupFolder(g);
  const std::string base(table.Group(g).BaseName());
  WriteFile(WordIndexPath(dir, base), std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));

  const LoadedGroup group = LoadGroup(dir, table, g, enabled);
  CheckGroup(group, enabled);
  const std::size_t n = group.entries.size();

  ArticleRenderer renderer;
  for (int e = -1; e <= static_cast<int>(n); ++e) {
    const std::string text = ReadArticleText(group, e);
    if (e < 0 || e == static_cast<int>(n)) {
      LEXMORA_FUZZ_CHECK(text.empty());
      continue;
    }
    const auto& r = group.entries[static_cast<std::size_t>(e)];
    LEXMORA_FUZZ_CHECK(text.empty() || text.size() == r.ArticleLength());
    RecordingArticleView view;
    renderer.DrawRVText(text, view);
  }

  std::vector<std::string> keys = {"", "A", "0", "ZZZZZZZZ", "\xFF\xFF", "\xC6", std::string(40, 'M')};
  if (n > 0) {
    for (std::size_t i : {std::size_t{0}, n / 2, n - 1}) {
      const std::string k(group.entries[i].SortKey());
      keys.push_back(k);
      keys.push_back(k.substr(0, k.size() / 2));
      keys.push_back(k + "A");
    }
  }
  ViewList everyOther;
  for (std::size_t i = 0; i < n; i += 2) everyOther.push_back(static_cast<std::uint32_t>(i));
  ViewList stale = {0, static_cast<std::uint32_t>(n), static_cast<std::uint32_t>(n + 5), 0xFFFFFFFFu};
  const ViewList marks = BuildViewList(group.userList);
  LEXMORA_FUZZ_CHECK(marks.empty());
  for (const std::string& key : keys) {
    CheckRow(Lookup(key, group, nullptr), n);
    CheckRow(Lookup(key, group, &everyOther), everyOther.size());
    CheckRow(Lookup(key, group, &marks), 0);
    if (n > 0) CheckRow(Lookup(key, group, &stale), stale.size());
  }
  const std::u16string loneSurrogate{static_cast<char16_t>(0xD800), u'x'};
  for (std::u16string_view typed : {std::u16string_view(u""), std::u16string_view(u"  a "), std::u16string_view(u"\u0259"),
                                    std::u16string_view(u"i\u015F"), std::u16string_view(loneSurrogate),
                                    std::u16string_view(u"zzzz")}) {
    CheckRow(ListWordChanged(typed, group, nullptr), n);
  }
  return 0;
}
