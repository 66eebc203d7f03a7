#include "fulltext/external_sort.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <memory>
#include <stdexcept>
#include <vector>

#include "fulltext/index_records.h"
#include "fulltext/raw_file.h"
#include "fulltext/selection_tree.h"
#include "fulltext/write_behind.h"

namespace lexmora {

namespace fs = std::filesystem;

fs::path SortRunFileName(const fs::path& dir, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "sort_buf.%03d", n);
  return dir / name;
}

namespace {

constexpr std::size_t kOutputBufferBytes = 65536;
constexpr std::size_t kInputBufferBytes = 65535;

inline std::uint64_t LoadBigEndian(const std::uint8_t* p) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  return __builtin_bswap64(v);
}

// Key order with a cached 64-bit prefix: the first eight key bytes read
// big-endian, so that most comparisons are one integer comparison and only
// ties read the rest of the key.
class KeyOrder {
 public:
  KeyOrder(std::size_t keyLength, bool descending) : k_(keyLength), descending_(descending) {}

  std::uint64_t Prefix(const std::uint8_t* record) const {
    std::uint64_t v = 0;
    const std::size_t n = k_ < 8 ? k_ : 8;
    for (std::size_t i = 0; i < n; ++i) v |= static_cast<std::uint64_t>(record[i]) << (56 - 8 * i);
    return v;
  }
  // <0, 0, >0 in sort order.
  int Compare(std::uint64_t pa, const std::uint8_t* a, std::uint64_t pb, const std::uint8_t* b) const {
    int c = 0;
    if (pa != pb) {
      c = pa < pb ? -1 : 1;
    } else {
      // The rest of the key, eight bytes at a time, then byte by byte.
      std::size_t i = 8;
      for (; i + 8 <= k_; i += 8) {
        const std::uint64_t x = LoadBigEndian(a + i), y = LoadBigEndian(b + i);
        if (x != y) {
          c = x < y ? -1 : 1;
          break;
        }
      }
      if (c == 0 && i + 8 > k_) {
        for (; i < k_ && c == 0; ++i) c = static_cast<int>(a[i]) - static_cast<int>(b[i]);
      }
    }
    return descending_ ? -c : c;
  }
  // True when record a comes after record b.
  bool After(const std::uint8_t* a, const std::uint8_t* b) const {
    return Compare(Prefix(a), a, Prefix(b), b) > 0;
  }

 private:
  std::size_t k_;
  bool descending_;
};

// Writer of whole records in blocks of w = r * (65535 div r) bytes; the
// blocks are written by a second thread while the merge goes on.
class RunWriter {
 public:
  RunWriter(const fs::path& path, std::size_t recordSize) : file_(path, recordSize * (65535 / recordSize)) {}
  void Put(const std::uint8_t* record, std::size_t size) { file_.Write(record, size); }
  void Finish() { file_.Finish(); }

 private:
  WriteBehindFile file_;
};

// Sequential reader of one run in the merge phase.
class RunReader {
 public:
  RunReader(const fs::path& path, std::size_t recordSize)
      : file_(path, RawFile::Mode::Read), recordSize_(recordSize), fillSize_(recordSize * (65535 / recordSize)) {
    buffer_.resize(kInputBufferBytes);
  }
  // Loads the next record into current(); false at the end of the run.
  bool Advance(const KeyOrder& order) {
    if (pos_ + recordSize_ > len_) {
      const std::size_t keep = len_ - pos_;
      std::memmove(buffer_.data(), buffer_.data() + pos_, keep);
      len_ = keep + file_.ReadSome(buffer_.data() + keep, fillSize_ - keep);
      pos_ = 0;
      if (len_ < recordSize_) return false;
    }
    current_ = buffer_.data() + pos_;
    prefix_ = order.Prefix(current_);
    pos_ += recordSize_;
    return true;
  }
  const std::uint8_t* current() const { return current_; }
  std::uint64_t prefix() const { return prefix_; }
  void Close() { file_.Close(); }

 private:
  RawFile file_;
  std::size_t recordSize_;
  std::size_t fillSize_;
  std::vector<std::uint8_t> buffer_;
  std::size_t pos_ = 0, len_ = 0;
  const std::uint8_t* current_ = nullptr;
  std::uint64_t prefix_ = 0;
};

struct Chunk {
  std::vector<std::uint8_t> records;
  std::vector<std::uint32_t> index;  // entry 0: count; 1..n: 1-based record numbers
  std::vector<std::uint64_t> prefixes;  // by record number
  std::size_t count = 0;
  std::size_t next = 1;
  const std::uint8_t* Record(std::size_t i, std::size_t r) const { return records.data() + (index[i] - 1) * r; }
  std::uint64_t PrefixAt(std::size_t i) const { return prefixes[index[i]]; }
  // True when the record at index position i comes after the one at j.
  bool After(std::size_t i, std::size_t j, std::size_t r, const KeyOrder& order) const {
    return order.Compare(PrefixAt(i), Record(i, r), PrefixAt(j), Record(j, r)) > 0;
  }
};

// Shell's method by exchange passes over the index array.
void ShellSortChunk(Chunk& chunk, std::size_t r, const KeyOrder& order) {
  const std::size_t n = chunk.count;
  std::size_t gap = n / 2;
  while (gap > 0) {
    bool exchanged = false;
    for (std::size_t i = 1; i + gap <= n; ++i) {
      if (chunk.After(i, i + gap, r, order)) {
        std::swap(chunk.index[i], chunk.index[i + gap]);
        exchanged = true;
      }
    }
    if (!exchanged) {
      if (gap < 2) break;
      gap /= 2;
    }
  }
}

// Phase 1: sorted runs of up to 16 chunks. Two workers make runs side by
// side; the input is read under a lock in file order, so run n always holds
// the n-th block of the input, exactly as one worker would make it.
class RunMaker {
 public:
  RunMaker(const fs::path& file, const fs::path& dir, std::size_t r, const KeyOrder& order)
      : input_(file, RawFile::Mode::Read), dir_(dir), r_(r), c_(kSortChunkBytes / r), order_(order) {
    if (input_.Size() % r != 0)
      throw IndexIoError("cannot sort " + file.string() + ": not a whole number of records");
  }

  int Run() {
    std::exception_ptr failure;
    std::thread helper([&] {
      try {
        Work();
      } catch (...) {
        failure = std::current_exception();
        Stop();
      }
    });
    try {
      Work();
    } catch (...) {
      Stop();
      helper.join();
      throw;
    }
    helper.join();
    if (failure) std::rethrow_exception(failure);
    input_.Close();
    return runs_;
  }

 private:
  void Stop() {
    std::lock_guard<std::mutex> lock(mutex_);
    atEnd_ = true;
  }

  // Fills the chunks with the next block of the input; returns the run
  // number and the number of filled chunks, or 0 at the end.
  int Load(std::vector<Chunk>& chunks, std::size_t& filled) {
    std::lock_guard<std::mutex> lock(mutex_);
    filled = 0;
    if (atEnd_) return 0;
    for (auto& ch : chunks) {
      ch.count = input_.ReadSome(ch.records.data(), c_ * r_) / r_;
      if (ch.count == 0) {
        atEnd_ = true;
        break;
      }
      ++filled;
      if (ch.count < c_) {
        atEnd_ = true;
        break;
      }
    }
    if (filled == 0) return 0;
    return ++runs_;
  }

  void Work() {
    std::vector<Chunk> chunks(kSortChunks);
    for (auto& ch : chunks) {
      ch.records.resize(c_ * r_);
      ch.index.resize(c_ + 1);
      ch.prefixes.resize(c_ + 1);
    }
    std::size_t filled = 0;
    while (int run = Load(chunks, filled)) {
      for (std::size_t j = 0; j < filled; ++j) {
        Chunk& ch = chunks[j];
        ch.index[0] = static_cast<std::uint32_t>(ch.count);
        for (std::size_t i = 1; i <= ch.count; ++i) {
          ch.index[i] = static_cast<std::uint32_t>(i);
          ch.prefixes[i] = order_.Prefix(ch.records.data() + (i - 1) * r_);
        }
        ch.next = 1;
        ShellSortChunk(ch, r_, order_);
      }
      RunWriter out(SortRunFileName(dir_, run), r_);
      std::vector<bool> live(filled);
      for (std::size_t j = 0; j < filled; ++j) live[j] = chunks[j].count > 0;
      auto before = [&](std::size_t a, std::size_t b) {
        const Chunk& x = chunks[a];
        const Chunk& y = chunks[b];
        return order_.Compare(x.PrefixAt(x.next), x.Record(x.next, r_), y.PrefixAt(y.next), y.Record(y.next, r_)) < 0;
      };
      SelectionTree<decltype(before)> tree(filled, live, before);
      for (std::size_t w; (w = tree.Winner()) != tree.kNone;) {
        Chunk& ch = chunks[w];
        out.Put(ch.Record(ch.next, r_), r_);
        live[w] = ++ch.next <= ch.count;
        tree.Update(w);
      }
      out.Finish();
    }
  }

  RawFile input_;
  fs::path dir_;
  std::size_t r_, c_;
  const KeyOrder& order_;
  std::mutex mutex_;
  bool atEnd_ = false;
  int runs_ = 0;
};

int MakeRuns(const fs::path& file, const fs::path& dir, std::size_t r, const KeyOrder& order) {
  return RunMaker(file, dir, r, order).Run();
}

// Merges runs [first, last] into run number target.
void MergeGroup(const fs::path& dir, int first, int last, int target, std::size_t r, const KeyOrder& order) {
  if (first == last) {
    if (first == target) return;
    MoveFileStrict(SortRunFileName(dir, first), SortRunFileName(dir, target));
    return;
  }
  const fs::path work = dir / "sort_buf.xxx";
  {
    std::vector<std::unique_ptr<RunReader>> readers;
    std::vector<bool> live;
    for (int n = first; n <= last; ++n) {
      readers.push_back(std::make_unique<RunReader>(SortRunFileName(dir, n), r));
      live.push_back(readers.back()->Advance(order));
    }
    RunWriter out(work, r);
    auto before = [&](std::size_t a, std::size_t b) {
      return order.Compare(readers[a]->prefix(), readers[a]->current(), readers[b]->prefix(),
                           readers[b]->current()) < 0;
    };
    SelectionTree<decltype(before)> tree(readers.size(), live, before);
    for (std::size_t w; (w = tree.Winner()) != tree.kNone;) {
      out.Put(readers[w]->current(), r);
      live[w] = readers[w]->Advance(order);
      tree.Update(w);
    }
    out.Finish();
    for (auto& reader : readers) reader->Close();
  }
  for (int n = first; n <= last; ++n) DeleteFileStrict(SortRunFileName(dir, n));
  MoveFileStrict(work, SortRunFileName(dir, target));
}

}  // namespace

bool SortFile(const fs::path& file, bool descending, std::size_t keyLength, std::size_t recordSize) {
  if (recordSize < 1 || recordSize > kSortChunkBytes) throw std::invalid_argument("record size out of range");
  if (keyLength < 1 || keyLength > 254 || keyLength > recordSize) throw std::invalid_argument("key length out of range");
  const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
  const KeyOrder order(keyLength, descending);
  try {
    int runs = MakeRuns(file, dir, recordSize, order);
    if (runs == 0) return true;
    DeleteFileStrict(file);
    while (runs > 1) {
      int out = 0;
      for (int next = 1; next <= runs; next += static_cast<int>(kSortMergeWays)) {
        const int last = std::min(runs, next + static_cast<int>(kSortMergeWays) - 1);
        ++out;
        MergeGroup(dir, next, last, out, recordSize, order);
      }
      runs = out;
    }
    MoveFileStrict(SortRunFileName(dir, 1), file);
    return true;
  } catch (const DiskFullError&) {
    return false;
  }
}

}  // namespace lexmora
