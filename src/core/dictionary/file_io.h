// Small whole-file and ranged reads and an atomic whole-file write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace lexmora {

// Size of a regular file, or nullopt when it cannot be opened.
std::optional<std::uint64_t> FileSize(const std::filesystem::path& path);

// Whole file, or nullopt when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Exactly size bytes from offset into out; false on any failure or short
// read. The caller checks the size against the file first.
bool ReadFileRange(const std::filesystem::path& path, std::uint64_t offset, std::size_t size, void* out);

// Writes data to a temporary file beside path and renames it over path, so
// that a crash leaves either the old or the new file whole.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view data);

namespace io {
class File;
}

// The same for a file written piece by piece: the pieces go to the
// temporary file, Commit puts it in place; a writer destroyed without a
// successful Commit removes the temporary file and leaves path as it was.
class AtomicFileWriter {
 public:
  explicit AtomicFileWriter(std::filesystem::path path);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  bool Write(std::string_view data);  // false once a write has failed
  bool Commit();                      // synced, closed and renamed

 private:
  std::filesystem::path path_;
  std::filesystem::path temp_;
  std::unique_ptr<io::File> file_;
  bool ok_ = false;
};

}  // namespace lexmora
