// User list file reader: arbitrary bytes as a ".npl" image, parsed and, when
// it parses, applied to the marks of a small fixed group (and to mark arrays
// shorter and longer than the group); then the marks are written back and
// read again.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "dictionary/byte_io.h"
#include "fuzz_support.h"
#include "lists/notepad_file.h"

using namespace lexmora;
using namespace lexmora::fuzz;

namespace {

const LoadedGroup& Group() {
  static const LoadedGroup group = ListFileGroup(ProgramFolder());
  return group;
}

// Marks that differ from word to word, so that a word the file does not
// reach shows whether it kept its mark.
NotepadARRAY Pattern(std::size_t n) {
  NotepadARRAY marks(n);
  for (std::size_t i = 0; i < n; ++i) marks[i] = static_cast<std::uint8_t>(i * 37 + 5);
  return marks;
}

// Applies the file to marks and checks every word against the rule: word i
// of sub-dictionary s takes byte k = counter_s of the section while k is
// below the declared length (zero beyond the bytes held), else keeps its
// mark; the array keeps its size.
void ApplyAndCheck(const NotepadFile& file, const LoadedGroup& group, NotepadARRAY& marks) {
  const NotepadARRAY before = marks;
  ApplyNotepadFile(file, group, marks);
  LEXMORA_FUZZ_CHECK(marks.size() == before.size());
  std::uint32_t counter[256] = {};
  for (std::size_t i = 0; i < marks.size(); ++i) {
    if (i >= group.entries.size()) {
      LEXMORA_FUZZ_CHECK(marks[i] == before[i]);
      continue;
    }
    const auto s = static_cast<std::size_t>(group.entries[i].SubDict());
    const std::uint32_t k = counter[s]++;
    const std::string& held = file.sections[s];
    std::uint8_t expected = before[i];
    if (k < file.lengths[s]) expected = k < held.size() ? static_cast<std::uint8_t>(held[k]) : 0;
    LEXMORA_FUZZ_CHECK(marks[i] == expected);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const LoadedGroup& group = Group();
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const std::optional<NotepadFile> file = ParseNotepadFile(image);
  if (size < kListFileHeadSize) {
    LEXMORA_FUZZ_CHECK(!file);
    return 0;
  }
  LEXMORA_FUZZ_CHECK(file);

  // The head is read as it stands; each section is the part of its range
  // that the image holds, the ranges back to back after the head.
  LEXMORA_FUZZ_CHECK(file->group == data[16]);
  std::uint64_t offset = kListFileHeadSize;
  std::uint64_t held = 0;
  for (std::size_t n = 0; n < 256; ++n) {
    const std::uint32_t length = GetU32(data + 17 + 4 * n);
    LEXMORA_FUZZ_CHECK(file->lengths[n] == length);
    const std::string& section = file->sections[n];
    LEXMORA_FUZZ_CHECK(section.size() <= length);
    const std::uint64_t start = offset < size ? offset : size;
    const std::uint64_t available = size - start;
    LEXMORA_FUZZ_CHECK(section.size() == (length < available ? length : available));
    LEXMORA_FUZZ_CHECK(section == image.substr(static_cast<std::size_t>(start), section.size()));
    held += section.size();
    offset += length;
  }
  // Nothing beyond what the input holds: a length cannot make the reader
  // allocate more than the file.
  LEXMORA_FUZZ_CHECK(held <= size - kListFileHeadSize);

  NotepadARRAY marks = Pattern(group.entries.size());
  ApplyAndCheck(*file, group, marks);
  LEXMORA_FUZZ_CHECK(marks.size() == group.entries.size());
  // Applying the same file again changes nothing more.
  const NotepadARRAY once = marks;
  ApplyNotepadFile(*file, group, marks);
  LEXMORA_FUZZ_CHECK(marks == once);

  // Arrays that do not match the group: only the common words change.
  NotepadARRAY shorter = Pattern(group.entries.size() / 3);
  ApplyAndCheck(*file, group, shorter);
  NotepadARRAY longer = Pattern(group.entries.size() + 7);
  ApplyAndCheck(*file, group, longer);
  NotepadARRAY none;
  ApplyNotepadFile(*file, group, none);
  LEXMORA_FUZZ_CHECK(none.empty());

  // What was applied is written and read back unchanged.
  const std::string written = NotepadFileImage(group, marks);
  std::size_t sections = 0;
  for (const auto& r : group.reindex) sections += r.size();
  LEXMORA_FUZZ_CHECK(written.size() == kListFileHeadSize + sections);
  const std::optional<NotepadFile> again = ParseNotepadFile(written);
  LEXMORA_FUZZ_CHECK(again && again->group == group.groupNumber);
  NotepadARRAY back(group.entries.size(), 0);
  ApplyNotepadFile(*again, group, back);
  LEXMORA_FUZZ_CHECK(back == marks);
  return 0;
}
