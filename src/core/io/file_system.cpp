#include "io/file_system.h"

#include <atomic>
#include <cerrno>

namespace lexmora::io {

namespace {

std::atomic<FileSystem*>& Current() {
  static std::atomic<FileSystem*> current{&SystemFiles()};
  return current;
}

// Repeats one kind of call over a buffer; step(done) moves the bytes from
// done on and returns what the call did.
template <typename Step>
Result Repeat(std::size_t size, Step step) {
  std::uint64_t done = 0;
  while (done < size) {
    const Result r = step(static_cast<std::size_t>(done));
    if (!r.ok()) return {done, r.error};
    if (r.count == 0) break;
    done += r.count;
  }
  return {done, 0};
}

}  // namespace

FileSystem& Files() { return *Current().load(std::memory_order_acquire); }

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement)
    : previous_(Current().exchange(&replacement, std::memory_order_acq_rel)) {}

ScopedFileSystem::~ScopedFileSystem() { Current().store(previous_, std::memory_order_release); }

Result ReadFully(File& file, void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  return Repeat(size, [&](std::size_t done) { return file.Read(p + done, size - done); });
}

Result ReadFullyAt(File& file, std::uint64_t offset, void* data, std::size_t size) {
  auto* p = static_cast<char*>(data);
  return Repeat(size, [&](std::size_t done) { return file.ReadAt(offset + done, p + done, size - done); });
}

Result WriteFully(File& file, const void* data, std::size_t size) {
  const auto* p = static_cast<const char*>(data);
  return Repeat(size, [&](std::size_t done) { return file.Write(p + done, size - done); });
}

Result WriteFullyAt(File& file, std::uint64_t offset, const void* data, std::size_t size) {
  const auto* p = static_cast<const char*>(data);
  return Repeat(size, [&](std::size_t done) { return file.WriteAt(offset + done, p + done, size - done); });
}

bool IsDiskFull(int error) {
  if (error == ENOSPC || error == EFBIG) return true;
#ifdef EDQUOT
  if (error == EDQUOT) return true;
#endif
  return false;
}

}  // namespace lexmora::io
