#include "dictionary/article_reader.h"

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"

namespace lexmora {

ArticleReader::~ArticleReader() {
  for (auto& b : bases_)
    if (b.file) std::fclose(b.file);
}

std::string ArticleReader::Read(int entry) {
  std::string text = ReadRaw(entry);
  XorBytes(text.data(), text.size(), DataKey);
  return text;
}

std::string ArticleReader::ReadRaw(int entry) {
  if (entry < 0 || entry >= group_.EntryCount()) return {};
  const VoclIndexRecord& r = group_.entries[static_cast<std::size_t>(entry)];
  OpenBase& base = bases_[static_cast<std::size_t>(r.SubDict())];
  if (!base.tried) {
    base.tried = true;
    if (const fs::path* path = group_.ArticleFileFor(r.SubDict())) {
      if (auto size = FileSize(*path)) {
        base.file = std::fopen(path->c_str(), "rb");
        base.size = *size;
      }
    }
  }
  if (base.file == nullptr) return {};
  const std::uint64_t start = SubVoclHeaderRecord::kSize + static_cast<std::uint64_t>(r.ArticleOffset());
  const std::uint64_t length = r.ArticleLength();
  if (start > base.size || length > base.size - start) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  if (std::fseek(base.file, static_cast<long>(start), SEEK_SET) != 0 ||
      (length > 0 && std::fread(text.data(), 1, text.size(), base.file) != text.size()))
    return {};
  return text;
}

}  // namespace lexmora
