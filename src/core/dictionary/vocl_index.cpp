#include "dictionary/vocl_index.h"

#include <cstring>

namespace lexmora {

VoclIndexHeader VoclIndexHeader::Parse(const std::uint8_t* p) {
  VoclIndexHeader h;
  std::memcpy(h.reserved.data(), p, 16);
  h.highestNumber = p[16];
  std::memcpy(h.present.bits.data(), p + 17, 32);
  return h;
}

void VoclIndexHeader::Serialize(std::uint8_t* p) const {
  std::memcpy(p, reserved.data(), 16);
  p[16] = highestNumber;
  std::memcpy(p + 17, present.bits.data(), 32);
}

}  // namespace lexmora
