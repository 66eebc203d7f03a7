// An unbuffered file handle whose failures are exceptions: IndexIoError for
// a failed open, read, rename or delete, DiskFullError for a write that the
// disk could not take. It reaches the file through io::Files().
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "io/file_system.h"

namespace lexmora {

class RawFile {
 public:
  // ReadAndRelease reads like Read and lets ReleaseRead() hand the pages of
  // what was read back to the system; for files consumed once and then
  // deleted. Where that is not possible it reads like Read.
  enum class Mode { Read, Write, ReadAndRelease };
  RawFile() = default;
  RawFile(const std::filesystem::path& path, Mode mode) { Open(path, mode); }
  ~RawFile() = default;  // closes without reporting errors; call Close() to see them
  RawFile(RawFile&& other) noexcept = default;
  RawFile& operator=(RawFile&& other) noexcept = default;
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;

  // Write mode creates the file or truncates it.
  void Open(const std::filesystem::path& path, Mode mode);
  bool IsOpen() const { return file_ != nullptr; }
  // Reads up to size bytes; returns how many were read (0 at the end).
  std::size_t ReadSome(void* data, std::size_t size);
  // Reads exactly size bytes at offset; false when the file is shorter.
  bool ReadAt(std::uint64_t offset, void* data, std::size_t size);
  void WriteAll(const void* data, std::size_t size);
  // Writes at offset without moving the file position; calls for parts that
  // do not overlap may come from several threads at once.
  void WriteAllAt(std::uint64_t offset, const void* data, std::size_t size) const;
  // Moves the read position; ReleaseRead then frees nothing before offset.
  void Seek(std::uint64_t offset);
  std::uint64_t Size() const;
  // In ReadAndRelease mode, frees the storage of what ReadSome has read so
  // far (whole pages, once a megabyte has gathered), leaving a hole of zeros;
  // the file keeps its size. An optimisation only: failures are ignored.
  void ReleaseRead();
  // True once ReleaseRead has freed anything: the file no longer holds its
  // whole content.
  bool ReleasedAny() const { return releasedAny_; }
  void Close();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::unique_ptr<io::File> file_;
  std::filesystem::path path_;
  bool releasing_ = false;
  std::uint64_t readPos_ = 0;   // bytes read by ReadSome
  std::uint64_t released_ = 0;  // the start of what ReleaseRead may free next
  bool releasedAny_ = false;
};

// Renames, failing when the target exists; deletes, failing when the file is
// missing.
void MoveFileStrict(const std::filesystem::path& from, const std::filesystem::path& to);
void DeleteFileStrict(const std::filesystem::path& path);

}  // namespace lexmora
