#include "fulltext/raw_file.h"

#include <cerrno>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <linux/falloc.h>
#include <unistd.h>

#include "fulltext/index_records.h"

namespace lexmora {

namespace {
[[noreturn]] void Fail(const std::string& what, const std::filesystem::path& path, int err) {
  throw IndexIoError(what + " " + path.string() + ": " + std::strerror(err));
}
}  // namespace

RawFile::~RawFile() {
  if (fd_ >= 0) ::close(fd_);
}

RawFile::RawFile(RawFile&& other) noexcept
    : fd_(other.fd_),
      path_(std::move(other.path_)),
      releasing_(other.releasing_),
      readPos_(other.readPos_),
      released_(other.released_),
      releasedAny_(other.releasedAny_) {
  other.fd_ = -1;
}

RawFile& RawFile::operator=(RawFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.fd_;
    path_ = std::move(other.path_);
    releasing_ = other.releasing_;
    readPos_ = other.readPos_;
    released_ = other.released_;
    releasedAny_ = other.releasedAny_;
    other.fd_ = -1;
  }
  return *this;
}

void RawFile::Open(const std::filesystem::path& path, Mode mode) {
  Close();
  path_ = path;
  readPos_ = released_ = 0;
  releasedAny_ = false;
  releasing_ = false;
  if (mode == Mode::ReadAndRelease) {
    // Freeing parts of a file needs write access; without it, just read.
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    releasing_ = fd_ >= 0;
    if (fd_ < 0) mode = Mode::Read;
  }
  if (fd_ < 0) {
    const int flags = mode == Mode::Read ? O_RDONLY : (O_WRONLY | O_CREAT | O_TRUNC);
    fd_ = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
  }
  if (fd_ < 0) Fail("cannot open", path, errno);
}

std::size_t RawFile::ReadSome(void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd_, p + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("cannot read", path_, errno);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  readPos_ += done;
  return done;
}

void RawFile::ReleaseRead() {
  constexpr std::uint64_t kPage = 4096, kGather = 1 << 20;
  if (!releasing_ || fd_ < 0) return;
  const std::uint64_t end = readPos_ / kPage * kPage;
  if (end < released_ + kGather) return;
  if (::fallocate(fd_, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(released_),
                  static_cast<off_t>(end - released_)) == 0) {
    released_ = end;
    releasedAny_ = true;
  } else {
    releasing_ = false;  // the file system cannot do it; stop trying
  }
}

bool RawFile::ReadAt(std::uint64_t offset, void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::pread(fd_, p + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

namespace {
// Writes everything through one write call (plain or positioned), retrying
// short writes; a full disk is DiskFullError, anything else IndexIoError.
template <typename WriteSome>
void WriteEverything(const std::filesystem::path& path, const void* data, std::size_t size, WriteSome writeSome) {
  const auto* p = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = writeSome(p + done, size - done, done);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == ENOSPC || errno == EDQUOT || errno == EFBIG) throw DiskFullError("disk full writing " + path.string());
      Fail("cannot write", path, errno);
    }
    if (n == 0) throw DiskFullError("disk full writing " + path.string());
    done += static_cast<std::size_t>(n);
  }
}
}  // namespace

void RawFile::WriteAll(const void* data, std::size_t size) {
  WriteEverything(path_, data, size, [this](const char* p, std::size_t n, std::size_t) { return ::write(fd_, p, n); });
}

void RawFile::WriteAllAt(std::uint64_t offset, const void* data, std::size_t size) const {
  WriteEverything(path_, data, size, [this, offset](const char* p, std::size_t n, std::size_t done) {
    return ::pwrite(fd_, p, n, static_cast<off_t>(offset + done));
  });
}

void RawFile::Seek(std::uint64_t offset) {
  if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) Fail("cannot seek in", path_, errno);
  readPos_ = offset;
  released_ = (offset + 4095) / 4096 * 4096;
}

std::uint64_t RawFile::Size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) Fail("cannot stat", path_, errno);
  return static_cast<std::uint64_t>(st.st_size);
}

void RawFile::Close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) {
    if (errno == ENOSPC || errno == EDQUOT) throw DiskFullError("disk full closing " + path_.string());
    Fail("cannot close", path_, errno);
  }
}

void MoveFileStrict(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  if (std::filesystem::exists(to, ec)) throw IndexIoError("cannot rename to " + to.string() + ": file exists");
  if (::rename(from.c_str(), to.c_str()) != 0) Fail("cannot rename", from, errno);
}

void DeleteFileStrict(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) != 0) Fail("cannot delete", path, errno);
}

}  // namespace lexmora
