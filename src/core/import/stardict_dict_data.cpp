#include "import/stardict_dict_data.h"

#include <cstring>

#include "import/imported_dictionary.h"
#include "io/file_system.h"

namespace lexmora {

std::string_view MemoryDictData::Read(std::uint64_t offset, std::uint32_t size) {
  return data_.substr(static_cast<std::size_t>(offset), size);
}

FileDictData::FileDictData(const std::filesystem::path& path) : name_(path.filename().string()) {
  int error = 0;
  file_ = io::Files().Open(path, io::OpenMode::Read, error);
  if (!file_) throw ImportError(name_ + ": cannot be opened (" + std::strerror(error) + ")");
  const io::Result size = file_->Size();
  if (!size.ok()) throw ImportError(name_ + ": cannot be read (" + std::strerror(size.error) + ")");
  size_ = size.count;
}

FileDictData::~FileDictData() = default;

std::string_view FileDictData::Read(std::uint64_t offset, std::uint32_t size) {
  buffer_.resize(size);  // within the file's size, which the caller checked
  const io::Result got = io::ReadFullyAt(*file_, offset, buffer_.data(), buffer_.size());
  if (!got.ok() || got.count != size)
    throw ImportError(
        name_ + ": byte " + std::to_string(offset) + ": cannot be read" +
        (got.ok() ? std::string(" (the file has shrunk)") : " (" + std::string(std::strerror(got.error)) + ")"));
  return buffer_;
}

}  // namespace lexmora
