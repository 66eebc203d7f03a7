#include "fulltext/block_file.h"

#include <cstring>
#include <stdexcept>

namespace lexmora {

BlockFile::BlockFile(std::size_t recordSize) : recordSize_(recordSize) {
  if (recordSize == 0 || recordSize > 65535) throw std::invalid_argument("record size out of range");
  capacity_ = 65535 / recordSize;
  buffer_.resize(capacity_ * recordSize);
}

void BlockFile::Rewrite() {
  writer_ = std::make_unique<WriteBehindFile>(path_, buffer_.size());
  writing_ = true;
  used_ = next_ = 0;
}

void BlockFile::Reset(bool releaseRead) {
  file_.Open(path_, releaseRead ? RawFile::Mode::ReadAndRelease : RawFile::Mode::Read);
  writing_ = false;
  used_ = next_ = 0;
}

void BlockFile::Write(const void* record) { writer_->Write(record, recordSize_); }

void BlockFile::WriteRecords(const void* records, std::size_t count) { writer_->Write(records, count * recordSize_); }

void BlockFile::Fill() {
  // Keep a partial record read at the end of the last fill.
  std::size_t keep = used_ - next_;
  std::memmove(buffer_.data(), buffer_.data() + next_, keep);
  used_ = keep + file_.ReadSome(buffer_.data() + keep, buffer_.size() - keep);
  file_.ReleaseRead();
  next_ = 0;
}

bool BlockFile::Eof() {
  if (used_ - next_ >= recordSize_) return false;
  Fill();
  return used_ - next_ < recordSize_;
}

bool BlockFile::Read(void* record) {
  const std::uint8_t* p = Next();
  if (p == nullptr) return false;
  std::memcpy(record, p, recordSize_);
  return true;
}

const std::uint8_t* BlockFile::Next() {
  if (Eof()) return nullptr;
  const std::uint8_t* p = buffer_.data() + next_;
  next_ += recordSize_;
  return p;
}

void BlockFile::Close() {
  if (writer_) {
    auto writer = std::move(writer_);
    writer->Finish();
  }
  used_ = next_ = 0;
  if (file_.IsOpen()) file_.Close();
}

}  // namespace lexmora
