#include "import/dsl_media.h"

#include <unicode/unistr.h>
#include <zip.h>

#include <algorithm>

#include "dictionary/file_io.h"
#include "import/imported_dictionary.h"

namespace lexmora {
namespace fs = std::filesystem;
namespace {

// Names as the lookups compare them: case folded, '\' as '/'.
std::string Fold(std::string_view name) {
  std::string folded;
  icu::UnicodeString::fromUTF8(icu::StringPiece(name.data(), static_cast<int32_t>(name.size())))
      .foldCase()
      .toUTF8String(folded);
  std::replace(folded.begin(), folded.end(), '\\', '/');
  return folded;
}

std::string_view BaseName(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? name : name.substr(slash + 1);
}

// "x.dsl" and "x.dsl.dz" both have their media under "x.dsl".
std::vector<fs::path> Beside(const fs::path& dslFile, std::string_view suffix) {
  std::vector<fs::path> paths{dslFile.string() + std::string(suffix)};
  if (dslFile.extension() == ".dz")
    paths.push_back(dslFile.parent_path() / (dslFile.stem().string() + std::string(suffix)));
  return paths;
}

}  // namespace

DslMedia::DslMedia(const fs::path& dslFile) : dslFile_(dslFile) {}

DslMedia::DslMedia(std::string zipImage, std::string archiveName)
    : opened_(true), zipImage_(std::move(zipImage)), archiveName_(std::move(archiveName)) {
  archiveSize_ = zipImage_.size();
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zipImage_.data(), zipImage_.size(), 0, &error);
  if (source) {
    zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!zip_) zip_source_free(source);
  }
  const std::string why = zip_error_strerror(&error);
  zip_error_fini(&error);
  if (!zip_) throw ImportError(archiveName_ + ": not a zip archive (" + why + ")");
  IndexArchive();
}

DslMedia::~DslMedia() {
  if (zip_) zip_discard(zip_);
}

void DslMedia::Open() {
  opened_ = true;
  std::error_code ec;
  for (const fs::path& path : Beside(dslFile_, ".files.zip")) {
    if (fs::is_regular_file(path, ec)) {
      OpenArchive(path);
      break;
    }
  }
  for (const fs::path& folder : Beside(dslFile_, ".files")) {
    if (!fs::is_directory(folder, ec)) continue;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
      if (it->is_regular_file(ec)) folderFiles_.emplace(Fold(it->path().filename().string()), it->path());
  }
}

void DslMedia::OpenArchive(const fs::path& path) {
  archiveName_ = path.filename().string();
  archiveSize_ = FileSize(path).value_or(0);
  int code = 0;
  zip_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (!zip_) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const std::string why = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw ImportError(archiveName_ + ": not a zip archive (" + why + ")");
  }
  IndexArchive();
}

void DslMedia::IndexArchive() {
  const zip_int64_t count = zip_get_num_entries(zip_, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(zip_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    if (!name) continue;
    const std::string folded = Fold(name);
    members_.emplace(folded, static_cast<std::uint64_t>(i));  // the first of a name wins
    members_.emplace(std::string(BaseName(folded)), static_cast<std::uint64_t>(i));
  }
}

std::optional<std::string> DslMedia::ReadMember(std::uint64_t index, std::string_view name) {
  const auto fail = [&](const std::string& why) -> ImportError {
    return ImportError(archiveName_ + ": " + std::string(name) + ": " + why);
  };
  zip_stat_t st;
  if (zip_stat_index(zip_, index, 0, &st) != 0) throw fail(zip_strerror(zip_));
  if ((st.valid & ZIP_STAT_SIZE) && st.size > kMaxDslMediaFile) return std::nullopt;
  zip_file_t* file = zip_fopen_index(zip_, index, 0);
  if (!file) throw fail(zip_strerror(zip_));
  struct Closer {
    zip_file_t* f;
    ~Closer() { zip_fclose(f); }
  } closer{file};
  // The declared size only hints: the data read decides what is allocated.
  std::string data;
  const std::uint64_t declared = (st.valid & ZIP_STAT_SIZE) ? st.size : 0;
  data.reserve(static_cast<std::size_t>(std::min(declared, archiveSize_)));
  char chunk[65536];
  for (;;) {
    const zip_int64_t got = zip_fread(file, chunk, sizeof chunk);
    if (got < 0) throw fail(zip_file_strerror(file));
    if (got == 0) break;
    if (data.size() + static_cast<std::size_t>(got) > kMaxDslMediaFile) return std::nullopt;
    data.append(chunk, static_cast<std::size_t>(got));
  }
  return data;
}

std::optional<std::string> DslMedia::Read(std::string_view name) {
  if (!opened_) Open();
  const std::string folded = Fold(name);
  for (const std::string_view key : {std::string_view(folded), BaseName(folded)}) {
    if (zip_) {
      const auto it = members_.find(std::string(key));
      if (it != members_.end()) return ReadMember(it->second, name);
    }
    const auto file = folderFiles_.find(std::string(key));
    if (file != folderFiles_.end()) {
      const std::optional<std::uint64_t> size = FileSize(file->second);
      if (!size || *size > kMaxDslMediaFile) return std::nullopt;
      return ReadWholeFile(file->second);
    }
  }
  return std::nullopt;
}

std::string DslMediaKey(std::string_view name) { return std::string(BaseName(Fold(name))); }

bool IsWavOrOgg(std::string_view image) {
  return (image.size() >= 12 && image.substr(0, 4) == "RIFF" && image.substr(8, 4) == "WAVE") ||
         image.substr(0, 4) == "OggS";
}

}  // namespace lexmora
