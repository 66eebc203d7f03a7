// Article base reader: the input is a ".wbf" file. Its header goes through
// every accessor and the multi-language name through SelectLanguageText and
// SubDictDisplayName; then a group with a fixed word index is loaded over
// it and every kept article is read and rendered.
//
// The fixed word index holds four records for each sub-dictionary number
// 0..255 (sorted by key), with articles inside, at the edge of and beyond a
// small file, so whatever number the fuzzed header carries, records exist.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>
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

constexpr int kGroup = 1;

const GroupTable& Table() {
  static const GroupTable table = [] {
    GroupTable t = BuiltInGroupTable();
    const std::string base(t.Group(kGroup).BaseName());
    VoclIndexHeader header;
    header.highestNumber = 255;
    // Only number 0 has a file; the others are looked for and not found.
    for (int k = 0; k < 256; k += 17) header.present.Set(k, true);
    header.present.Set(0, true);
    std::string wif(VoclIndexHeader::kSize, '\0');
    header.Serialize(reinterpret_cast<std::uint8_t*>(wif.data()));
    struct Span { std::uint32_t offset, length; };
    const Span spans[] = {{0, 16}, {8, 300}, {0xFFFFFF00u, 0x200}, {100, 0xFFFFFFFFu}};
    std::vector<VoclIndexRecord> records;
    for (int k = 0; k < 256; ++k) {
      for (int s = 0; s < 4; ++s) {
        VoclIndexRecord r;
        char key[8];
        std::snprintf(key, sizeof key, "K%03d%d", k, s);
        r.SetDisplay(key);
        r.SetSortKey(key);
        r.SetArticleOffset(spans[s].offset);
        r.SetArticleLength(spans[s].length);
        r.SetSubDict(k);
        records.push_back(r);
      }
    }
    std::string body(reinterpret_cast<const char*>(records.data()), records.size() * VoclIndexRecord::kSize);
    XorBytes(body.data(), body.size(), DataKey);
    WriteFile(WordIndexPath(ProgramFolder(), base), wif + body);
    return t;
  }();
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const GroupTable& table = Table();
  const std::string_view image(reinterpret_cast<const char*>(data), size);

  SubVoclHeaderRecord header;
  std::memcpy(header.bytes.data(), data, std::min(size, SubVoclHeaderRecord::kSize));
  const std::string_view name = header.Name();
  LEXMORA_FUZZ_CHECK(name.size() <= SubVoclHeaderRecord::kNameMax);
  LEXMORA_FUZZ_CHECK(header.ButtonGlyph().size() <= SubVoclHeaderRecord::kButtonGlyphMax);
  LEXMORA_FUZZ_CHECK(header.ListGlyph().size() <= SubVoclHeaderRecord::kListGlyphMax);
  unsigned sink = header.EntryCount() + header.Locale() + static_cast<unsigned>(header.Number());
  for (char c : header.ButtonGlyph()) sink += static_cast<unsigned char>(c);
  for (char c : header.ListGlyph()) sink += static_cast<unsigned char>(c);
  (void)sink;

  for (std::string_view multi : {name, image.substr(0, 600)}) {
    for (int language = -1; language <= 5; ++language) {
      const LanguageText t = SelectLanguageText(multi, language);
      LEXMORA_FUZZ_CHECK(t.text.size() <= multi.size());
      LEXMORA_FUZZ_CHECK(t.language >= -1 && t.language <= 254);
      if (t.language == language && language >= 0) {
        // The part of the language asked for exists and was taken.
        LEXMORA_FUZZ_CHECK(multi.find(std::string{'\0', static_cast<char>(language + 1)}) != std::string_view::npos);
      }
      const std::u16string shown = SubDictDisplayName(multi, language);
      LEXMORA_FUZZ_CHECK(shown.size() == t.text.size());
      (void)LanguageCodePage(t.language);
    }
  }

  const fs::path& dir = ProgramFolder();
  const std::string base(table.Group(kGroup).BaseName());
  WriteFile(ArticleBasePath(dir, base, 0), image);
  SubDictSet all;
  for (int k = 0; k < 256; ++k) all.Set(k, true);
  const LoadedGroup group = LoadGroup(dir, table, kGroup, all);
  if (size < SubVoclHeaderRecord::kSize) {
    LEXMORA_FUZZ_CHECK(group.headers.empty());
    LEXMORA_FUZZ_CHECK(group.entries.empty());
  } else {
    LEXMORA_FUZZ_CHECK(group.headers.size() == 1);
    LEXMORA_FUZZ_CHECK(group.entries.size() <= std::min<std::uint32_t>(4, header.EntryCount()));
  }
  ArticleRenderer renderer;
  for (int e = 0; e < group.EntryCount(); ++e) {
    const auto& r = group.entries[static_cast<std::size_t>(e)];
    LEXMORA_FUZZ_CHECK(r.SubDict() == header.Number());
    const std::string text = ReadArticleText(group, e);
    const std::uint64_t end = SubVoclHeaderRecord::kSize + std::uint64_t{r.ArticleOffset()} + r.ArticleLength();
    LEXMORA_FUZZ_CHECK(text.size() == (end <= size ? r.ArticleLength() : 0));
    RecordingArticleView view;
    renderer.DrawRVText(text, view);
  }
  const int row = ListWordChanged(u"k0", group, nullptr);
  LEXMORA_FUZZ_CHECK(row >= 0 && row <= std::max(0, group.EntryCount() - 1));
  return 0;
}
