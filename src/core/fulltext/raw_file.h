// An unbuffered file handle whose failures are exceptions: IndexIoError for
// a failed open, read, rename or delete, DiskFullError for a write that the
// disk could not take.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace lexmora {

class RawFile {
 public:
  enum class Mode { Read, Write };
  RawFile() = default;
  RawFile(const std::filesystem::path& path, Mode mode) { Open(path, mode); }
  ~RawFile();
  RawFile(RawFile&& other) noexcept;
  RawFile& operator=(RawFile&& other) noexcept;
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;

  // Write mode creates the file or truncates it.
  void Open(const std::filesystem::path& path, Mode mode);
  bool IsOpen() const { return fd_ >= 0; }
  // Reads up to size bytes; returns how many were read (0 at the end).
  std::size_t ReadSome(void* data, std::size_t size);
  // Reads exactly size bytes at offset; false when the file is shorter.
  bool ReadAt(std::uint64_t offset, void* data, std::size_t size);
  void WriteAll(const void* data, std::size_t size);
  std::uint64_t Size() const;
  void Close();
  const std::filesystem::path& path() const { return path_; }

 private:
  int fd_ = -1;
  std::filesystem::path path_;
};

// Renames, failing when the target exists; deletes, failing when the file is
// missing.
void MoveFileStrict(const std::filesystem::path& from, const std::filesystem::path& to);
void DeleteFileStrict(const std::filesystem::path& path);

}  // namespace lexmora
