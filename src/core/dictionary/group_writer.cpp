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

bool WriteArticleBase(const fs::path& file, const SourceSubDict& subDict, int headwordCodePage,
                      std::vector<VoclIndexRecord>& records, GroupWriteResult& result) {
  const int number = subDict.header.Number();
  const UpperRule rule = UpperRuleFor(headwordCodePage);
  SubVoclHeaderRecord header = subDict.header;
  header.SetEntryCount(static_cast<std::uint32_t>(subDict.entries.size()));
  AtomicFileWriter writer(file);
  std::string buffer(reinterpret_cast<const char*>(header.bytes.data()), header.bytes.size());
  constexpr std::size_t kFlushSize = 1 << 20;
  std::uint64_t offset = 0;  // of the next article, after the header
  for (const SourceEntry& e : subDict.entries) {
    VoclIndexRecord r;
    std::string key = e.sortKey.empty() ? UpperCase(e.display, rule) : e.sortKey;
    if (e.display.size() > VoclIndexRecord::kDisplayMax || key.size() > VoclIndexRecord::kKeyMax)
      ++result.truncatedHeadwords;
    r.SetDisplay(e.display);
    r.SetSortKey(key);
    if (offset + e.article.size() > 0xFFFFFFFFu) {
      result.error = "article base of sub-dictionary " + std::to_string(number) + " exceeds 4 GiB";
      return false;
    }
    r.SetArticleOffset(static_cast<std::uint32_t>(offset));
    r.SetArticleLength(static_cast<std::uint32_t>(e.article.size()));
    r.SetSubDict(number);
    const std::size_t at = buffer.size();
    buffer += e.article;
    XorBytes(buffer.data() + at, e.article.size(), DataKey);
    offset += e.article.size();
    records.push_back(r);
    if (buffer.size() >= kFlushSize) {
      if (!writer.Write(buffer)) break;
      buffer.clear();
    }
  }
  if (!writer.Write(buffer) || !writer.Commit()) {
    result.error = "cannot write " + file.string();
    return false;
  }
  return true;
}

bool WriteWordIndex(const fs::path& dir, const std::string& base, int headwordCodePage, const SubDictSet& present,
                    std::vector<VoclIndexRecord> records, std::string& error) {
  VoclIndexHeader indexHeader;
  indexHeader.present = present;
  for (int k = 0; k < 256; ++k)
    if (present.Contains(k)) indexHeader.highestNumber = static_cast<std::uint8_t>(k);
  const Collation flavour = CollationFor(headwordCodePage);
  std::stable_sort(records.begin(), records.end(), [flavour](const VoclIndexRecord& a, const VoclIndexRecord& b) {
    return HeadwordSortsBefore(a.SortKey(), b.SortKey(), flavour);
  });
  std::string wif(VoclIndexHeader::kSize, '\0');
  indexHeader.Serialize(reinterpret_cast<std::uint8_t*>(wif.data()));
  wif.append(reinterpret_cast<const char*>(records.data()), records.size() * VoclIndexRecord::kSize);
  XorBytes(wif.data() + VoclIndexHeader::kSize, records.size() * VoclIndexRecord::kSize, DataKey);
  if (!WriteFileAtomically(WordIndexPath(dir, base), wif)) {
    error = "cannot write " + WordIndexPath(dir, base).string();
    return false;
  }
  return true;
}

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

  SubDictSet present;
  std::vector<VoclIndexRecord> records;
  for (const SourceSubDict* s : order) {
    const int number = s->header.Number();
    if (present.Contains(number)) {
      result.error = "sub-dictionary " + std::to_string(number) + " given twice";
      return result;
    }
    present.Set(number, true);
    if (!WriteArticleBase(ArticleBasePath(dir, base, number), *s, headwordCodePage, records, result)) return result;
  }
  result.entries = records.size();
  if (!WriteWordIndex(dir, base, headwordCodePage, present, std::move(records), result.error)) return result;
  result.ok = true;
  return result;
}

}  // namespace lexmora
