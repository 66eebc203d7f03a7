#include "settings/language_file_writer.h"

#include <stdexcept>

#include "dictionary/byte_io.h"
#include "settings/language_file.h"

namespace lexmora {

std::string BuildLanguageFile(int codePage, const std::map<int, std::string>& texts) {
  std::string header(kLanguageHeaderSize, '\0');
  auto* h = reinterpret_cast<std::uint8_t*>(header.data());
  header.replace(0, kLanguageFileMagic.size(), kLanguageFileMagic);
  PutU32(h + 16, static_cast<std::uint32_t>(codePage));
  for (int i = 0; i < kLanguageTextCount; ++i) {
    PutU32(h + 20 + 8 * static_cast<std::size_t>(i), static_cast<std::uint32_t>(-1));
  }
  std::string block;
  for (const auto& [id, text] : texts) {
    if (id < 0 || id > kMaxLanguageTextId) throw std::out_of_range("text id " + std::to_string(id) + " outside 0..2000");
    std::uint8_t* e = h + 20 + 8 * static_cast<std::size_t>(id);
    PutU32(e, static_cast<std::uint32_t>(block.size() + 1));
    PutU32(e + 4, static_cast<std::uint32_t>(text.size()));
    block += text;
  }
  XorBytes(block.data(), block.size(), kLanguageTextKey);
  return header + block;
}

}  // namespace lexmora
