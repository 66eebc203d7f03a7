// Reads many articles of one group while keeping each article base open.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "dictionary/loaded_group.h"
#include "io/file_system.h"

namespace lexmora {

class ArticleReader {
 public:
  explicit ArticleReader(const LoadedGroup& group) : group_(group) {}
  ~ArticleReader() = default;
  ArticleReader(const ArticleReader&) = delete;
  ArticleReader& operator=(const ArticleReader&) = delete;

  // The unscrambled article of an entry; empty when it cannot be read whole.
  std::string Read(int entry);
  // The same bytes as stored, still scrambled.
  std::string ReadRaw(int entry);

 private:
  struct OpenBase {
    std::unique_ptr<io::File> file;
    std::uint64_t size = 0;
    bool tried = false;
    // A window of the file kept from the last read: articles read in file
    // order, as indexing does, come out of it without a system call.
    std::string window;
    std::uint64_t windowStart = 0;
    std::uint64_t lastEnd = 0;  // where the last article ended
  };
  // Fills out with length bytes at start; false when they cannot be read.
  static bool ReadRange(OpenBase& base, std::uint64_t start, std::uint64_t length, std::string& out);
  const LoadedGroup& group_;
  std::array<OpenBase, 256> bases_{};
};

}  // namespace lexmora
