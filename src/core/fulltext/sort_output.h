// Sorted records gathered in blocks of w = r * (65535 div r) bytes and
// written at a running offset of a file, so that two writers can fill two
// parts of one file side by side.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "fulltext/raw_file.h"

namespace lexmora {

class SortOutput {
 public:
  SortOutput(RawFile& file, std::size_t recordSize, std::uint64_t offset)
      : file_(file), recordSize_(recordSize), offset_(offset),
        capacity_(recordSize * (65535 / recordSize)),
        buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(capacity_)) {}

  void Put(const std::uint8_t* record) {
    std::memcpy(buffer_.get() + used_, record, recordSize_);
    used_ += recordSize_;
    if (used_ == capacity_) Flush();
  }

  // Writes what the buffer holds; call once at the end.
  void Flush() {
    if (used_ == 0) return;
    file_.WriteAllAt(offset_, buffer_.get(), used_);
    offset_ += used_;
    used_ = 0;
  }

 private:
  RawFile& file_;
  std::size_t recordSize_;
  std::uint64_t offset_;
  std::size_t capacity_;
  std::unique_ptr<std::uint8_t[]> buffer_;  // not zeroed: it is written before it is read
  std::size_t used_ = 0;
};

}  // namespace lexmora
