#include "dictionary/file_io.h"

#include <cstdio>
#include <system_error>

namespace lexmora {

namespace fs = std::filesystem;

std::optional<std::uint64_t> FileSize(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  auto size = fs::file_size(path, ec);
  if (ec) return std::nullopt;
  return size;
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
  auto size = FileSize(path);
  if (!size) return std::nullopt;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string data(static_cast<std::size_t>(*size), '\0');
  std::size_t got = data.empty() ? 0 : std::fread(data.data(), 1, data.size(), f);
  std::fclose(f);
  data.resize(got);
  return data;
}

bool ReadFileRange(const fs::path& path, std::uint64_t offset, std::size_t size, void* out) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bool ok = std::fseek(f, static_cast<long>(offset), SEEK_SET) == 0 &&
            (size == 0 || std::fread(out, 1, size, f) == size);
  std::fclose(f);
  return ok;
}

bool WriteFileAtomically(const fs::path& path, std::string_view data) {
  fs::path temp = path;
  temp += ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return false;
  bool ok = (data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size());
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  std::error_code ec;
  if (ok) fs::rename(temp, path, ec);
  if (!ok || ec) {
    fs::remove(temp, ec);
    return false;
  }
  return true;
}

}  // namespace lexmora
