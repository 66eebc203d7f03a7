// Reads many articles of one group while keeping each article base open.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "dictionary/loaded_group.h"

namespace lexmora {

class ArticleReader {
 public:
  explicit ArticleReader(const LoadedGroup& group) : group_(group) {}
  ~ArticleReader();
  ArticleReader(const ArticleReader&) = delete;
  ArticleReader& operator=(const ArticleReader&) = delete;

  // The unscrambled article of an entry; empty when it cannot be read whole.
  std::string Read(int entry);
  // The same bytes as stored, still scrambled.
  std::string ReadRaw(int entry);

 private:
  struct OpenBase {
    std::FILE* file = nullptr;
    std::uint64_t size = 0;
    bool tried = false;
  };
  const LoadedGroup& group_;
  std::array<OpenBase, 256> bases_{};
};

}  // namespace lexmora
