#include "fulltext/indexer.h"

#include <cstring>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

#include "dictionary/byte_io.h"
#include "fulltext/block_file.h"
#include "fulltext/external_sort.h"
#include "fulltext/index_records.h"
#include "io/file_system.h"

namespace lexmora {

namespace fs = std::filesystem;

namespace {

std::uint32_t MulDivRounded(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  return c == 0 ? 0 : static_cast<std::uint32_t>((a * b + c / 2) / c);
}

fs::path PartName(const fs::path& file) {
  fs::path p = file;
  p += ".part";
  return p;
}

void RemoveQuietly(const fs::path& p) { io::Files().Remove(p); }

// Pass 2: the sorted occurrences become words, article runs and positions.
class IndexWriter {
 public:
  IndexWriter(const fs::path& tib, const fs::path& id2, const fs::path& id3)
      : words_(IndexWordRecord::kSize), hits_(ArticleHitRecord::kSize), positions_(PositionRecord::kSize) {
    words_.Assign(tib);
    hits_.Assign(id2);
    positions_.Assign(id3);
    words_.Rewrite();
    hits_.Rewrite();
    positions_.Rewrite();
  }

  // r: one sorted occurrence record as stored. Records are compared by
  // their bytes: the word key, then the article number.
  void Add(const std::uint8_t* r) {
    if (!haveQ_ || std::memcmp(r, q_, kWordKeySize) != 0) {
      if (pending_) FinishWord();
      const OccurrenceRecord first = OccurrenceRecord::Parse(r);
      pending_ = true;
      word_ = IndexWordRecord{};
      word_.key = first.key;
      word_.lineFlag = first.lineFlag;
      word_.firstHit = h_;
      word_.subDict = first.subDict;
      l_ = 0;
    } else if (std::memcmp(r + kArticleOffset, q_ + kArticleOffset, 4) != 0) {
      // A new article. The first-line and later-line occurrences of one
      // article stay one run when nothing sorts between them.
      WritePosition();
      WriteRun();
      ++word_.hitCount;
      l_ = 0;
    } else {
      WritePosition();
    }
    ++l_;
    std::memcpy(q_, r, OccurrenceRecord::kSize);
    haveQ_ = true;
  }

  void Close() {
    if (pending_) FinishWord();
    pending_ = false;
    words_.Close();
    hits_.Close();
    positions_.Close();
  }

 private:
  // The records are built from Q's stored bytes: the article number and
  // the position are big-endian there, little-endian in the index files.
  static std::uint32_t BigEndian32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
  }
  void WritePosition() {
    std::uint8_t buf[PositionRecord::kSize];
    buf[0] = q_[kLineFlagOffset];
    PutU32(buf + 1, BigEndian32(q_ + kPositionOffset));
    buf[5] = q_[kLengthOffset];  // the low byte of the length
    positions_.Write(buf);
    ++p_;
  }
  void WriteRun() {
    std::uint8_t buf[ArticleHitRecord::kSize];
    PutU32(buf, BigEndian32(q_ + kArticleOffset));
    PutU32(buf + 4, p_ - l_);
    PutU16(buf + 8, static_cast<std::uint16_t>(l_));
    buf[10] = q_[kSubDictOffset];
    hits_.Write(buf);
    ++h_;
  }
  void FinishWord() {
    WritePosition();
    WriteRun();
    ++word_.hitCount;
    std::uint8_t buf[IndexWordRecord::kSize];
    word_.Serialize(buf);
    words_.Write(buf);
  }

  // Offsets of the fields of a stored OccurrenceRecord.
  static constexpr std::size_t kLineFlagOffset = 64, kArticleOffset = 67, kSubDictOffset = 71, kPositionOffset = 72,
                               kLengthOffset = 76;
  BlockFile words_, hits_, positions_;
  std::uint8_t q_[OccurrenceRecord::kSize] = {};
  bool haveQ_ = false;
  bool pending_ = false;
  IndexWordRecord word_;
  std::uint32_t h_ = 0, p_ = 0, l_ = 0;
};

// Reads the words of one reader into occurrence records, appending them to
// the shared ".TMP" file a batch at a time. The order of the records in
// that file does not matter: the sort orders them by their whole bytes.
class OccurrenceWriter {
 public:
  OccurrenceWriter(BlockFile& out, std::mutex& lock, IndexingProgress& progress)
      : out_(out), lock_(lock), progress_(progress) {
    batch_.resize(kBatch * OccurrenceRecord::kSize);
  }

  // fromStart: the reader starts at the job's first article; otherwise its
  // first article counts as one step of progress.
  std::uint64_t Drain(IndexingInternalRecord& job, IndexWordSource& source, bool fromStart) {
    SourceWord w;
    OccurrenceRecord r;
    std::uint32_t lastArticle = job.currentArticle;
    bool counted = fromStart;
    while (source.NextIndexWord(job, w)) {
      ++count_;
      if (job.currentArticle != lastArticle) {
        progress_.indexProgress += counted ? job.currentArticle - lastArticle : 1;
        counted = true;
        lastArticle = job.currentArticle;
      }
      r.key = MakeWordKey(w.word.word);
      r.lineFlag = w.word.lineFlag;
      r.article = w.article;
      r.subDict = w.subDict;
      r.position = w.word.position;
      r.length = static_cast<std::uint16_t>(w.word.length);
      r.Serialize(batch_.data() + used_ * OccurrenceRecord::kSize);
      if (++used_ == kBatch) Flush();
    }
    Flush();
    return count_;
  }

 private:
  void Flush() {
    if (used_ == 0) return;
    std::lock_guard<std::mutex> guard(lock_);
    out_.WriteRecords(batch_.data(), used_);
    used_ = 0;
  }
  static constexpr std::size_t kBatch = 65535 / OccurrenceRecord::kSize;
  BlockFile& out_;
  std::mutex& lock_;
  IndexingProgress& progress_;
  std::vector<std::uint8_t> batch_;
  std::size_t used_ = 0;
  std::uint64_t count_ = 0;
};

// Pass 1: every word occurrence of the job into the ".TMP" file, read by two
// threads when the source can split the job. Returns the record count.
std::uint64_t WriteOccurrences(IndexingInternalRecord& job, IndexWordSource& source, const fs::path& tmp,
                               IndexingProgress& progress) {
  BlockFile out(OccurrenceRecord::kSize);
  out.Assign(tmp);
  out.Rewrite();
  std::mutex lock;
  std::uint64_t count = 0;
  IndexingInternalRecord secondJob = job;
  std::unique_ptr<IndexWordSource> second = source.SplitJob(job);
  if (!second) {
    count = OccurrenceWriter(out, lock, progress).Drain(job, source, true);
  } else {
    std::exception_ptr failure;
    std::uint64_t secondCount = 0;
    std::thread helper([&] {
      try {
        secondCount = OccurrenceWriter(out, lock, progress).Drain(secondJob, *second, false);
      } catch (...) {
        failure = std::current_exception();
      }
    });
    try {
      count = OccurrenceWriter(out, lock, progress).Drain(job, source, true);
    } catch (...) {
      helper.join();
      throw;
    }
    helper.join();
    if (failure) std::rethrow_exception(failure);
    count += secondCount;
    source.JoinJob(*second);
    job.currentArticle = secondJob.currentArticle;
  }
  out.Close();
  return count;
}

}  // namespace

BuildResult BuildIndex(IndexingInternalRecord& job, IndexWordSource& source, IndexingProgress& progress) {
  progress.sortPhase = false;
  progress.indexProgress = 0;
  const std::uint32_t articles = source.StartIndexJob(job);
  const std::uint64_t maxProgress = 3ull * articles;
  progress.indexProgressMax = static_cast<std::uint32_t>(maxProgress > 0xFFFFFFFFu ? 0xFFFFFFFFu : maxProgress);
  const std::uint32_t t = progress.indexProgressMax / 3;

  const fs::path tmp = WithIndexExtension(job.fileName, ".TMP");
  const fs::path tib = job.fileName;
  const fs::path id2 = WithIndexExtension(job.fileName, ".ID2");
  const fs::path id3 = WithIndexExtension(job.fileName, ".ID3");
  // The temporary files of a failed job are of no further use.
  auto failed = [&] {
    for (const fs::path& f : {PartName(tib), PartName(id2), PartName(id3), tmp}) RemoveQuietly(f);
    progress.sortPhase = false;
  };
  try {
    // Pass 1.
    const std::uint64_t count = WriteOccurrences(job, source, tmp, progress);
    progress.indexProgress = t;
    progress.sortPhase = true;
    const bool sorted = SortFile(tmp, false, OccurrenceRecord::kSize, OccurrenceRecord::kSize);
    progress.sortPhase = false;
    if (!sorted) return BuildResult::DiskFull;
    progress.indexProgress = 2 * t;

    // Pass 2, into temporary names.
    {
      IndexWriter writer(PartName(tib), PartName(id2), PartName(id3));
      BlockFile in(OccurrenceRecord::kSize);
      in.Assign(tmp);
      in.Reset(true);  // deleted after this pass: its pages go to the index files
      std::uint64_t i = 0;
      while (const std::uint8_t* record = in.Next()) {
        // The window reads the progress once a second; every 4096th record
        // and the last are enough.
        if ((++i & 4095) == 0 || i == count) progress.indexProgress = 2 * t + MulDivRounded(i, t, count);
        writer.Add(record);
      }
      in.Close();
      writer.Close();
    }
    for (const fs::path& f : {tib, id2, id3}) {
      RemoveQuietly(f);
      MoveFileStrict(PartName(f), f);
    }
    DeleteFileStrict(tmp);
    progress.indexProgress = progress.indexProgressMax.load();
    return BuildResult::Done;
  } catch (const DiskFullError&) {
    failed();
    return BuildResult::DiskFull;
  } catch (...) {
    failed();
    throw;
  }
}

std::vector<IndexingInternalRecord> CheckIndexFiles(const fs::path& dir, const DictGroupRecord& record,
                                                    const LoadedGroup& group) {
  std::vector<IndexingInternalRecord> jobs;
  for (const auto& header : group.headers) {
    const fs::path tib = IndexFileName(dir, record.BaseName(), header.Number());
    std::error_code ec;
    const bool complete = fs::exists(tib, ec) && fs::exists(WithIndexExtension(tib, ".ID2"), ec) &&
                          fs::exists(WithIndexExtension(tib, ".ID3"), ec);
    if (complete) continue;
    IndexingInternalRecord job;
    job.fileName = tib;
    job.group = group.groupNumber;
    job.subDict = header.Number();
    jobs.push_back(job);
  }
  return jobs;
}

}  // namespace lexmora
