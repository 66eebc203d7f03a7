// Sorted records gathered in blocks of w = r * (65535 div r) bytes and
// written at a running offset of a file, so that two writers can fill two
// parts of one file side by side.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "fulltext/raw_file.h"

namespace lexmora {

class SortOutput {
 public:
  SortOutput(RawFile& file, std::size_t recordSize, std::uint64_t offset)
      : file_(file), recordSize_(recordSize), offset_(offset), buffer_(recordSize * (65535 / recordSize)) {}

  void Put(const std::uint8_t* record) {
    std::memcpy(buffer_.data() + used_, record, recordSize_);
    used_ += recordSize_;
    if (used_ == buffer_.size()) Flush();
  }

  // Writes what the buffer holds; call once at the end.
  void Flush() {
    if (used_ == 0) return;
    file_.WriteAllAt(offset_, buffer_.data(), used_);
    offset_ += used_;
    used_ = 0;
  }

 private:
  RawFile& file_;
  std::size_t recordSize_;
  std::uint64_t offset_;
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;
};

}  // namespace lexmora
