#include "import/gzip_file.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

#include "dictionary/file_io.h"
#include "import/imported_dictionary.h"

namespace lexmora {
namespace {

bool IsGzip(std::string_view bytes) { return bytes.size() >= 2 && bytes[0] == '\x1F' && bytes[1] == '\x8B'; }

[[noreturn]] void Fail(std::string_view fileName, std::string_view what) {
  throw ImportError(std::string(fileName) + ": " + std::string(what));
}

// Inflates the gzip members of in one after another (bytes after the last
// member that start no other are ignored, as gzip does). A head read stops
// quietly at limit and at the end of the input; a whole read throws there.
std::string Inflate(std::string_view in, std::string_view fileName, std::size_t limit, bool head) {
  z_stream zs{};
  if (inflateInit2(&zs, 16 + MAX_WBITS) != Z_OK) Fail(fileName, "zlib cannot start");
  struct Ender {
    z_stream& zs;
    ~Ender() { inflateEnd(&zs); }
  } ender{zs};

  // Grown as the output comes rather than from the sizes the file declares.
  std::string out(std::min(std::max<std::size_t>(in.size() * 2, 4096), limit), '\0');
  std::size_t produced = 0;
  std::size_t fed = 0;  // input bytes handed to zlib so far
  const auto consumed = [&] { return fed - zs.avail_in; };
  for (;;) {
    if (zs.avail_in == 0 && fed < in.size()) {
      const std::size_t n = std::min<std::size_t>(in.size() - fed, UINT_MAX);
      zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data() + fed));
      zs.avail_in = static_cast<uInt>(n);
      fed += n;
    }
    if (produced == out.size()) {
      if (out.size() >= limit) {
        if (head) break;
        Fail(fileName, "inflates to more than " + std::to_string(limit >> 20) + " MB");
      }
      out.resize(std::min(out.size() * 2, limit));
    }
    const std::size_t room = std::min<std::size_t>(out.size() - produced, UINT_MAX);
    zs.next_out = reinterpret_cast<Bytef*>(out.data() + produced);
    zs.avail_out = static_cast<uInt>(room);
    const int rc = inflate(&zs, Z_NO_FLUSH);
    produced += room - zs.avail_out;
    if (rc == Z_STREAM_END) {
      const std::string_view rest = in.substr(consumed());
      if (!IsGzip(rest)) break;
      inflateReset(&zs);
    } else if (rc == Z_BUF_ERROR && zs.avail_in == 0 && fed == in.size()) {
      if (head) break;
      Fail(fileName, "gzip data ends early at byte " + std::to_string(in.size()));
    } else if (rc != Z_OK && rc != Z_BUF_ERROR) {
      Fail(fileName,
           "gzip data damaged at byte " + std::to_string(consumed()) + (zs.msg ? ": " + std::string(zs.msg) : ""));
    }
  }
  out.resize(produced);
  return out;
}

}  // namespace

std::string InflateMaybeGzipped(std::string bytes, std::string_view fileName, std::size_t limit) {
  if (!IsGzip(bytes)) return bytes;
  return Inflate(bytes, fileName, limit, false);
}

std::string ReadMaybeGzipped(const std::filesystem::path& file) {
  const std::string name = file.filename().string();
  std::optional<std::string> bytes = ReadWholeFile(file);
  if (!bytes) Fail(name, "cannot be read");
  return InflateMaybeGzipped(std::move(*bytes), name);
}

std::string ReadMaybeGzippedHead(const std::filesystem::path& file, std::size_t limit) {
  const std::string name = file.filename().string();
  const std::optional<std::uint64_t> size = FileSize(file);
  if (!size) Fail(name, "cannot be read");
  // Deflate data inflates to about its own size at least, so the first limit
  // bytes of the file are enough for limit bytes of text.
  std::string bytes(static_cast<std::size_t>(std::min<std::uint64_t>(*size, limit)), '\0');
  if (!ReadFileRange(file, 0, bytes.size(), bytes.data())) Fail(name, "cannot be read");
  if (!IsGzip(bytes)) return bytes;
  return Inflate(bytes, name, limit, true);
}

}  // namespace lexmora
