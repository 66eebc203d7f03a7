#include "settings/language_file.h"

#include "dictionary/byte_io.h"

namespace lexmora {

std::string_view LanguageFileImage::Text(int id) const {
  if (id < 0 || id > kMaxLanguageTextId) return {};
  const LanguageTextEntry& e = table[static_cast<std::size_t>(id)];
  if (e.start < 1 || e.length < 0) return {};
  const auto begin = static_cast<std::size_t>(e.start - 1);
  const auto length = static_cast<std::size_t>(e.length);
  if (begin > block.size() || length > block.size() - begin) return {};
  return std::string_view(block).substr(begin, length);
}

std::optional<LanguageFileImage> ParseLanguageFile(std::string_view bytes) {
  if (bytes.size() < kLanguageHeaderSize) return std::nullopt;
  if (bytes.substr(0, kLanguageFileMagic.size()) != kLanguageFileMagic) return std::nullopt;
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  LanguageFileImage image;
  image.codePage = static_cast<std::int32_t>(GetU32(p + 16));
  for (int i = 0; i < kLanguageTextCount; ++i) {
    const std::uint8_t* e = p + 20 + 8 * static_cast<std::size_t>(i);
    image.table[static_cast<std::size_t>(i)] = {static_cast<std::int32_t>(GetU32(e)),
                                                static_cast<std::int32_t>(GetU32(e + 4))};
  }
  image.block = std::string(bytes.substr(kLanguageHeaderSize));
  XorBytes(image.block.data(), image.block.size(), kLanguageTextKey);
  return image;
}

}  // namespace lexmora
