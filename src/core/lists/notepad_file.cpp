#include "lists/notepad_file.h"

#include <algorithm>
#include <system_error>

#include "dictionary/byte_io.h"
#include "dictionary/file_io.h"
#include "io/file_system.h"

namespace lexmora {

namespace {
constexpr std::size_t kLengthsOffset = 17;
}

std::string NotepadFileImage(const LoadedGroup& group, const NotepadARRAY& marks) {
  std::string head(kListFileHeadSize, '\0');
  head[0] = static_cast<char>(kListFileSignature.size());
  head.replace(1, kListFileSignature.size(), kListFileSignature);
  head[16] = static_cast<char>(group.groupNumber);
  std::array<std::string, 256> sections;
  for (std::size_t p = 0; p < group.headers.size(); ++p) {
    // The header's word count, but never more than the word index can hold:
    // a damaged header does not make a file of gigabytes.
    const int n = group.headers[p].Number();
    const auto length = static_cast<std::uint32_t>(p < group.reindex.size() ? group.reindex[p].size() : 0);
    sections[static_cast<std::size_t>(n)].assign(length, '\0');
    PutU32(reinterpret_cast<std::uint8_t*>(head.data()) + kLengthsOffset + 4 * n, length);
  }
  std::array<std::uint32_t, 256> counter{};
  for (std::size_t i = 0; i < group.entries.size() && i < marks.size(); ++i) {
    const auto s = static_cast<std::size_t>(group.entries[i].SubDict());
    std::string& section = sections[s];
    if (counter[s] < section.size()) section[counter[s]] = static_cast<char>(marks[i]);
    ++counter[s];
  }
  std::string image = std::move(head);
  for (const std::string& section : sections) image += section;
  return image;
}

bool SaveNotepadFile(const LoadedGroup& group, const NotepadARRAY& marks, const std::filesystem::path& path) {
  std::error_code ec;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
  return WriteFileAtomically(path, NotepadFileImage(group, marks));
}

std::optional<NotepadFile> ParseNotepadFile(std::string_view image) {
  if (image.size() < kListFileHeadSize) return std::nullopt;
  NotepadFile file;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(image.data());
  file.group = bytes[16];
  std::uint64_t offset = kListFileHeadSize;
  for (std::size_t n = 0; n < 256; ++n) {
    const std::uint32_t length = GetU32(bytes + kLengthsOffset + 4 * n);
    file.lengths[n] = length;
    if (length == 0) continue;
    if (offset < image.size()) {
      const std::uint64_t held = std::min<std::uint64_t>(length, image.size() - offset);
      file.sections[n].assign(image.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(held)));
    }
    offset += length;
  }
  return file;
}

std::optional<NotepadFile> ReadNotepadFile(const std::filesystem::path& path) {
  // The whole file is at most what it holds on disk; sections are cut to it.
  auto image = ReadWholeFile(path);
  if (!image) return std::nullopt;
  return ParseNotepadFile(*image);
}

void ApplyNotepadFile(const NotepadFile& file, const LoadedGroup& group, NotepadARRAY& marks) {
  std::array<std::uint32_t, 256> counter{};
  for (std::size_t i = 0; i < group.entries.size() && i < marks.size(); ++i) {
    const auto s = static_cast<std::size_t>(group.entries[i].SubDict());
    const std::uint32_t k = counter[s]++;
    if (k >= file.lengths[s]) continue;
    const std::string& held = file.sections[s];
    marks[i] = k < held.size() ? static_cast<std::uint8_t>(held[k]) : 0;
  }
}

}  // namespace lexmora
