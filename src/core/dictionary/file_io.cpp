#include "dictionary/file_io.h"

#include <system_error>

#include "io/file_system.h"

namespace lexmora {

namespace fs = std::filesystem;

std::optional<std::uint64_t> FileSize(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  auto size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  if (!FileSize(path)) return std::nullopt;  // regular files only
  int error = 0;
  const std::unique_ptr<io::File> file = io::Files().Open(path, io::OpenMode::Read, error);
  if (!file) return std::nullopt;
  const io::Result size = file->Size();
  if (!size.ok() || size.count > std::string().max_size()) return std::nullopt;
  std::string data(static_cast<std::size_t>(size.count), '\0');
  const io::Result got = io::ReadFully(*file, data.data(), data.size());
  if (!got.ok()) return std::nullopt;
  data.resize(static_cast<std::size_t>(got.count));  // the file may have shrunk meanwhile
  return data;
}

bool ReadFileRange(const fs::path& path, std::uint64_t offset, std::size_t size, void* out) {
  int error = 0;
  const std::unique_ptr<io::File> file = io::Files().Open(path, io::OpenMode::Read, error);
  if (!file) return false;
  const io::Result got = io::ReadFullyAt(*file, offset, out, size);
  return got.ok() && got.count == size;
}

bool WriteFileAtomically(const fs::path& path, std::string_view data) {
  fs::path temp = path;
  temp += ".tmp";
  io::FileSystem& files = io::Files();
  int error = 0;
  std::unique_ptr<io::File> file = files.Open(temp, io::OpenMode::Write, error);
  if (!file) return false;
  const io::Result written = io::WriteFully(*file, data.data(), data.size());
  bool ok = written.ok() && written.count == data.size();
  // On stable storage before the rename, so that a crash never leaves the
  // new name on a file whose data has not reached the disk.
  ok = ok && file->Sync() == 0;
  ok = file->Close() == 0 && ok;
  if (ok) ok = files.Rename(temp, path) == 0;
  if (!ok) {
    files.Remove(temp);
    return false;
  }
  return true;
}

}  // namespace lexmora
