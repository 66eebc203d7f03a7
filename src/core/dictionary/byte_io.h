// Little-endian fields and length-prefixed short strings inside fixed-size
// file records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lexmora {

inline std::uint16_t GetU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t GetU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void PutU32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A short string field occupies max + 1 bytes: a length byte, then the text.
// A stored length above max is read as max.
inline std::string_view GetShortString(const std::uint8_t* p, std::size_t max) {
  std::size_t n = p[0] < max ? p[0] : max;
  return {reinterpret_cast<const char*>(p + 1), n};
}
// Writes at most max bytes of text; the rest of the field is zeroed.
inline void PutShortString(std::uint8_t* p, std::size_t max, std::string_view text) {
  std::size_t n = text.size() < max ? text.size() : max;
  p[0] = static_cast<std::uint8_t>(n);
  for (std::size_t i = 0; i < max; ++i) p[1 + i] = i < n ? static_cast<std::uint8_t>(text[i]) : 0;
}

// The one-byte XOR key of word index records, articles, game bases and
// sound archives. Scrambling and unscrambling are the same operation.
inline constexpr std::uint8_t DataKey = 0x9D;
void XorBytes(void* data, std::size_t size, std::uint8_t key);

}  // namespace lexmora
