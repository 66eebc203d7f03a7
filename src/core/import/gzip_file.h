// Dictionary files that may come gzip-compressed (".dz" dictzip files are
// gzip too): their bytes as the reader wants them.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace lexmora {

// Inflated size beyond which a file is taken for damaged (or a bomb).
inline constexpr std::size_t kMaxInflatedSize = std::size_t{2} << 30;

// The whole file, inflated when it is gzip (members one after another), else
// its bytes as they are. Throws ImportError naming the file and the byte where
// the compressed data went wrong.
std::string ReadMaybeGzipped(const std::filesystem::path& file);

// The same for a file image already read; fileName is for messages.
std::string InflateMaybeGzipped(std::string bytes, std::string_view fileName, std::size_t limit = kMaxInflatedSize);

// At most the first limit bytes of what ReadMaybeGzipped would give, reading
// little of the file: for a look at its header. Damage past what it needed
// goes unnoticed; a file that cannot be read throws ImportError.
std::string ReadMaybeGzippedHead(const std::filesystem::path& file, std::size_t limit);

}  // namespace lexmora
