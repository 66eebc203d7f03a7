// The one way the core reaches files: a file system that opens, renames and
// removes files, and the handles it opens. Failures come back as values, an
// errno number (ENOENT, ENOSPC, EIO...) with 0 for success, never as
// exceptions; the callers decide what a failure means to them.
//
// Callers take the file system from Files(). It is the system's own unless
// a test has put another one in its place with ScopedFileSystem.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

namespace lexmora::io {

// A byte count (or a size) on success; otherwise error holds an errno
// number and count is 0.
struct Result {
  std::uint64_t count = 0;
  int error = 0;
  bool ok() const { return error == 0; }
};

enum class OpenMode {
  Read,       // reading only; the file must exist
  Write,      // writing only; created, or truncated when it exists
  ReadWrite,  // reading and writing; the file must exist and keeps its content
};

// An open file. Reads and writes may move fewer bytes than asked, as the
// system calls do (a read returns 0 bytes at the end of the file); the free
// functions below repeat them until everything has moved. Positioned reads
// and writes do not move the file position and may be made from several
// threads at once for parts that do not overlap.
class File {
 public:
  virtual ~File() = default;  // closes the file if Close() was not called

  virtual Result Read(void* data, std::size_t size) = 0;  // at the file position
  virtual Result ReadAt(std::uint64_t offset, void* data, std::size_t size) = 0;
  virtual Result Write(const void* data, std::size_t size) = 0;  // at the file position
  virtual Result WriteAt(std::uint64_t offset, const void* data, std::size_t size) = 0;
  virtual int Seek(std::uint64_t offset) = 0;  // sets the file position
  virtual Result Size() = 0;
  virtual int Sync() = 0;  // to stable storage
  // Hands the storage of [offset, offset + length) back to the system,
  // leaving a hole that reads as zeros; the size stays. For parts of a file
  // already read that will not be read again. False where the system or the
  // file system cannot do it; nothing has changed then.
  virtual bool ReleaseRange(std::uint64_t offset, std::uint64_t length) = 0;
  // Closes the file; the handle cannot be used afterwards whatever the
  // result. A write-back failure may only show here.
  virtual int Close() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // The open file, or null with error set.
  virtual std::unique_ptr<File> Open(const std::filesystem::path& path, OpenMode mode, int& error) = 0;
  // Renames, replacing an existing target.
  virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  // Removes a file (not a folder).
  virtual int Remove(const std::filesystem::path& path) = 0;
};

// The system's file system.
FileSystem& SystemFiles();

// The file system in use; safe to call from any thread.
FileSystem& Files();

// Puts a file system in place of the current one for its lifetime and puts
// the previous one back when it ends. Meant for tests: install it before the
// work that should see it starts, and end it after that work is done; files
// opened through it keep using it.
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& replacement);
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystem* previous_;
};

// Repeat the calls of File until size bytes have moved, the end of the file
// is reached (reads) or the file takes nothing more (writes: a call that
// writes 0 bytes), or an error occurs. count tells how far they got; error
// is that of the call that failed.
Result ReadFully(File& file, void* data, std::size_t size);
Result ReadFullyAt(File& file, std::uint64_t offset, void* data, std::size_t size);
Result WriteFully(File& file, const void* data, std::size_t size);
Result WriteFullyAt(File& file, std::uint64_t offset, const void* data, std::size_t size);

// True for the errors that mean the storage is full: no space, no quota, or
// a file grown beyond what the file system allows.
bool IsDiskFull(int error);

}  // namespace lexmora::io
