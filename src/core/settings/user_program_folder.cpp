#include "user_program_folder.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <system_error>

namespace lexmora {
namespace fs = std::filesystem;
namespace {

// Paths relative to the program folder.
constexpr std::array<std::string_view, 3> kWritableFolders = {"DICT/INDEX", "NOTEPADS", "DICT"};
constexpr std::string_view kGroupTable = "groups.dgi";

bool IsWritableFolder(const fs::path& relative) {
  const std::string generic = relative.generic_string();
  return std::find(kWritableFolders.begin(), kWritableFolders.end(), generic) != kWritableFolders.end();
}

// Whether the writable folder holds this entry: its files are the user's.
bool InsideCopiedFolder(const fs::path& relative) {
  const std::string parent = relative.parent_path().generic_string();
  return parent == "DICT/INDEX" || parent == "NOTEPADS";
}

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::symlink_status(p, ec).type() != fs::file_type::not_found && !ec;
}

// A link of the user's folder to an entry of the installed one that is gone.
void RemoveDeadLink(const fs::path& entry, const fs::path& installed) {
  std::error_code ec;
  if (!fs::is_symlink(entry, ec)) return;
  const fs::path target = fs::read_symlink(entry, ec);
  if (ec || Exists(target)) return;
  const std::string base = installed.lexically_normal().generic_string() + "/";
  if (target.lexically_normal().generic_string().rfind(base, 0) == 0) fs::remove(entry, ec);
}

bool Mirror(const fs::path& installed, const fs::path& user, const fs::path& relative) {
  bool ok = true;
  std::error_code ec;
  fs::create_directories(user / relative, ec);
  if (ec) return false;
  for (fs::directory_iterator it(installed / relative, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path name = relative / it->path().filename();
    const fs::path target = user / name;
    std::error_code kindError;
    const bool folder = it->is_directory(kindError);
    if (folder && IsWritableFolder(name)) {
      ok = Mirror(installed, user, name) && ok;
      continue;
    }
    if (Exists(target)) continue;
    std::error_code made;
    if (name.generic_string() == kGroupTable || InsideCopiedFolder(name)) {
      if (!folder) fs::copy_file(it->path(), target, made);
    } else {
      fs::create_symlink(it->path(), target, made);
    }
    if (made) ok = false;
  }
  if (ec) return false;
  // Links whose installed entry has gone (an update removed it).
  for (fs::directory_iterator it(user / relative, ec), end; !ec && it != end; it.increment(ec))
    RemoveDeadLink(it->path(), installed);
  // The program writes into these even when the installed folder lacks them.
  if (relative.empty()) {
    for (std::string_view folderName : kWritableFolders) {
      fs::create_directories(user / fs::path(folderName), ec);
      if (ec) ok = false;
    }
  }
  return ok;
}

}  // namespace

bool PrepareUserProgramFolder(const fs::path& installed, const fs::path& user) {
  std::error_code ec;
  if (!fs::is_directory(installed, ec)) return false;
  return Mirror(fs::absolute(installed), user, fs::path());
}

}  // namespace lexmora
