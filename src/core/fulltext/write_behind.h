// A sequential file writer that hands full buffers to a second thread, so
// that the copy into the file system overlaps the work that fills the next
// buffer. Errors of the background writes surface on the next call.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <deque>
#include <exception>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

#include "fulltext/raw_file.h"

namespace lexmora {

class WriteBehindFile {
 public:
  // Creates or truncates the file; writes happen in blocks of blockSize.
  WriteBehindFile(const std::filesystem::path& path, std::size_t blockSize);
  ~WriteBehindFile();
  WriteBehindFile(const WriteBehindFile&) = delete;
  WriteBehindFile& operator=(const WriteBehindFile&) = delete;

  void Write(const void* data, std::size_t size) {
    if (size < blockSize_ - used_) {  // the common case: a record that fits
      std::memcpy(current_.data.get() + used_, data, size);
      used_ += size;
      return;
    }
    WriteAcross(data, size);
  }
  // Writes what is left, waits for the writer and closes the file; rethrows
  // DiskFullError or IndexIoError of any write.
  void Finish();

 private:
  struct Block {
    std::unique_ptr<std::uint8_t[]> data;
    std::size_t size = 0;
  };
  void WriteAcross(const void* data, std::size_t size);
  void Submit();
  void WriterLoop();
  void RethrowFailure();

  RawFile file_;
  std::size_t blockSize_;
  Block current_;
  std::size_t used_ = 0;  // bytes of current_ filled
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Block> pending_;
  std::vector<Block> spare_;
  bool stopping_ = false;
  bool finished_ = false;
  std::exception_ptr failure_;
  std::thread writer_;
};

}  // namespace lexmora
