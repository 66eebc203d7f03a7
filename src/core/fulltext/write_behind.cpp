#include "fulltext/write_behind.h"

#include <cstring>

namespace lexmora {

namespace {
constexpr std::size_t kMaxPending = 4;
}

WriteBehindFile::WriteBehindFile(const std::filesystem::path& path, std::size_t blockSize)
    : file_(path, RawFile::Mode::Write), blockSize_(blockSize) {
  current_.data = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize_);
  writer_ = std::thread([this] { WriterLoop(); });
}

WriteBehindFile::~WriteBehindFile() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (writer_.joinable()) writer_.join();
}

void WriteBehindFile::WriterLoop() {
  while (true) {
    Block block;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
      if (pending_.empty()) return;
      block = std::move(pending_.front());
      pending_.pop_front();
    }
    try {
      if (!failure_) file_.WriteAll(block.data.get(), block.size);
    } catch (...) {
      std::lock_guard<std::mutex> lock(mutex_);
      failure_ = std::current_exception();
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      block.size = 0;
      spare_.push_back(std::move(block));
    }
    changed_.notify_all();
  }
}

void WriteBehindFile::RethrowFailure() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (failure_) std::rethrow_exception(failure_);
}

void WriteBehindFile::Submit() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return pending_.size() < kMaxPending; });
  if (failure_) std::rethrow_exception(failure_);
  current_.size = used_;
  pending_.push_back(std::move(current_));
  used_ = 0;
  if (!spare_.empty()) {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  } else {
    current_.data = std::make_unique_for_overwrite<std::uint8_t[]>(blockSize_);
  }
  lock.unlock();
  changed_.notify_all();
}

void WriteBehindFile::WriteAcross(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (size > 0) {
    const std::size_t room = blockSize_ - used_;
    const std::size_t n = size < room ? size : room;
    std::memcpy(current_.data.get() + used_, p, n);
    used_ += n;
    p += n;
    size -= n;
    if (used_ == blockSize_) Submit();
  }
}

void WriteBehindFile::Finish() {
  if (finished_) return;
  finished_ = true;
  if (used_ > 0) Submit();
  {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return pending_.empty(); });
    stopping_ = true;
  }
  changed_.notify_all();
  writer_.join();
  RethrowFailure();
  file_.Close();
}

}  // namespace lexmora
