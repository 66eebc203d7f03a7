#include "settings/options_record.h"

#include "dictionary/byte_io.h"

namespace lexmora {

std::array<std::uint8_t, ToolbarsCoordsRecord::kSize> ToolbarsCoordsRecord::Pack() const {
  std::array<std::uint8_t, kSize> b{};
  PutU32(&b[0], static_cast<std::uint32_t>(mainLeft));
  PutU32(&b[4], static_cast<std::uint32_t>(mainTop));
  b[8] = mainVisible ? 1 : 0;
  PutU32(&b[9], static_cast<std::uint32_t>(dictLeft));
  PutU32(&b[13], static_cast<std::uint32_t>(dictTop));
  b[17] = dictVisible ? 1 : 0;
  return b;
}

ToolbarsCoordsRecord ToolbarsCoordsRecord::Unpack(const std::uint8_t* b) {
  ToolbarsCoordsRecord c;
  c.mainLeft = static_cast<std::int32_t>(GetU32(b + 0));
  c.mainTop = static_cast<std::int32_t>(GetU32(b + 4));
  c.mainVisible = b[8] != 0;
  c.dictLeft = static_cast<std::int32_t>(GetU32(b + 9));
  c.dictTop = static_cast<std::int32_t>(GetU32(b + 13));
  c.dictVisible = b[17] != 0;
  return c;
}

}  // namespace lexmora
