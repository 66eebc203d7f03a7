// RIFF/WAVE images of 16-bit PCM sound, as the speech synthesizer's output
// is played and written.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lexmora {

// A mono 16-bit little-endian PCM WAVE file image of these samples.
std::string WavImage(std::span<const std::int16_t> samples, int sampleRate);

struct WavInfo {
  int channels = 0;
  int sampleRate = 0;
  int bitsPerSample = 0;
  std::uint32_t dataBytes = 0;  // the bytes of the data chunk the image holds
};

// The format of a PCM WAVE image; all zero when the image is no such file.
// A data chunk that claims more than the image holds counts what is there.
WavInfo ReadWavInfo(std::string_view image);

}  // namespace lexmora
