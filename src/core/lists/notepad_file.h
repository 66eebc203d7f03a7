// User list files (".npl"): a 1041-byte head (length byte 13, the signature
// "VORNKELDANTPD", two reserved bytes, the group number, 256 section
// lengths as 32-bit little-endian integers), then one section of mark bytes
// per sub-dictionary, in ascending sub-dictionary number. Byte k of section
// n is the mark of the k-th word of sub-dictionary n in word-list order.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "dictionary/loaded_group.h"

namespace lexmora {

inline constexpr std::size_t kListFileHeadSize = 1041;
inline constexpr std::string_view kListFileSignature = "VORNKELDANTPD";

// A list file as read: its group and, per sub-dictionary, the declared
// section length and the bytes the file really holds of it (a section cut
// short by the end of the file reads as zeros beyond them).
struct NotepadFile {
  int group = 0;
  std::array<std::uint32_t, 256> lengths{};
  std::array<std::string, 256> sections;
};

// The whole file image of a group's marks: every sub-dictionary loaded for
// the group gets a section as long as its word count (a switched-off one
// all zeros; a count beyond the records of the word index is cut to them).
std::string NotepadFileImage(const LoadedGroup& group, const NotepadARRAY& marks);

// Writes the image through a temporary file renamed over the old one; makes
// the folder when it is missing. False when it could not be written; the old
// file is then untouched.
bool SaveNotepadFile(const LoadedGroup& group, const NotepadARRAY& marks, const std::filesystem::path& path);

// Reads a list file; nullopt when it is missing or shorter than its head.
// Keeps only what the file holds, whatever its lengths claim.
std::optional<NotepadFile> ReadNotepadFile(const std::filesystem::path& path);
// The same over a file image in memory.
std::optional<NotepadFile> ParseNotepadFile(std::string_view image);

// Puts a file's marks on the words of a group: word i of sub-dictionary s
// takes byte counter_s of section s while counter_s is below the section's
// length; the other words keep their marks.
void ApplyNotepadFile(const NotepadFile& file, const LoadedGroup& group, NotepadARRAY& marks);

}  // namespace lexmora
