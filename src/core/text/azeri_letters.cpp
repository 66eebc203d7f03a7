#include "text/azeri_letters.h"

#include <array>
#include <cstdint>

namespace lexmora {
namespace {

// Letter code 0xC0..0xFF -> code page 1254.
constexpr std::array<std::uint8_t, 64> kLetterCode = {
    0x41, 0x42, 0x56, 0x51, 0x44, 0x45, 0x4A, 0x5A,  // C0..C7
    0xDD, 0x59, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F, 0x50,  // C8..CF
    0x52, 0x53, 0x54, 0x55, 0x46, 0x58, 0xDC, 0xC7,  // D0..D7
    0xDE, 0x48, 0x43, 0x49, 0xD0, 0x47, 0xD6, 0xC6,  // D8..DF
    0x61, 0x62, 0x76, 0x71, 0x64, 0x65, 0x6A, 0x7A,  // E0..E7
    0x69, 0x79, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F, 0x70,  // E8..EF
    0x72, 0x73, 0x74, 0x75, 0x66, 0x78, 0xFC, 0xE7,  // F0..F7
    0xFE, 0x68, 0x63, 0xFD, 0xF0, 0x67, 0xF6, 0xE6,  // F8..FF
};

constexpr char kUpperLatin1254[] = "ABCDEFGH\xDDJKLMNOPQRSTUVWXYZ";

}  // namespace

std::string AzeriLetterCode(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) {
    auto b = static_cast<std::uint8_t>(c);
    if (b >= 0xC0) c = static_cast<char>(kLetterCode[b - 0xC0]);
  }
  return out;
}

std::string ToAzeriLetterCode(std::string_view cp1254) {
  std::array<std::int16_t, 256> inverse;
  inverse.fill(-1);
  for (int i = 63; i >= 0; --i) inverse[kLetterCode[i]] = static_cast<std::int16_t>(0xC0 + i);
  std::string out;
  out.reserve(cp1254.size());
  for (char c : cp1254) {
    auto b = static_cast<std::uint8_t>(c);
    if (inverse[b] >= 0) out.push_back(static_cast<char>(inverse[b]));
    else out.push_back(b < 0xC0 ? c : '?');
  }
  return out;
}

UpperRule UpperRuleFor(int codePage) {
  return codePage == 1254 ? UpperRule::Azeri1254 : UpperRule::Cyrillic1251;
}

std::string UpperCase(std::string_view bytes, UpperRule rule) {
  std::string out(bytes);
  for (char& c : out) {
    auto b = static_cast<std::uint8_t>(c);
    if (rule == UpperRule::Cyrillic1251) {
      if ((b >= 0x61 && b <= 0x7A) || b >= 0xE0) b = static_cast<std::uint8_t>(b - 0x20);
      else if (b == 0xB8) b = 0xA8;
    } else {
      if (b == 0xFD) b = 0x49;
      else if (b >= 0xE0) b = static_cast<std::uint8_t>(b - 0x20);
      else if (b >= 0x61 && b <= 0x7A) b = static_cast<std::uint8_t>(kUpperLatin1254[b - 0x61]);
    }
    c = static_cast<char>(b);
  }
  return out;
}

std::string FoldYo(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) {
    if (c == '\xA8') c = '\xC5';
    else if (c == '\xB8') c = '\xE5';
  }
  return out;
}

}  // namespace lexmora
