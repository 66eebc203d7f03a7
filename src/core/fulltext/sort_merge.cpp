#include "fulltext/sort_merge.h"

#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

#include "fulltext/external_sort.h"
#include "fulltext/index_records.h"
#include "fulltext/raw_file.h"
#include "fulltext/offset_value_tree.h"
#include "fulltext/sort_output.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kInputBufferBytes = 65535;
// Below this many bytes a group is merged on one thread.
constexpr std::uint64_t kSplitMergeBytes = 256 * 1024;

// Records [first, end) of one run.
struct RunSlice {
  std::uint64_t first = 0, end = 0;
};

// Sequential reader of a slice of one run; the storage of what it has read
// is freed as it goes, since the run is deleted after the merge.
class RunReader {
 public:
  RunReader(const fs::path& path, std::size_t recordSize, RunSlice slice)
      : file_(path, RawFile::Mode::ReadAndRelease),
        recordSize_(recordSize),
        fillSize_(recordSize * (kInputBufferBytes / recordSize)),
        left_((slice.end - slice.first) * recordSize),
        buffer_(std::make_unique_for_overwrite<std::uint8_t[]>(kInputBufferBytes)) {
    if (slice.first > 0) file_.Seek(slice.first * recordSize);
  }
  // Loads the next record into current(); false at the end of the slice.
  bool Advance() {
    if (pos_ + recordSize_ > len_) {
      const std::size_t keep = len_ - pos_;
      std::memmove(buffer_.get(), buffer_.get() + pos_, keep);
      std::size_t want = fillSize_ - keep;
      if (want > left_) want = static_cast<std::size_t>(left_);
      const std::size_t got = file_.ReadSome(buffer_.get() + keep, want);
      left_ -= got;
      len_ = keep + got;
      file_.ReleaseRead();
      pos_ = 0;
      if (len_ < recordSize_) return false;
    }
    current_ = buffer_.get() + pos_;
    pos_ += recordSize_;
    return true;
  }
  const std::uint8_t* current() const { return current_; }
  void Close() { file_.Close(); }

 private:
  RawFile file_;
  std::size_t recordSize_;
  std::size_t fillSize_;
  std::uint64_t left_;  // bytes of the slice not yet read
  std::unique_ptr<std::uint8_t[]> buffer_;  // not zeroed: filled before it is read
  std::size_t pos_ = 0, len_ = 0;
  const std::uint8_t* current_ = nullptr;
};

// Merges one slice of every run into out from offset on.
void MergeSlices(const std::vector<fs::path>& runs, const std::vector<RunSlice>& slices, RawFile& out,
                 std::uint64_t offset, std::size_t r, const SortKeyOrder& order, const std::atomic<bool>& stop) {
  std::vector<std::unique_ptr<RunReader>> readers;
  std::vector<const std::uint8_t*> first(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    readers.push_back(std::make_unique<RunReader>(runs[i], r, slices[i]));
    first[i] = readers.back()->Advance() ? readers.back()->current() : nullptr;
  }
  SortOutput output(out, r, offset);
  OffsetValueTree tree(runs.size(), order.keyLength(), order.descending());
  tree.Start(first);
  // The record just taken, kept while its reader may refill its buffer: the
  // reader's next record is coded against it.
  std::vector<std::uint8_t> taken(r);
  std::size_t sinceCheck = 0;
  for (std::size_t w; (w = tree.Winner()) != tree.kNone;) {
    RunReader& reader = *readers[w];
    output.Put(reader.current());
    std::memcpy(taken.data(), reader.current(), r);
    tree.Advance(w, taken.data(), reader.Advance() ? reader.current() : nullptr);
    if (++sinceCheck == 4096) {
      sinceCheck = 0;
      if (stop.load(std::memory_order_relaxed)) return;  // the other half failed
    }
  }
  output.Flush();
  for (auto& reader : readers) reader->Close();
}

// The number of records of a run that come before key (a whole record).
std::uint64_t RecordsBefore(RawFile& run, std::uint64_t count, std::size_t r, const std::uint8_t* key,
                            const SortKeyOrder& order) {
  std::vector<std::uint8_t> record(r);
  std::uint64_t lo = 0, hi = count;
  while (lo < hi) {
    const std::uint64_t mid = lo + (hi - lo) / 2;
    if (!run.ReadAt(mid * r, record.data(), r))
      throw IndexIoError("cannot read " + run.path().string());
    if (order.Compare(record.data(), key) < 0) lo = mid + 1;
    else hi = mid;
  }
  return lo;
}

// Splits the group at the middle record of its longest run: records before
// it go to the first part, the rest to the second. Returns the second
// part's slices; the first part holds the records in front of them.
std::vector<RunSlice> SplitGroup(const std::vector<fs::path>& runs, const std::vector<std::uint64_t>& counts,
                                 std::size_t r, const SortKeyOrder& order) {
  std::size_t longest = 0;
  for (std::size_t i = 1; i < runs.size(); ++i)
    if (counts[i] > counts[longest]) longest = i;
  std::vector<std::uint8_t> key(r);
  RawFile source(runs[longest], RawFile::Mode::Read);
  if (!source.ReadAt(counts[longest] / 2 * r, key.data(), r))
    throw IndexIoError("cannot read " + runs[longest].string());
  std::vector<RunSlice> second(runs.size());
  for (std::size_t i = 0; i < runs.size(); ++i) {
    RawFile run(runs[i], RawFile::Mode::Read);
    second[i] = {RecordsBefore(run, counts[i], r, key.data(), order), counts[i]};
  }
  return second;
}

}  // namespace

void MergeRunGroup(const fs::path& dir, int first, int last, int target, std::size_t r, const SortKeyOrder& order) {
  if (first == last) {
    if (first == target) return;
    MoveFileStrict(SortRunFileName(dir, first), SortRunFileName(dir, target));
    return;
  }
  std::vector<fs::path> runs;
  std::vector<std::uint64_t> counts;
  std::uint64_t total = 0;
  for (int n = first; n <= last; ++n) {
    runs.push_back(SortRunFileName(dir, n));
    std::error_code ec;
    const std::uint64_t bytes = fs::file_size(runs.back(), ec);
    if (ec) throw IndexIoError("cannot open " + runs.back().string() + ": " + ec.message());
    counts.push_back(bytes / r);
    total += bytes;
  }
  const fs::path work = dir / "sort_buf.xxx";
  {
    RawFile out(work, RawFile::Mode::Write);
    std::atomic<bool> stop{false};
    std::vector<RunSlice> whole(runs.size());
    for (std::size_t i = 0; i < runs.size(); ++i) whole[i] = {0, counts[i]};
    if (total < kSplitMergeBytes) {
      MergeSlices(runs, whole, out, 0, r, order, stop);
    } else {
      const std::vector<RunSlice> second = SplitGroup(runs, counts, r, order);
      std::vector<RunSlice> firstPart(runs.size());
      std::uint64_t firstRecords = 0;
      for (std::size_t i = 0; i < runs.size(); ++i) {
        firstPart[i] = {0, second[i].first};
        firstRecords += second[i].first;
      }
      std::exception_ptr failure;
      std::thread helper([&] {
        try {
          MergeSlices(runs, second, out, firstRecords * r, r, order, stop);
        } catch (...) {
          failure = std::current_exception();
          stop = true;
        }
      });
      try {
        MergeSlices(runs, firstPart, out, 0, r, order, stop);
      } catch (...) {
        stop = true;
        helper.join();
        throw;
      }
      helper.join();
      if (failure) std::rethrow_exception(failure);
    }
    out.Close();
  }
  for (int n = first; n <= last; ++n) DeleteFileStrict(SortRunFileName(dir, n));
  MoveFileStrict(work, SortRunFileName(dir, target));
}

}  // namespace lexmora
