#include "dictionary/article_reader.h"

#include "dictionary/byte_io.h"

#include <algorithm>

namespace lexmora {

namespace {
constexpr std::uint64_t kWindowBytes = 64 * 1024;
}

bool ArticleReader::ReadRange(OpenBase& base, std::uint64_t start, std::uint64_t length, std::string& out) {
  const std::uint64_t windowEnd = base.windowStart + base.window.size();
  if (start < base.windowStart || start + length > windowEnd) {
    // Only a reader going through the file in order gets more than it asked
    // for; a single article is read alone.
    const bool inOrder = start == base.lastEnd;
    const std::uint64_t want = inOrder ? std::max(length, std::min(kWindowBytes, base.size - start)) : length;
    base.window.resize(static_cast<std::size_t>(want));
    base.windowStart = start;
    // An error ends the read like the end of the file: what came before it
    // stays in the window.
    const std::size_t done =
        static_cast<std::size_t>(io::ReadFullyAt(*base.file, start, base.window.data(), base.window.size()).count);
    base.window.resize(done);
    if (done < length) return false;
  }
  out.assign(base.window, static_cast<std::size_t>(start - base.windowStart), static_cast<std::size_t>(length));
  base.lastEnd = start + length;
  return true;
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
      int error = 0;
      base.file = io::Files().Open(*path, io::OpenMode::Read, error);
      if (base.file) {
        const io::Result size = base.file->Size();
        if (size.ok()) base.size = size.count;
        else base.file.reset();
      }
    }
  }
  if (!base.file) return {};
  const std::uint64_t start = SubVoclHeaderRecord::kSize + static_cast<std::uint64_t>(r.ArticleOffset());
  const std::uint64_t length = r.ArticleLength();
  if (start > base.size || length > base.size - start) return {};
  std::string text;
  if (!ReadRange(base, start, length, text)) return {};
  return text;
}

}  // namespace lexmora
