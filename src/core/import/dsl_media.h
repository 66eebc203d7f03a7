// The media files of a DSL dictionary: beside "x.dsl" (or "x.dsl.dz") the
// archive "x.dsl.files.zip" or the folder "x.dsl.files", file names matched
// whatever their case.
#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

typedef struct zip zip_t;

namespace lexmora {

// Larger media files are left out: sounds are a few hundred kilobytes.
inline constexpr std::size_t kMaxDslMediaFile = std::size_t{64} << 20;

class DslMedia {
 public:
  // Looks for the archive and the folder at the first Read.
  explicit DslMedia(const std::filesystem::path& dslFile);
  // An archive image already in memory; archiveName is for messages.
  DslMedia(std::string zipImage, std::string archiveName);
  ~DslMedia();
  DslMedia(const DslMedia&) = delete;
  DslMedia& operator=(const DslMedia&) = delete;

  // The bytes of the file of that name (UTF-8; a path in it matches by its
  // last part too); nullopt when there is none or it is too large. A damaged
  // archive throws ImportError naming it and the file.
  std::optional<std::string> Read(std::string_view name);

 private:
  void Open();
  void OpenArchive(const std::filesystem::path& path);
  void IndexArchive();
  std::optional<std::string> ReadMember(std::uint64_t index, std::string_view name);

  std::filesystem::path dslFile_;
  bool opened_ = false;
  zip_t* zip_ = nullptr;
  std::string zipImage_;      // the archive in memory, when given so
  std::string archiveName_;   // for messages
  std::uint64_t archiveSize_ = 0;
  std::map<std::string, std::uint64_t> members_;  // folded name (and last part) -> index
  std::map<std::string, std::filesystem::path> folderFiles_;  // folded name -> file
};

// What a card's media name is known by: its last part, case folded. Names
// with the same key find the same file.
std::string DslMediaKey(std::string_view name);

// True for a WAV ("RIFF....WAVE") or Ogg ("OggS") file image.
bool IsWavOrOgg(std::string_view image);

}  // namespace lexmora
