#include "dictionary/loaded_group.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "dictionary/article_reader.h"
#include "dictionary/file_io.h"
#include "dictionary/file_names.h"

namespace lexmora {

const SubVoclHeaderRecord* LoadedGroup::HeaderFor(int subDict) const {
  if (subDict < 0 || subDict > 255) return nullptr;
  std::uint8_t p = numberMap[static_cast<std::size_t>(subDict)];
  return p < headers.size() ? &headers[p] : nullptr;
}

const fs::path* LoadedGroup::ArticleFileFor(int subDict) const {
  if (subDict < 0 || subDict > 255) return nullptr;
  std::uint8_t p = numberMap[static_cast<std::size_t>(subDict)];
  return p < headerFiles.size() ? &headerFiles[p] : nullptr;
}

GroupTableState LoadGroupTable(const fs::path& dir) {
  GroupTableState state;
  auto image = ReadWholeFile(ResolveCaseInsensitive(GroupTablePath(dir)));
  state.table = ParseGroupTable(image ? std::string_view(*image) : std::string_view());
  state.available = AvailableGroups(dir, state.table);
  return state;
}

bool SaveGroupTable(const fs::path& dir, const GroupTable& table) {
  return WriteFileAtomically(GroupTablePath(dir), SerializeGroupTable(table));
}

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

}  // namespace

std::set<int> AvailableGroups(const fs::path& dir, const GroupTable& table) {
  std::set<int> result;
  std::vector<std::string> names;
  std::error_code ec;
  fs::path dict = ResolveCaseInsensitive(dir / "DICT");
  for (fs::directory_iterator it(dict, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileEc;
    if (it->is_regular_file(fileEc)) names.push_back(Lower(it->path().filename().string()));
  }
  for (int g = 1; g <= table.count; ++g) {
    std::string base = Lower(table.Group(g).BaseName());
    if (base.empty()) continue;
    for (const auto& name : names) {
      if (name.size() >= base.size() + 4 && name.compare(0, base.size(), base) == 0 &&
          name.compare(name.size() - 4, 4, ".wif") == 0) {
        result.insert(g);
        break;
      }
    }
  }
  return result;
}

LoadedGroup LoadGroup(const fs::path& dir, const GroupTable& table, int groupNumber,
                      const SubDictSet& enabled) {
  LoadedGroup group;
  group.groupNumber = groupNumber;
  group.numberMap.fill(kNoHeader);
  if (!table.Valid(groupNumber)) return group;
  const DictGroupRecord& record = table.Group(groupNumber);
  group.codePage = record.CodePage();
  const std::string base(record.BaseName());
  group.wordIndexFile = ResolveCaseInsensitive(WordIndexPath(dir, base));

  auto fileSize = FileSize(group.wordIndexFile);
  std::uint8_t headerImage[VoclIndexHeader::kSize];
  if (fileSize && *fileSize >= VoclIndexHeader::kSize &&
      ReadFileRange(group.wordIndexFile, 0, VoclIndexHeader::kSize, headerImage)) {
    group.indexHeader = VoclIndexHeader::Parse(headerImage);
    for (int k = 0; k <= group.indexHeader.highestNumber; ++k) {
      if (!group.indexHeader.present.Contains(k)) continue;
      fs::path wbf = ResolveCaseInsensitive(ArticleBasePath(dir, base, k));
      SubVoclHeaderRecord header;
      auto wbfSize = FileSize(wbf);
      if (!wbfSize || *wbfSize < SubVoclHeaderRecord::kSize ||
          !ReadFileRange(wbf, 0, SubVoclHeaderRecord::kSize, header.bytes.data()))
        continue;
      // Two files claiming the same number: the first one read keeps it.
      if (group.numberMap[static_cast<std::size_t>(header.Number())] != kNoHeader) continue;
      group.numberMap[static_cast<std::size_t>(header.Number())] =
          static_cast<std::uint8_t>(group.headers.size());
      group.headers.push_back(header);
      group.headerFiles.push_back(wbf);
      if (group.headers.size() >= kNoHeader) break;
    }
  }

  // The record count is the whole file size over 76; the records start at
  // offset 49, so a file with a partial last record cannot be read whole and
  // the group stays empty.
  std::uint64_t n = fileSize ? *fileSize / VoclIndexRecord::kSize : 0;
  group.reindex.resize(group.headers.size());
  std::vector<std::uint32_t> fill(group.headers.size(), 0);
  for (std::size_t p = 0; p < group.headers.size(); ++p) {
    // The list never holds more entries than the word index can have.
    std::uint64_t count = std::min<std::uint64_t>(group.headers[p].EntryCount(), n);
    group.reindex[p].assign(static_cast<std::size_t>(count), 0);
  }

  if (n > 0 && VoclIndexHeader::kSize + n * VoclIndexRecord::kSize <= *fileSize) {
    std::vector<VoclIndexRecord> all(static_cast<std::size_t>(n));
    if (ReadFileRange(group.wordIndexFile, VoclIndexHeader::kSize, all.size() * VoclIndexRecord::kSize,
                      all.data())) {
      XorBytes(all.data(), all.size() * VoclIndexRecord::kSize, DataKey);
      std::size_t kept = 0;
      for (std::size_t i = 0; i < all.size(); ++i) {
        int number = all[i].SubDict();
        if (!enabled.Contains(number)) continue;
        std::uint8_t p = group.numberMap[static_cast<std::size_t>(number)];
        if (p == kNoHeader || fill[p] >= group.reindex[p].size()) {
          ++group.droppedRecords;
          continue;
        }
        group.reindex[p][fill[p]++] = static_cast<std::uint32_t>(kept);
        if (kept != i) all[kept] = all[i];
        ++kept;
      }
      all.resize(kept);
      // Copying the table to return a few dropped records' room costs more
      // than the room.
      if (kept < all.capacity() - all.capacity() / 16) all.shrink_to_fit();
      group.entries = SharedRecords<VoclIndexRecord>(std::move(all));
    }
  }
  group.loaded = true;
  group.userList.assign(group.entries.size(), 0);
  return group;
}

std::string ReadArticle(const LoadedGroup& group, int entry) { return ArticleReader(group).ReadRaw(entry); }

std::string ReadArticleText(const LoadedGroup& group, int entry) { return ArticleReader(group).Read(entry); }

}  // namespace lexmora
