// Ogg Vorbis encoding of 16-bit mono sound (libvorbisenc), for the sound
// archives the tools build.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lexmora::tools {

// The Ogg Vorbis file image of the samples at variable bit rate of this
// quality (-0.1 .. 1.0); empty when the encoder refuses the parameters.
std::string EncodeOggVorbis(std::span<const std::int16_t> samples, int sampleRate, float quality = 0.3f);

}  // namespace lexmora::tools
