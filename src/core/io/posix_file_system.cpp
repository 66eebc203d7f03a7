// SystemFiles() on POSIX systems: one file descriptor per open file, every
// call one system call (repeated when a signal interrupts it).
#ifndef _FILE_OFFSET_BITS
#define _FILE_OFFSET_BITS 64  // 64-bit off_t on 32-bit systems too
#endif
#include <cerrno>
#include <cstdio>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/falloc.h>
#endif

#include "io/file_system.h"

namespace lexmora::io {

namespace {

static_assert(sizeof(off_t) >= 8, "file offsets must be 64-bit");

// One system call returning a byte count or -1, repeated on EINTR.
template <typename Call>
Result Transfer(Call call) {
  while (true) {
    const ssize_t n = call();
    if (n >= 0) return {static_cast<std::uint64_t>(n), 0};
    if (errno != EINTR) return {0, errno};
  }
}

// Offsets a signed off_t cannot hold are refused instead of wrapping.
bool FitsOffset(std::uint64_t offset) { return offset <= static_cast<std::uint64_t>(std::numeric_limits<off_t>::max()); }

class PosixFile final : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  Result Read(void* data, std::size_t size) override {
    return Transfer([&] { return ::read(fd_, data, size); });
  }
  Result ReadAt(std::uint64_t offset, void* data, std::size_t size) override {
    if (!FitsOffset(offset)) return {0, EINVAL};
    return Transfer([&] { return ::pread(fd_, data, size, static_cast<off_t>(offset)); });
  }
  Result Write(const void* data, std::size_t size) override {
    return Transfer([&] { return ::write(fd_, data, size); });
  }
  Result WriteAt(std::uint64_t offset, const void* data, std::size_t size) override {
    if (!FitsOffset(offset)) return {0, EFBIG};
    return Transfer([&] { return ::pwrite(fd_, data, size, static_cast<off_t>(offset)); });
  }
  int Seek(std::uint64_t offset) override {
    if (!FitsOffset(offset)) return EINVAL;
    return ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0 ? errno : 0;
  }
  Result Size() override {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) return {0, errno};
    return {static_cast<std::uint64_t>(st.st_size), 0};
  }
  int Sync() override {
    while (::fsync(fd_) != 0)
      if (errno != EINTR) return errno;
    return 0;
  }
  bool ReleaseRange(std::uint64_t offset, std::uint64_t length) override {
#if defined(__linux__) && defined(FALLOC_FL_PUNCH_HOLE)
    if (!FitsOffset(offset) || !FitsOffset(length)) return false;
    return ::fallocate(fd_, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(offset),
                       static_cast<off_t>(length)) == 0;
#else
    return false;
#endif
  }
  int Close() override {
    if (fd_ < 0) return EBADF;
    const int fd = fd_;
    fd_ = -1;
    // Not repeated on EINTR: the descriptor is gone either way.
    return ::close(fd) != 0 && errno != EINTR ? errno : 0;
  }

 private:
  int fd_;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::unique_ptr<File> Open(const std::filesystem::path& path, OpenMode mode, int& error) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case OpenMode::Read: flags |= O_RDONLY; break;
      case OpenMode::Write: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
      case OpenMode::ReadWrite: flags |= O_RDWR; break;
    }
    int fd;
    do fd = ::open(path.c_str(), flags, 0644);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
      error = errno;
      return nullptr;
    }
    error = 0;
    return std::make_unique<PosixFile>(fd);
  }
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
  }
  int Remove(const std::filesystem::path& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
};

}  // namespace

FileSystem& SystemFiles() {
  static PosixFileSystem files;
  return files;
}

}  // namespace lexmora::io
