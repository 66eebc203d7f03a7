#include "import/dictzip_file.h"

#include <zlib.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "import/gzip_file.h"
#include "import/imported_dictionary.h"

namespace lexmora {
namespace {

constexpr std::uint8_t kHeaderCrc = 2, kExtraField = 4, kFileName = 8, kComment = 16;
constexpr std::size_t kTrailerSize = 8;  // CRC-32 and the uncompressed size modulo 2^32

std::uint32_t Le16(std::string_view s, std::size_t at) {
  return static_cast<std::uint8_t>(s[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[at + 1])) << 8;
}

std::uint32_t Le32(std::string_view s, std::size_t at) { return Le16(s, at) | Le16(s, at + 2) << 16; }

struct GzipHeader {
  std::size_t dataStart = 0;
  bool hasChunkTable = false;
  std::string_view chunkTable;  // the RA subfield's data
};

GzipHeader ReadGzipHeader(std::string_view image, const std::string& name) {
  auto fail = [&](const std::string& why) { return ImportError(name + ": gzip header: " + why); };
  if (image.size() < 10 || static_cast<std::uint8_t>(image[0]) != 0x1F || static_cast<std::uint8_t>(image[1]) != 0x8B)
    throw ImportError(name + ": not a gzip file");
  if (image[2] != 8) throw fail("unknown compression method " + std::to_string(static_cast<std::uint8_t>(image[2])));
  const auto flags = static_cast<std::uint8_t>(image[3]);
  GzipHeader header;
  std::size_t at = 10;
  if (flags & kExtraField) {
    if (image.size() - at < 2) throw fail("cut short");
    const std::size_t length = Le16(image, at);
    at += 2;
    if (image.size() - at < length) throw fail("extra field runs past the end of the file");
    std::string_view extra = image.substr(at, length);
    at += length;
    while (extra.size() >= 4) {
      const std::size_t size = Le16(extra, 2);
      if (extra.size() - 4 < size) throw fail("extra subfield runs past the extra field");
      if (extra[0] == 'R' && extra[1] == 'A') {
        header.hasChunkTable = true;
        header.chunkTable = extra.substr(4, size);
      }
      extra.remove_prefix(4 + size);
    }
  }
  for (std::uint8_t field : {kFileName, kComment}) {
    if (!(flags & field)) continue;
    const std::size_t end = image.find('\0', at);
    if (end == std::string_view::npos) throw fail(field == kFileName ? "file name not ended" : "comment not ended");
    at = end + 1;
  }
  if (flags & kHeaderCrc) at += 2;
  if (at > image.size()) throw fail("cut short");
  header.dataStart = at;
  return header;
}

class RawInflater {
 public:
  RawInflater() {
    if (inflateInit2(&stream_, -MAX_WBITS) != Z_OK) throw ImportError("zlib: cannot start inflating");
  }
  ~RawInflater() { inflateEnd(&stream_); }
  RawInflater(const RawInflater&) = delete;
  RawInflater& operator=(const RawInflater&) = delete;

  // Inflates one chunk into out (its size is the most it may hold); returns
  // the bytes written, or -1 for damaged data.
  long Chunk(std::string_view in, std::string& out) {
    inflateReset(&stream_);
    stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    stream_.avail_in = static_cast<uInt>(in.size());
    stream_.next_out = reinterpret_cast<Bytef*>(out.data());
    stream_.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&stream_, Z_SYNC_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) return -1;
    return static_cast<long>(out.size() - stream_.avail_out);
  }

 private:
  z_stream stream_{};
};

class DictzipData final : public DictData {
 public:
  DictzipData(std::string image, const std::string& name) : name_(name), image_(std::move(image)) {
    auto fail = [&](const std::string& why) { return ImportError(name + ": chunk table: " + why); };
    const GzipHeader header = ReadGzipHeader(image_, name);
    const std::string_view table = header.chunkTable;
    if (table.size() < 6) throw fail("cut short");
    if (Le16(table, 0) != 1) throw fail("version " + std::to_string(Le16(table, 0)) + " is not known");
    chunkLength_ = Le16(table, 2);
    const std::size_t count = Le16(table, 4);
    if (chunkLength_ == 0) throw fail("chunk length 0");
    if (table.size() < 6 + 2 * count) throw fail("lists " + std::to_string(count) + " chunks but holds fewer");
    if (image_.size() < header.dataStart + kTrailerSize) throw ImportError(name + ": cut short");
    const std::uint64_t end = image_.size() - kTrailerSize;
    starts_.reserve(count + 1);
    std::uint64_t at = header.dataStart;
    for (std::size_t k = 0; k < count; ++k) {
      starts_.push_back(at);
      at += Le16(table, 6 + 2 * k);
      if (at > end)
        throw fail("chunk " + std::to_string(k + 1) + " of " + std::to_string(count) +
                   " runs past the end of the file");
    }
    starts_.push_back(at);
    // The last chunk is shorter than the others; the size at the end of the
    // file (modulo 2^32) tells by how much.
    if (count > 0) {
      const std::uint64_t before = static_cast<std::uint64_t>(count - 1) * chunkLength_;
      const std::uint32_t last = Le32(image_, image_.size() - 4) - static_cast<std::uint32_t>(before);
      if (last == 0 || last > chunkLength_)
        throw ImportError(name + ": the size at its end does not fit its " + std::to_string(count) + " chunks");
      size_ = before + last;
    }
  }

  ~DictzipData() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    if (worker_.joinable()) worker_.join();
  }

  std::uint64_t Size() const override { return size_; }

  std::string_view Read(std::uint64_t offset, std::uint32_t size) override {
    if (size == 0) return {};
    const std::size_t first = static_cast<std::size_t>(offset / chunkLength_);
    const std::size_t last = static_cast<std::size_t>((offset + size - 1) / chunkLength_);
    const auto skip = static_cast<std::size_t>(offset - static_cast<std::uint64_t>(first) * chunkLength_);
    if (first == last) return std::string_view(Chunk(first)).substr(skip, size);
    // Grown as chunks inflate rather than reserved: the size comes from the
    // .idx, the chunks from real data.
    span_.clear();
    for (std::size_t k = first; k <= last; ++k) {
      const std::string_view chunk = Chunk(k);
      const std::size_t from = k == first ? skip : 0;
      const std::size_t to =
          k == last ? static_cast<std::size_t>(offset + size - static_cast<std::uint64_t>(k) * chunkLength_)
                    : chunk.size();
      span_.append(chunk.substr(from, to - from));
    }
    return span_;
  }

 private:
  // Inflates chunk k into out; false for damaged data. Safe on any thread
  // with an inflater of its own.
  bool Inflate(RawInflater& inflater, std::size_t k, std::string& out) const {
    const std::size_t count = starts_.size() - 1;
    const std::size_t expected =
        k + 1 < count ? chunkLength_ : static_cast<std::size_t>(size_ - static_cast<std::uint64_t>(k) * chunkLength_);
    out.resize(chunkLength_);
    const std::string_view in(image_.data() + starts_[k], static_cast<std::size_t>(starts_[k + 1] - starts_[k]));
    const long got = inflater.Chunk(in, out);
    if (got < 0 || static_cast<std::size_t>(got) != expected) return false;
    out.resize(expected);
    return true;
  }

  const std::string& Chunk(std::size_t k) {
    if (k == cached_) return chunk_;
    cached_ = kNone;
    if (!TakeReadAhead(k, chunk_) && !Inflate(inflater_, k, chunk_))
      throw ImportError(name_ + ": chunk " + std::to_string(k + 1) + " of " + std::to_string(starts_.size() - 1) +
                        " at byte " + std::to_string(starts_[k]) + ": damaged compressed data");
    cached_ = k;
    return chunk_;
  }

  // Inflating is a good part of reading a dictionary, and the entries are
  // read in the order of their data: a thread of its own inflates the chunks
  // one after another, a few ahead of the reader. Takes chunk k from it when
  // it has inflated it well; false when the reader has to inflate it itself
  // (it went back, or the data is damaged).
  bool TakeReadAhead(std::size_t k, std::string& out) {
    if (!worker_.joinable()) worker_ = std::thread([this] { ReadAhead(); });
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
      while (!ready_.empty() && ready_.front().chunk < k) {
        ready_.pop_front();
        changed_.notify_all();
      }
      if (produced_ > k) break;
      changed_.wait(lock);
    }
    if (ready_.empty() || ready_.front().chunk != k || !ready_.front().ok) return false;
    out.swap(ready_.front().data);
    ready_.pop_front();
    changed_.notify_all();
    return true;
  }

  void ReadAhead() {
    const std::size_t count = starts_.size() - 1;
    for (std::size_t k = 0; k < count; ++k) {
      Inflated chunk{k, false, {}};
      try {
        chunk.ok = Inflate(workerInflater_, k, chunk.data);
      } catch (...) {  // out of memory: the reader tries again and reports it
      }
      std::unique_lock<std::mutex> lock(mutex_);
      changed_.wait(lock, [&] { return stop_ || ready_.size() < kReadAhead; });
      if (stop_) return;
      ready_.push_back(std::move(chunk));
      ++produced_;
      changed_.notify_all();
    }
  }

  struct Inflated {
    std::size_t chunk;
    bool ok;
    std::string data;
  };

  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  static constexpr std::size_t kReadAhead = 8;
  std::string name_;
  std::string image_;
  std::uint32_t chunkLength_ = 0;
  std::vector<std::uint64_t> starts_;  // where each chunk begins in the image, and where the last ends
  std::uint64_t size_ = 0;
  RawInflater inflater_;
  std::size_t cached_ = kNone;
  std::string chunk_;
  std::string span_;

  RawInflater workerInflater_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Inflated> ready_;
  std::size_t produced_ = 0;  // chunks the worker has handed over
  bool stop_ = false;
  std::thread worker_;  // last: started after the rest is set up, joined before it goes
};

}  // namespace

std::string GunzipImage(std::string_view image, const std::string& fileName) {
  ReadGzipHeader(image, fileName);  // a clear message for what is no gzip file at all
  return InflateMaybeGzipped(std::string(image), fileName);
}

std::unique_ptr<DictData> OpenDictzip(std::string image, const std::string& fileName) {
  if (!ReadGzipHeader(image, fileName).hasChunkTable)
    return std::make_unique<MemoryDictData>(GunzipImage(image, fileName));
  return std::make_unique<DictzipData>(std::move(image), fileName);
}

}  // namespace lexmora
