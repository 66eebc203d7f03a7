#include "dictionary/byte_io.h"

#include <cstring>

namespace lexmora {

void XorBytes(void* data, std::size_t size, std::uint8_t key) {
  auto* p = static_cast<std::uint8_t*>(data);
  std::uint64_t wide = 0x0101010101010101ULL * key;
  std::size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    std::uint64_t v;
    std::memcpy(&v, p + i, 8);
    v ^= wide;
    std::memcpy(p + i, &v, 8);
  }
  for (; i < size; ++i) p[i] ^= key;
}

}  // namespace lexmora
