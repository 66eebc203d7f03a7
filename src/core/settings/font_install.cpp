#include "settings/font_install.h"

#include <unicode/uchar.h>
#include <unicode/ustring.h>

#include "dictionary/file_io.h"
#include "settings/archive_time.h"
#include "settings/font_archive.h"
#include "text/code_page.h"

namespace lexmora {
namespace {

namespace fs = std::filesystem;

std::u16string Folded(std::u16string text) {
  if (text.empty()) return text;
  std::u16string out(text.size() * 3 + 1, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t n = u_strFoldCase(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                                  reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()),
                                  U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return text;
  out.resize(static_cast<std::size_t>(n));
  return out;
}

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == '\0' || c == ':') return false;
  }
  return true;
}

std::string AsciiUpper(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

}  // namespace

bool FaceInstalled(const std::string& archiveFace, const std::vector<std::string>& installedFaces) {
  const std::u16string wanted = Folded(ToUnicode(archiveFace, 1252));
  for (const std::string& face : installedFaces) {
    if (Folded(Utf8ToUtf16(face)) == wanted) return true;
  }
  return false;
}

std::vector<fs::path> InstallFontsFromArchive(const fs::path& archive, const fs::path& fontsFolder,
                                              const std::vector<std::string>& installedFaces) {
  std::vector<fs::path> installed;
  std::error_code ec;
  if (!fs::is_regular_file(archive, ec)) return installed;
  const DynArchItemRecArray directory = ReadArchiveDirectory(archive);
  const ArchItemRec* list = FindArchItem(directory, kFontListMemberName);
  if (list == nullptr) return installed;

  bool needed = false;
  for (const std::string& face : ParseFontList(ExtractArchMember(archive, *list))) {
    // An empty record names no face.
    if (!face.empty() && !FaceInstalled(face, installedFaces)) {
      needed = true;
      break;
    }
  }
  if (!needed) return installed;

  fs::create_directories(fontsFolder, ec);
  for (const ArchItemRec& item : directory) {
    if (AsciiUpper(item.name).find(".TTF") == std::string::npos || !IsPlainFileName(item.name)) continue;
    const fs::path target = fontsFolder / item.name;
    if (fs::exists(fs::symlink_status(target, ec))) continue;
    const std::string data = ExtractArchMember(archive, item);
    if (data.empty()) continue;
    if (!WriteFileAtomically(target, data)) break;
    if (auto time = ArchiveTimeToFileTime(item.modificationTime)) fs::last_write_time(target, *time, ec);
    installed.push_back(target);
  }
  return installed;
}

}  // namespace lexmora
