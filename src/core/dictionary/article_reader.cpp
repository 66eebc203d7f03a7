#include "dictionary/article_reader.h"

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace lexmora {

namespace {
constexpr std::uint64_t kWindowBytes = 64 * 1024;
}

ArticleReader::~ArticleReader() {
  for (auto& b : bases_)
    if (b.fd >= 0) ::close(b.fd);
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
    std::size_t done = 0;
    while (done < want) {
      const ssize_t n = ::pread(base.fd, base.window.data() + done, want - done, static_cast<off_t>(start + done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
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
      if (auto size = FileSize(*path)) {
        base.fd = ::open(path->c_str(), O_RDONLY | O_CLOEXEC);
        base.size = *size;
      }
    }
  }
  if (base.fd < 0) return {};
  const std::uint64_t start = SubVoclHeaderRecord::kSize + static_cast<std::uint64_t>(r.ArticleOffset());
  const std::uint64_t length = r.ArticleLength();
  if (start > base.size || length > base.size - start) return {};
  std::string text;
  if (!ReadRange(base, start, length, text)) return {};
  return text;
}

}  // namespace lexmora
