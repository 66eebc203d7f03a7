#include "settings/font_archive_writer.h"

#include "dictionary/byte_io.h"
#include "settings/font_archive.h"

namespace lexmora {

std::string BuildFontArchive(const std::vector<FontArchiveMember>& members) {
  std::string image;
  std::string directory(members.size() * ArchItemRec::kSize, '\0');
  for (std::size_t i = 0; i < members.size(); ++i) {
    ArchItemRec item;
    item.name = members[i].name.substr(0, ArchItemRec::kNameMax);
    item.modificationTime = members[i].modificationTime;
    item.offset = static_cast<std::int64_t>(image.size());
    item.size = static_cast<std::int32_t>(members[i].data.size());
    item.Serialize(reinterpret_cast<std::uint8_t*>(directory.data()) + i * ArchItemRec::kSize);
    std::string data = members[i].data;
    XorBytes(data.data(), data.size(), kFontArchiveKey);
    image += data;
  }
  XorBytes(directory.data(), directory.size(), kFontArchiveKey);
  image += directory;
  std::uint8_t count[4];
  PutU32(count, static_cast<std::uint32_t>(members.size()));
  image.append(reinterpret_cast<const char*>(count), 4);
  image.append(kFontArchiveMagic, 6);
  return image;
}

std::string BuildFontList(const std::vector<std::string>& faces) {
  std::string out(faces.size() * kFontListRecordSize, '\0');
  for (std::size_t i = 0; i < faces.size(); ++i) {
    PutShortString(reinterpret_cast<std::uint8_t*>(out.data()) + i * kFontListRecordSize, kFontListRecordSize - 1,
                   faces[i]);
  }
  return out;
}

}  // namespace lexmora
