// A file system for tests and fuzzers that passes every call to another one
// (the system's by default) and makes chosen calls fail: a disk that fills
// up after so many bytes, an I/O error at the k-th call of a kind, reads
// that move only a few bytes at a time or find the end of a file early, and
// a system that cannot free the storage of a range.
//
// Files are matched by a part of their name (the last path component);
// an empty part matches every file. Set the faults up before the work under
// test starts; the counters may be read at any time, and the calls may come
// from any number of threads. Files opened through it stay usable after it
// is gone.
#pragma once

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "io/file_system.h"

namespace lexmora::io {

// The kinds of call that are counted and can be made to fail. Read and
// Write cover the positioned calls too; a Rename is matched by its source.
enum class Call { Open, Read, Write, Seek, Size, Sync, Release, Close, Rename, Remove };

class FaultyFileSystem final : public FileSystem {
 public:
  explicit FaultyFileSystem(FileSystem& base = SystemFiles());

  // The matching files take bytes bytes in all; the write that reaches the
  // limit writes what still fits, every later one fails with error. With
  // error 0 they report 0 bytes written instead, as some devices do.
  void DiskFullAfter(std::uint64_t bytes, std::string nameContains = {}, int error = ENOSPC);
  // The k-th call of the kind (from 1, counted from now) on a matching file
  // fails with error; the calls before and after it succeed.
  void FailCall(Call kind, std::uint64_t k, std::string nameContains = {}, int error = EIO);
  // Every read moves at most maxBytes.
  void SplitReads(std::size_t maxBytes);
  // Reads of the matching files find the end at offset bytes, while their
  // size still tells the whole; as if they were cut short under the reader.
  void EndReadsAt(std::uint64_t bytes, std::string nameContains = {});
  // ReleaseRange reports that the storage cannot be freed.
  void RefuseRelease();

  // Calls of the kind so far, on any file.
  std::uint64_t Calls(Call kind) const;
  // Calls made to fail so far, disk-full writes included.
  std::uint64_t Failures() const;
  // Bytes written so far, to any file.
  std::uint64_t BytesWritten() const;

  std::unique_ptr<File> Open(const std::filesystem::path& path, OpenMode mode, int& error) override;
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  int Remove(const std::filesystem::path& path) override;

  struct State;  // shared with the files it opens

 private:
  FileSystem& base_;
  std::shared_ptr<State> state_;
};

}  // namespace lexmora::io
