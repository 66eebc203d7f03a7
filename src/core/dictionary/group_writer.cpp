#include "dictionary/group_writer.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "dictionary/file_io.h"
#include "dictionary/file_names.h"
#include "dictionary/vocl_index.h"
#include "text/azeri_letters.h"
#include "text/collation.h"

namespace lexmora {

namespace fs = std::filesystem;

GroupWriteResult WriteGroupFiles(const fs::path& dir, const std::string& base, int headwordCodePage,
                                 const std::vector<SourceSubDict>& subDicts) {
  GroupWriteResult result;
  std::error_code ec;
  fs::create_directories(dir / "DICT", ec);
  if (ec) {
    result.error = "cannot create " + (dir / "DICT").string() + ": " + ec.message();
    return result;
  }
  std::vector<const SourceSubDict*> order;
  for (const auto& s : subDicts) order.push_back(&s);
  std::stable_sort(order.begin(), order.end(),
                   [](const SourceSubDict* a, const SourceSubDict* b) { return a->header.Number() < b->header.Number(); });

  VoclIndexHeader indexHeader;
  std::vector<VoclIndexRecord> records;
  const UpperRule rule = UpperRuleFor(headwordCodePage);
  for (const SourceSubDict* s : order) {
    const int number = s->header.Number();
    if (indexHeader.present.Contains(number)) {
      result.error = "sub-dictionary " + std::to_string(number) + " given twice";
      return result;
    }
    indexHeader.present.Set(number, true);
    indexHeader.highestNumber = static_cast<std::uint8_t>(std::max<int>(indexHeader.highestNumber, number));

    SubVoclHeaderRecord header = s->header;
    header.SetEntryCount(static_cast<std::uint32_t>(s->entries.size()));
    std::string image(reinterpret_cast<const char*>(header.bytes.data()), header.bytes.size());
    for (const SourceEntry& e : s->entries) {
      VoclIndexRecord r;
      std::string key = e.sortKey.empty() ? UpperCase(e.display, rule) : e.sortKey;
      if (e.display.size() > VoclIndexRecord::kDisplayMax || key.size() > VoclIndexRecord::kKeyMax)
        ++result.truncatedHeadwords;
      r.SetDisplay(e.display);
      r.SetSortKey(key);
      const std::size_t offset = image.size() - SubVoclHeaderRecord::kSize;
      if (offset + e.article.size() > 0xFFFFFFFFu) {
        result.error = "article base of sub-dictionary " + std::to_string(number) + " exceeds 4 GiB";
        return result;
      }
      r.SetArticleOffset(static_cast<std::uint32_t>(offset));
      r.SetArticleLength(static_cast<std::uint32_t>(e.article.size()));
      r.SetSubDict(number);
      std::size_t at = image.size();
      image += e.article;
      XorBytes(image.data() + at, e.article.size(), DataKey);
      records.push_back(r);
    }
    if (!WriteFileAtomically(ArticleBasePath(dir, base, number), image)) {
      result.error = "cannot write " + ArticleBasePath(dir, base, number).string();
      return result;
    }
  }

  const Collation flavour = CollationFor(headwordCodePage);
  std::stable_sort(records.begin(), records.end(), [flavour](const VoclIndexRecord& a, const VoclIndexRecord& b) {
    return HeadwordSortsBefore(a.SortKey(), b.SortKey(), flavour);
  });
  std::string wif(VoclIndexHeader::kSize, '\0');
  indexHeader.Serialize(reinterpret_cast<std::uint8_t*>(wif.data()));
  wif.append(reinterpret_cast<const char*>(records.data()), records.size() * VoclIndexRecord::kSize);
  XorBytes(wif.data() + VoclIndexHeader::kSize, records.size() * VoclIndexRecord::kSize, DataKey);
  if (!WriteFileAtomically(WordIndexPath(dir, base), wif)) {
    result.error = "cannot write " + WordIndexPath(dir, base).string();
    return result;
  }
  result.ok = true;
  result.entries = records.size();
  return result;
}

}  // namespace lexmora
