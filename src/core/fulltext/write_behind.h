// A sequential file writer that hands full buffers to a second thread, so
// that the copy into the file system overlaps the work that fills the next
// buffer. Errors of the background writes surface on the next call.
#pragma once

#include <condition_variable>
#include <cstdint>
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

  void Write(const void* data, std::size_t size);
  // Writes what is left, waits for the writer and closes the file; rethrows
  // DiskFullError or IndexIoError of any write.
  void Finish();

 private:
  void Submit();
  void WriterLoop();
  void RethrowFailure();

  RawFile file_;
  std::size_t blockSize_;
  std::vector<std::uint8_t> current_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::vector<std::uint8_t>> pending_;
  std::vector<std::vector<std::uint8_t>> spare_;
  bool stopping_ = false;
  bool finished_ = false;
  std::exception_ptr failure_;
  std::thread writer_;
};

}  // namespace lexmora
