// A file of fixed-size records read or written strictly in sequence through
// one buffer of at most 65535 bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include <memory>

#include "fulltext/raw_file.h"
#include "fulltext/write_behind.h"

namespace lexmora {

class BlockFile {
 public:
  explicit BlockFile(std::size_t recordSize);

  void Assign(const std::filesystem::path& path) { path_ = path; }
  void Rewrite();  // open for writing (create or truncate)
  // Opens for reading; with releaseRead the storage of what has been read is
  // freed as reading goes on (for a file that is deleted afterwards).
  void Reset(bool releaseRead = false);
  void Write(const void* record);
  void WriteRecords(const void* records, std::size_t count);
  // Reads the next record; false at the end (a partial last record counts
  // as absent).
  bool Read(void* record);
  // The next record where it lies in the buffer, valid until the next call;
  // null at the end.
  const std::uint8_t* Next();
  bool Eof();
  void Close();  // writes out what the buffer holds

  std::size_t RecordSize() const { return recordSize_; }

 private:
  void Fill();
  std::size_t recordSize_;
  std::size_t capacity_;  // records per buffer
  std::vector<std::uint8_t> buffer_;
  std::size_t used_ = 0;  // bytes in the buffer
  std::size_t next_ = 0;  // read position in the buffer
  bool writing_ = false;
  std::filesystem::path path_;
  RawFile file_;                           // reading
  std::unique_ptr<WriteBehindFile> writer_;  // writing, in blocks of the buffer size
};

}  // namespace lexmora
