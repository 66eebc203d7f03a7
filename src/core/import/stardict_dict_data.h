// The article data of a StarDict dictionary (its .dict), read at the offsets
// and sizes its .idx gives: from memory, from an uncompressed file, or from a
// dictzip file (dictzip_file.h).
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace lexmora {

namespace io {
class File;
}

class DictData {
 public:
  virtual ~DictData() = default;
  // The uncompressed size.
  virtual std::uint64_t Size() const = 0;
  // The bytes [offset, offset + size), which the caller has checked lie
  // within Size(); the view lasts until the next call. Throws ImportError.
  virtual std::string_view Read(std::uint64_t offset, std::uint32_t size) = 0;
};

// Data held in memory: its own copy, or a view of the caller's.
class MemoryDictData final : public DictData {
 public:
  explicit MemoryDictData(std::string data) : owned_(std::move(data)), data_(owned_) {}
  explicit MemoryDictData(std::string_view view) : data_(view) {}

  std::uint64_t Size() const override { return data_.size(); }
  std::string_view Read(std::uint64_t offset, std::uint32_t size) override;

 private:
  std::string owned_;
  std::string_view data_;
};

// An uncompressed .dict file, read an entry at a time so that a large file
// never has to fit in memory.
class FileDictData final : public DictData {
 public:
  // Throws ImportError naming the file when it cannot be opened.
  explicit FileDictData(const std::filesystem::path& path);
  ~FileDictData() override;

  std::uint64_t Size() const override { return size_; }
  std::string_view Read(std::uint64_t offset, std::uint32_t size) override;

 private:
  std::string name_;
  std::unique_ptr<io::File> file_;
  std::uint64_t size_ = 0;
  std::string buffer_;
};

}  // namespace lexmora
