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
  AtomicFileWriter writer(path);
  return writer.Write(data) && writer.Commit();
}

AtomicFileWriter::AtomicFileWriter(fs::path path) : path_(std::move(path)), temp_(path_) {
  temp_ += ".tmp";
  int error = 0;
  file_ = io::Files().Open(temp_, io::OpenMode::Write, error);
  ok_ = file_ != nullptr;
}

AtomicFileWriter::~AtomicFileWriter() {
  if (!file_) return;
  file_->Close();
  io::Files().Remove(temp_);
}

bool AtomicFileWriter::Write(std::string_view data) {
  if (!ok_) return false;
  const io::Result written = io::WriteFully(*file_, data.data(), data.size());
  ok_ = written.ok() && written.count == data.size();
  return ok_;
}

bool AtomicFileWriter::Commit() {
  if (!file_) return false;
  // On stable storage before the rename, so that a crash never leaves the
  // new name on a file whose data has not reached the disk.
  bool ok = ok_ && file_->Sync() == 0;
  ok = file_->Close() == 0 && ok;
  file_.reset();
  io::FileSystem& files = io::Files();
  if (ok) ok = files.Rename(temp_, path_) == 0;
  if (!ok) files.Remove(temp_);
  ok_ = false;
  return ok;
}

}  // namespace lexmora
