// Font archive reader: the input is a "system.lib" image. The directory is
// read from memory and from a file (both must agree), every member is
// extracted both ways, "FONTS.STR" is parsed, and the installation runs into
// a fonts folder that is emptied after each input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "settings/archive_time.h"
#include "settings/font_archive.h"
#include "settings/font_install.h"

using namespace lexmora;
using namespace lexmora::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  const DynArchItemRecArray fromImage = ReadArchiveDirectoryFromImage(image);
  LEXMORA_FUZZ_CHECK(fromImage.size() * ArchItemRec::kSize + kFontArchiveTrailerSize <= size || fromImage.empty());

  const fs::path archive = ProgramFolder() / "system.lib";
  WriteFile(archive, image);
  const DynArchItemRecArray fromFile = ReadArchiveDirectory(archive);
  LEXMORA_FUZZ_CHECK(fromFile.size() == fromImage.size());

  for (std::size_t i = 0; i < fromImage.size(); ++i) {
    const ArchItemRec& item = fromImage[i];
    LEXMORA_FUZZ_CHECK(item.name.size() <= ArchItemRec::kNameMax);
    LEXMORA_FUZZ_CHECK(item.name == fromFile[i].name && item.offset == fromFile[i].offset &&
                       item.size == fromFile[i].size);
    const std::string member = ExtractArchMemberFromImage(image, item);
    LEXMORA_FUZZ_CHECK(member.empty() || member.size() == static_cast<std::size_t>(item.size));
    LEXMORA_FUZZ_CHECK(member == ExtractArchMember(archive, item));
    (void)ArchiveTimeToFileTime(item.modificationTime);
    for (const std::string& face : ParseFontList(member)) LEXMORA_FUZZ_CHECK(face.size() < kFontListRecordSize);
  }

  const fs::path fonts = ProgramFolder() / "fonts";
  const auto installed = InstallFontsFromArchive(archive, fonts, {"Liberation Sans"});
  for (const fs::path& file : installed) LEXMORA_FUZZ_CHECK(file.parent_path() == fonts);
  std::error_code ec;
  fs::remove_all(fonts, ec);
  return 0;
}
