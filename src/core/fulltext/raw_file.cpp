#include "fulltext/raw_file.h"

#include <cstring>
#include <string>

#include "fulltext/index_records.h"

namespace lexmora {

namespace {
[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int err) {
  throw IndexIoError(what + " " + path.string() + ": " + std::strerror(err));
}
}  // namespace

void RawFile::Open(const std::filesystem::path& path, Mode mode) {
  Close();
  path_ = path;
  readPos_ = released_ = 0;
  releasedAny_ = false;
  releasing_ = false;
  io::FileSystem& files = io::Files();
  int error = 0;
  if (mode == Mode::ReadAndRelease) {
    // Freeing parts of a file needs write access; without it, just read.
    file_ = files.Open(path, io::OpenMode::ReadWrite, error);
    releasing_ = file_ != nullptr;
    if (!file_) mode = Mode::Read;
  }
  if (!file_) file_ = files.Open(path, mode == Mode::Read ? io::OpenMode::Read : io::OpenMode::Write, error);
  if (!file_) Fail("cannot open", path, error);
}

std::size_t RawFile::ReadSome(void* data, std::size_t size) {
  const io::Result r = io::ReadFully(*file_, data, size);
  if (!r.ok()) Fail("cannot read", path_, r.error);
  readPos_ += r.count;
  return static_cast<std::size_t>(r.count);
}

void RawFile::ReleaseRead() {
  constexpr std::uint64_t kPage = 4096, kGather = 1 << 20;
  if (!releasing_ || !file_) return;
  const std::uint64_t end = readPos_ / kPage * kPage;
  if (end < released_ + kGather) return;
  if (file_->ReleaseRange(released_, end - released_)) {
    released_ = end;
    releasedAny_ = true;
  } else {
    releasing_ = false;  // the file system cannot do it; stop trying
  }
}

bool RawFile::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
  const io::Result r = io::ReadFullyAt(*file_, offset, data, size);
  return r.ok() && r.count == size;
}

namespace {
// The outcome of writing everything (the repeating is io's): a full disk,
// or a write that takes nothing, is DiskFullError, anything else IndexIoError.
void CheckWritten(const std::filesystem::path& path, const io::Result& r, std::size_t size) {
  if (r.ok() && r.count == size) return;
  if (r.ok() || io::IsDiskFull(r.error)) throw DiskFullError("disk full writing " + path.string());
  Fail("cannot write", path, r.error);
}
}  // namespace

void RawFile::WriteAll(const void* data, std::size_t size) {
  CheckWritten(path_, io::WriteFully(*file_, data, size), size);
}

void RawFile::WriteAllAt(std::uint64_t offset, const void* data, std::size_t size) const {
  CheckWritten(path_, io::WriteFullyAt(*file_, offset, data, size), size);
}

void RawFile::Seek(std::uint64_t offset) {
  if (const int error = file_->Seek(offset)) Fail("cannot seek in", path_, error);
  readPos_ = offset;
  released_ = (offset + 4095) / 4096 * 4096;
}

std::uint64_t RawFile::Size() const {
  const io::Result r = file_->Size();
  if (!r.ok()) Fail("cannot stat", path_, r.error);
  return r.count;
}

void RawFile::Close() {
  if (!file_) return;
  const std::unique_ptr<io::File> file = std::move(file_);
  if (const int error = file->Close()) {
    if (io::IsDiskFull(error)) throw DiskFullError("disk full closing " + path_.string());
    Fail("cannot close", path_, error);
  }
}

void MoveFileStrict(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  if (std::filesystem::exists(to, ec)) throw IndexIoError("cannot rename to " + to.string() + ": file exists");
  if (const int error = io::Files().Rename(from, to)) Fail("cannot rename", from, error);
}

void DeleteFileStrict(const std::filesystem::path& path) {
  if (const int error = io::Files().Remove(path)) Fail("cannot delete", path, error);
}

}  // namespace lexmora
