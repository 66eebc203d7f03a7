#include "io/faulty_file_system.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <limits>

namespace lexmora::io {

namespace {

constexpr std::size_t kCallKinds = static_cast<std::size_t>(Call::Remove) + 1;
constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max();

bool Matches(const std::string& part, const std::string& name) { return name.find(part) != std::string::npos; }

}  // namespace

// The faults as set up, and the counters, which the calls of all threads
// update. The settings are plain fields: they are written before the work
// under test starts and only read afterwards.
struct FaultyFileSystem::State {
  struct CallFault {
    std::uint64_t k = 0;  // 0: none
    std::string nameContains;
    int error = EIO;
    std::atomic<std::uint64_t> seen{0};  // matching calls so far
  };
  std::array<CallFault, kCallKinds> callFaults;
  std::array<std::atomic<std::uint64_t>, kCallKinds> calls{};
  std::atomic<std::uint64_t> failures{0};
  std::atomic<std::uint64_t> written{0};

  std::uint64_t fullAfter = kNever;
  std::string fullName;
  int fullError = ENOSPC;
  std::atomic<std::uint64_t> fullWritten{0};  // by the matching files

  std::size_t readLimit = std::numeric_limits<std::size_t>::max();
  std::uint64_t readEnd = kNever;
  std::string readEndName;
  bool refuseRelease = false;

  // Counts a call; the error it is to fail with, or 0.
  int Enter(Call kind, const std::string& name) {
    const auto i = static_cast<std::size_t>(kind);
    calls[i].fetch_add(1, std::memory_order_relaxed);
    CallFault& f = callFaults[i];
    if (f.k == 0 || !Matches(f.nameContains, name)) return 0;
    if (f.seen.fetch_add(1, std::memory_order_relaxed) + 1 != f.k) return 0;
    failures.fetch_add(1, std::memory_order_relaxed);
    return f.error;
  }

  // How many of size bytes a write to the named file may move.
  std::uint64_t Reserve(const std::string& name, std::uint64_t size) {
    if (fullAfter == kNever || !Matches(fullName, name)) return size;
    std::uint64_t used = fullWritten.load(std::memory_order_relaxed), take;
    do take = std::min(size, fullAfter - std::min(used, fullAfter));
    while (take > 0 && !fullWritten.compare_exchange_weak(used, used + take, std::memory_order_relaxed));
    return take;
  }
  void Unreserve(const std::string& name, std::uint64_t unused) {
    if (unused > 0 && fullAfter != kNever && Matches(fullName, name))
      fullWritten.fetch_sub(unused, std::memory_order_relaxed);
  }

  // The size of a read of the named file at offset, after the read faults.
  std::size_t ReadSize(const std::string& name, std::uint64_t offset, std::size_t size) const {
    size = std::min(size, readLimit);
    if (readEnd != kNever && Matches(readEndName, name))
      size = static_cast<std::size_t>(std::min<std::uint64_t>(size, readEnd - std::min(offset, readEnd)));
    return size;
  }
};

namespace {

class FaultyFile final : public File {
 public:
  using State = FaultyFileSystem::State;
  FaultyFile(std::unique_ptr<File> file, std::shared_ptr<State> state, std::string name)
      : file_(std::move(file)), state_(std::move(state)), name_(std::move(name)) {}

  Result Read(void* data, std::size_t size) override {
    if (const int e = state_->Enter(Call::Read, name_)) return {0, e};
    const std::size_t n = state_->ReadSize(name_, pos_, size);
    if (n == 0 && size > 0) return {0, 0};
    const Result r = file_->Read(data, n);
    pos_ += r.count;
    return r;
  }
  Result ReadAt(std::uint64_t offset, void* data, std::size_t size) override {
    if (const int e = state_->Enter(Call::Read, name_)) return {0, e};
    const std::size_t n = state_->ReadSize(name_, offset, size);
    if (n == 0 && size > 0) return {0, 0};
    return file_->ReadAt(offset, data, n);
  }
  Result Write(const void* data, std::size_t size) override {
    const Result r = Written(size, [&](std::size_t n) { return file_->Write(data, n); });
    pos_ += r.count;
    return r;
  }
  Result WriteAt(std::uint64_t offset, const void* data, std::size_t size) override {
    return Written(size, [&](std::size_t n) { return file_->WriteAt(offset, data, n); });
  }
  int Seek(std::uint64_t offset) override {
    if (const int e = state_->Enter(Call::Seek, name_)) return e;
    const int e = file_->Seek(offset);
    if (e == 0) pos_ = offset;
    return e;
  }
  Result Size() override {
    if (const int e = state_->Enter(Call::Size, name_)) return {0, e};
    return file_->Size();
  }
  int Sync() override {
    if (const int e = state_->Enter(Call::Sync, name_)) return e;
    return file_->Sync();
  }
  bool ReleaseRange(std::uint64_t offset, std::uint64_t length) override {
    if (state_->Enter(Call::Release, name_) != 0 || state_->refuseRelease) return false;
    return file_->ReleaseRange(offset, length);
  }
  int Close() override {
    const int injected = state_->Enter(Call::Close, name_);
    const int e = file_->Close();
    return injected != 0 ? injected : e;
  }

 private:
  // A write through write(n) of at most n bytes, after the write faults.
  template <typename WriteSome>
  Result Written(std::size_t size, WriteSome write) {
    if (const int e = state_->Enter(Call::Write, name_)) return {0, e};
    const std::uint64_t allowed = state_->Reserve(name_, size);
    if (allowed == 0 && size > 0) {
      state_->failures.fetch_add(1, std::memory_order_relaxed);
      return {0, state_->fullError};
    }
    const Result r = write(static_cast<std::size_t>(allowed));
    state_->Unreserve(name_, allowed - r.count);
    state_->written.fetch_add(r.count, std::memory_order_relaxed);
    return r;
  }

  std::unique_ptr<File> file_;
  std::shared_ptr<State> state_;
  std::string name_;
  std::uint64_t pos_ = 0;  // the file position, for EndReadsAt
};

std::string NameOf(const std::filesystem::path& path) { return path.filename().string(); }

}  // namespace

FaultyFileSystem::FaultyFileSystem(FileSystem& base) : base_(base), state_(std::make_shared<State>()) {}

void FaultyFileSystem::DiskFullAfter(std::uint64_t bytes, std::string nameContains, int error) {
  state_->fullAfter = bytes;
  state_->fullName = std::move(nameContains);
  state_->fullError = error;
  state_->fullWritten = 0;
}

void FaultyFileSystem::FailCall(Call kind, std::uint64_t k, std::string nameContains, int error) {
  State::CallFault& f = state_->callFaults[static_cast<std::size_t>(kind)];
  f.k = k;
  f.nameContains = std::move(nameContains);
  f.error = error;
  f.seen = 0;
}

void FaultyFileSystem::SplitReads(std::size_t maxBytes) { state_->readLimit = std::max<std::size_t>(maxBytes, 1); }

void FaultyFileSystem::EndReadsAt(std::uint64_t bytes, std::string nameContains) {
  state_->readEnd = bytes;
  state_->readEndName = std::move(nameContains);
}

void FaultyFileSystem::RefuseRelease() { state_->refuseRelease = true; }

std::uint64_t FaultyFileSystem::Calls(Call kind) const {
  return state_->calls[static_cast<std::size_t>(kind)].load(std::memory_order_relaxed);
}

std::uint64_t FaultyFileSystem::Failures() const { return state_->failures.load(std::memory_order_relaxed); }

std::uint64_t FaultyFileSystem::BytesWritten() const { return state_->written.load(std::memory_order_relaxed); }

std::unique_ptr<File> FaultyFileSystem::Open(const std::filesystem::path& path, OpenMode mode, int& error) {
  std::string name = NameOf(path);
  if ((error = state_->Enter(Call::Open, name)) != 0) return nullptr;
  std::unique_ptr<File> file = base_.Open(path, mode, error);
  if (!file) return nullptr;
  return std::make_unique<FaultyFile>(std::move(file), state_, std::move(name));
}

int FaultyFileSystem::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (const int e = state_->Enter(Call::Rename, NameOf(from))) return e;
  return base_.Rename(from, to);
}

int FaultyFileSystem::Remove(const std::filesystem::path& path) {
  if (const int e = state_->Enter(Call::Remove, NameOf(path))) return e;
  return base_.Remove(path);
}

}  // namespace lexmora::io
