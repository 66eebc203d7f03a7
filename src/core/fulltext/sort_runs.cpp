#include "fulltext/sort_runs.h"

#include <cstring>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include "fulltext/external_sort.h"
#include "fulltext/index_records.h"
#include "fulltext/raw_file.h"
#include "fulltext/selection_tree.h"
#include "fulltext/sort_output.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

struct Chunk {
  const std::uint8_t* records = nullptr;  // c records in the worker's block buffer
  std::vector<std::uint32_t> index;     // entry 0: count; 1..n: 1-based record numbers
  std::vector<std::uint64_t> keys;      // the reduced key of record number n at (n - 1) * words
  std::vector<std::uint64_t> prefixes;  // the first key word of the record at each index position
  std::size_t count = 0;
  std::size_t next = 1;
  const std::uint8_t* Record(std::size_t i, std::size_t r) const { return records + (index[i] - 1) * r; }
  const std::uint64_t* Key(std::size_t i, std::size_t words) const { return keys.data() + (index[i] - 1) * words; }
};

// True when key a comes after key b, their first words being equal.
inline bool RestAfter(const std::uint64_t* a, const std::uint64_t* b, std::size_t words) {
  for (std::size_t w = 1; w < words; ++w)
    if (a[w] != b[w]) return a[w] > b[w];
  return false;
}

// The keys of one block reduced to the key bytes that differ somewhere in
// the block (a byte equal in every record cannot decide an order), stored
// as big-endian 64-bit words, inverted for descending order, so that the
// order of two records is the order of a few integers. A key that differs
// in only a handful of bytes, as a word followed by zero padding does,
// shrinks to one or two words.
class ReducedKeys {
 public:
  ReducedKeys(const SortKeyOrder& order) : order_(order) {}

  // Chooses the bytes that differ among the records of the filled chunks.
  void Choose(const std::vector<Chunk>& chunks, std::size_t filled, std::size_t r) {
    const std::size_t k = order_.keyLength();
    std::uint8_t diff[256] = {};
    const std::uint8_t* first = chunks[0].records;
    for (std::size_t j = 0; j < filled; ++j) {
      const std::uint8_t* rec = chunks[j].records;
      for (std::size_t n = 0; n < chunks[j].count; ++n, rec += r)
        for (std::size_t i = 0; i < k; ++i) diff[i] |= static_cast<std::uint8_t>(rec[i] ^ first[i]);
    }
    columns_.clear();
    for (std::size_t i = 0; i < k; ++i)
      if (diff[i] != 0) columns_.push_back(static_cast<std::uint16_t>(i));
    words_ = columns_.empty() ? 1 : (columns_.size() + 7) / 8;
  }

  std::size_t words() const { return words_; }

  void Reduce(const std::uint8_t* record, std::uint64_t* key) const {
    std::uint8_t bytes[256] = {};
    for (std::size_t i = 0; i < columns_.size(); ++i) bytes[i] = record[columns_[i]];
    for (std::size_t w = 0; w < words_; ++w) {
      std::uint64_t v;
      std::memcpy(&v, bytes + 8 * w, 8);
      v = __builtin_bswap64(v);
      key[w] = order_.descending() ? ~v : v;
    }
  }

 private:
  const SortKeyOrder& order_;
  std::vector<std::uint16_t> columns_;
  std::size_t words_ = 1;
};

// An exchange pass with gap 1. The entry that ends a step at position i + 1
// is the one the next step compares, so it stays in registers instead of
// making a round trip through memory. Returns whether anything moved.
bool BubblePass(Chunk& chunk, std::size_t words) {
  std::uint32_t* index = chunk.index.data();
  std::uint64_t* prefixes = chunk.prefixes.data();
  const std::uint64_t* keys = chunk.keys.data();
  const std::size_t n = index[0];
  if (n < 2) return false;
  std::uint32_t a = index[1];
  std::uint64_t pa = prefixes[1];
  bool exchanged = false;
  for (std::size_t i = 1; i < n; ++i) {
    const std::uint32_t b = index[i + 1];
    const std::uint64_t pb = prefixes[i + 1];
    bool after = pa > pb;
    if (pa == pb) after = RestAfter(keys + (a - 1) * words, keys + (b - 1) * words, words);
    // Position i gets the smaller entry; the larger moves on.
    index[i] = after ? b : a;
    prefixes[i] = after ? pb : pa;
    a = after ? a : b;
    pa = after ? pa : pb;
    exchanged |= after;
  }
  index[n] = a;
  prefixes[n] = pa;
  return exchanged;
}

// Shell's method by exchange passes over the index array of a chunk.
void ShellSortChunk(Chunk& chunk, std::size_t words) {
  std::uint32_t* index = chunk.index.data();
  std::uint64_t* prefixes = chunk.prefixes.data();
  const std::uint64_t* keys = chunk.keys.data();
  const std::size_t n = index[0];
  std::size_t gap = n / 2;
  while (gap > 0) {
    bool exchanged = gap == 1 ? BubblePass(chunk, words) : false;
    for (std::size_t i = 1; gap > 1 && i + gap <= n; ++i) {
      const std::uint64_t pa = prefixes[i], pb = prefixes[i + gap];
      const std::uint32_t a = index[i], b = index[i + gap];
      bool after = pa > pb;
      if (pa == pb) after = RestAfter(keys + (a - 1) * words, keys + (b - 1) * words, words);
      // The exchange without a branch: which way a comparison goes cannot
      // be predicted, so a branch would be mispredicted half of the time.
      const std::uint32_t m32 = 0u - static_cast<std::uint32_t>(after);
      const std::uint64_t m64 = 0ull - static_cast<std::uint64_t>(after);
      const std::uint32_t swapIndex = (a ^ b) & m32;
      const std::uint64_t swapPrefix = (pa ^ pb) & m64;
      index[i] = a ^ swapIndex;
      index[i + gap] = b ^ swapIndex;
      prefixes[i] = pa ^ swapPrefix;
      prefixes[i + gap] = pb ^ swapPrefix;
      exchanged |= after;
    }
    if (!exchanged) {
      if (gap < 2) break;
      gap /= 2;
    }
  }
}

// Two workers make runs side by side; the input is read under a lock in
// file order, so run n always holds the n-th block of the input, exactly as
// one worker would make it.
class RunMaker {
 public:
  RunMaker(const fs::path& file, const fs::path& dir, std::size_t r, const SortKeyOrder& order,
           SortRunProgress& progress)
      : input_(file, RawFile::Mode::ReadAndRelease),
        dir_(dir),
        r_(r),
        c_(kSortChunkBytes / r),
        order_(order),
        progress_(progress) {
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
  int Load(std::uint8_t* block, std::vector<Chunk>& chunks, std::size_t& filled) {
    std::lock_guard<std::mutex> lock(mutex_);
    filled = 0;
    if (atEnd_) return 0;
    // The 16 chunks lie one after the other in the block: one read fills them.
    std::size_t left = input_.ReadSome(block, kSortChunks * c_ * r_) / r_;
    if (left < kSortChunks * c_) atEnd_ = true;
    for (auto& ch : chunks) {
      ch.count = left < c_ ? left : c_;
      if (ch.count == 0) break;
      left -= ch.count;
      ++filled;
    }
    // The input is deleted once the runs are made, so what has been read
    // can go now; the run files then reuse its pages.
    input_.ReleaseRead();
    progress_.inputPartial = input_.ReleasedAny();
    if (filled == 0) return 0;
    progress_.runFiles = ++runs_;
    return runs_;
  }

  void Work() {
    std::vector<Chunk> chunks(kSortChunks);
    std::vector<std::uint8_t> block(kSortChunks * c_ * r_);
    const std::size_t maxWords = (order_.keyLength() + 7) / 8;
    for (std::size_t j = 0; j < kSortChunks; ++j) {
      Chunk& ch = chunks[j];
      ch.records = block.data() + j * c_ * r_;
      ch.index.resize(c_ + 1);
      ch.keys.resize(c_ * maxWords);
      ch.prefixes.resize(c_ + 1);
    }
    ReducedKeys reduced(order_);
    std::size_t filled = 0;
    while (int run = Load(block.data(), chunks, filled)) {
      reduced.Choose(chunks, filled, r_);
      const std::size_t words = reduced.words();
      for (std::size_t j = 0; j < filled; ++j) {
        Chunk& ch = chunks[j];
        ch.index[0] = static_cast<std::uint32_t>(ch.count);
        for (std::size_t i = 1; i <= ch.count; ++i) {
          ch.index[i] = static_cast<std::uint32_t>(i);
          std::uint64_t* key = ch.keys.data() + (i - 1) * words;
          reduced.Reduce(ch.records + (i - 1) * r_, key);
          ch.prefixes[i] = key[0];
        }
        ch.next = 1;
        ShellSortChunk(ch, words);
      }
      WriteRun(chunks, filled, run, words);
    }
  }

  // Merges the filled chunks into run file number run; on equal records
  // the lower chunk wins.
  void WriteRun(std::vector<Chunk>& chunks, std::size_t filled, int run, std::size_t words) {
    RawFile file(SortRunFileName(dir_, run), RawFile::Mode::Write);
    SortOutput out(file, r_, 0);
    std::vector<bool> live(filled);
    for (std::size_t j = 0; j < filled; ++j) live[j] = chunks[j].count > 0;
    auto compare = [&](std::size_t a, std::size_t b) {
      const Chunk& x = chunks[a];
      const Chunk& y = chunks[b];
      const std::uint64_t px = x.prefixes[x.next], py = y.prefixes[y.next];
      if (px != py) return px < py ? -1 : 1;
      const std::uint64_t* kx = x.Key(x.next, words);
      const std::uint64_t* ky = y.Key(y.next, words);
      for (std::size_t i = 1; i < words; ++i)
        if (kx[i] != ky[i]) return kx[i] < ky[i] ? -1 : 1;
      return 0;
    };
    SelectionTree<decltype(compare)> tree(filled, live, compare);
    for (std::size_t w; (w = tree.Winner()) != tree.kNone;) {
      Chunk& ch = chunks[w];
      out.Put(ch.Record(ch.next, r_));
      live[w] = ++ch.next <= ch.count;
      tree.Update(w);
    }
    out.Flush();
    file.Close();
  }

  RawFile input_;
  fs::path dir_;
  std::size_t r_, c_;
  const SortKeyOrder& order_;
  SortRunProgress& progress_;
  std::mutex mutex_;
  bool atEnd_ = false;
  int runs_ = 0;
};

}  // namespace

int MakeSortedRuns(const fs::path& file, const fs::path& dir, std::size_t recordSize, const SortKeyOrder& order,
                   SortRunProgress& progress) {
  return RunMaker(file, dir, recordSize, order, progress).Run();
}

}  // namespace lexmora
