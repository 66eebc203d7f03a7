#include "sound/wav_image.h"

#include <algorithm>

namespace lexmora {

namespace {

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
void PutU16(std::string& out, std::uint32_t v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
std::uint32_t U32(std::string_view s, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
  return v;
}
std::uint32_t U16(std::string_view s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(s[at + 1])) << 8);
}

}  // namespace

std::string WavImage(std::span<const std::int16_t> samples, int sampleRate) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
  std::string out;
  out.reserve(44 + dataBytes);
  out += "RIFF";
  PutU32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  PutU32(out, 16);
  PutU16(out, 1);  // PCM
  PutU16(out, 1);  // mono
  PutU32(out, static_cast<std::uint32_t>(sampleRate));
  PutU32(out, static_cast<std::uint32_t>(sampleRate) * 2);
  PutU16(out, 2);   // block align
  PutU16(out, 16);  // bits per sample
  out += "data";
  PutU32(out, dataBytes);
  for (std::int16_t s : samples) PutU16(out, static_cast<std::uint16_t>(s));
  return out;
}

WavInfo ReadWavInfo(std::string_view image) {
  if (image.size() < 12 || image.substr(0, 4) != "RIFF" || image.substr(8, 4) != "WAVE") return {};
  WavInfo info;
  bool haveFormat = false;
  std::size_t at = 12;
  while (image.size() - at >= 8) {
    const std::string_view id = image.substr(at, 4);
    const std::uint32_t size = U32(image, at + 4);
    const std::size_t body = at + 8;
    const std::size_t held = std::min<std::size_t>(size, image.size() - body);
    if (id == "fmt " && held >= 16) {
      if (U16(image, body) != 1) return {};
      info.channels = static_cast<int>(U16(image, body + 2));
      info.sampleRate = static_cast<int>(U32(image, body + 4));
      info.bitsPerSample = static_cast<int>(U16(image, body + 14));
      haveFormat = true;
    } else if (id == "data" && haveFormat) {
      info.dataBytes = static_cast<std::uint32_t>(held);
      return info;
    }
    if (held < size) break;
    at = body + held + (size & 1);  // chunks are padded to even sizes
  }
  return {};
}

}  // namespace lexmora
