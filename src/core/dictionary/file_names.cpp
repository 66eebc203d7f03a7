#include "dictionary/file_names.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace lexmora {

std::string SubDictSuffix(int number) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", number);
  return buf;
}

fs::path GroupTablePath(const fs::path& dir) { return dir / "groups.dgi"; }

fs::path WordIndexPath(const fs::path& dir, std::string_view base) {
  return dir / "DICT" / (std::string(base) + ".wif");
}

fs::path ArticleBasePath(const fs::path& dir, std::string_view base, int subDict) {
  return dir / "DICT" / (std::string(base) + SubDictSuffix(subDict) + ".wbf");
}

fs::path SoundArchivePath(std::string_view base, int subDict) {
  return fs::path("DICT") / (std::string(base) + SubDictSuffix(subDict) + ".snd");
}

fs::path TextIndexPath(const fs::path& dir, std::string_view base, int subDict,
                       std::string_view extension) {
  return dir / "DICT" / "INDEX" / (std::string(base) + SubDictSuffix(subDict) + std::string(extension));
}

fs::path UserListPath(const fs::path& dir, std::string_view base) {
  return dir / "NOTEPADS" / (std::string(base) + ".npl");
}

namespace {
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y + 32);
    if (x != y) return false;
  }
  return true;
}
}  // namespace

fs::path ResolveCaseInsensitive(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec)) return path;
  fs::path parent = path.parent_path();
  if (!parent.empty() && !fs::is_directory(parent, ec)) parent = ResolveCaseInsensitive(parent);
  fs::path direct = parent / path.filename();
  if (fs::exists(direct, ec)) return direct;
  const std::string wanted = path.filename().string();
  for (fs::directory_iterator it(parent.empty() ? fs::path(".") : parent, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (EqualsIgnoringAsciiCase(it->path().filename().string(), wanted)) return parent / it->path().filename();
  }
  return path;
}

}  // namespace lexmora
