// lexmora-fontarc: writes and lists font archives ("system.lib").
//   lexmora-fontarc --out ARCHIVE [--face NAME]... FONT_FILE...
//   lexmora-fontarc --list ARCHIVE
// Each font file becomes a member named by its file name, with the file's
// modification time; the faces given with --face make the "FONTS.STR"
// member, which comes first.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/file_io.h"
#include "settings/archive_time.h"
#include "settings/font_archive.h"
#include "settings/font_archive_writer.h"

namespace fs = std::filesystem;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: lexmora-fontarc --out ARCHIVE [--face NAME]... FONT_FILE...\n"
               "       lexmora-fontarc --list ARCHIVE\n");
  return 2;
}

int List(const fs::path& archive) {
  const lexmora::DynArchItemRecArray directory = lexmora::ReadArchiveDirectory(archive);
  if (directory.empty()) {
    std::fprintf(stderr, "lexmora-fontarc: %s is not a font archive or is empty\n", archive.c_str());
    return 1;
  }
  for (const auto& item : directory) {
    std::printf("%-40s %10d bytes at %lld\n", item.name.c_str(), item.size, static_cast<long long>(item.offset));
    if (item.name == lexmora::kFontListMemberName) {
      for (const auto& face : lexmora::ParseFontList(lexmora::ExtractArchMember(archive, item))) {
        std::printf("  face: %s\n", face.c_str());
      }
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string out, list;
  std::vector<std::string> faces;
  std::vector<fs::path> fonts;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) out = argv[++i];
    else if (arg == "--list" && i + 1 < argc) list = argv[++i];
    else if (arg == "--face" && i + 1 < argc) faces.push_back(argv[++i]);
    else if (!arg.starts_with("--")) fonts.push_back(arg);
    else return Usage();
  }
  if (!list.empty()) return out.empty() && fonts.empty() && faces.empty() ? List(list) : Usage();
  if (out.empty() || fonts.empty()) return Usage();

  std::vector<lexmora::FontArchiveMember> members;
  if (!faces.empty()) {
    members.push_back({std::string(lexmora::kFontListMemberName), lexmora::BuildFontList(faces), 0});
  }
  for (const fs::path& font : fonts) {
    const auto data = lexmora::ReadWholeFile(font);
    std::error_code ec;
    const auto time = fs::last_write_time(font, ec);
    if (!data || ec) {
      std::fprintf(stderr, "lexmora-fontarc: cannot read %s\n", font.c_str());
      return 1;
    }
    const std::string name = font.filename().string();
    if (name.size() > lexmora::ArchItemRec::kNameMax) {
      std::fprintf(stderr, "lexmora-fontarc: file name too long: %s\n", name.c_str());
      return 1;
    }
    members.push_back({name, *data, lexmora::FileTimeToArchiveTime(time)});
  }
  if (!faces.empty()) members.front().modificationTime = members.back().modificationTime;

  const fs::path target(out);
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  if (!lexmora::WriteFileAtomically(target, lexmora::BuildFontArchive(members))) {
    std::fprintf(stderr, "lexmora-fontarc: cannot write %s\n", out.c_str());
    return 1;
  }
  std::printf("%s: %zu members\n", out.c_str(), members.size());
  return 0;
}
