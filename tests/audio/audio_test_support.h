// Sounds made up for the audio tests.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/wav_image.h"

namespace lexmora::test {

// A WAVE image of a sine tone.
inline std::string ToneWav(double seconds, int rate = 22050, double hz = 440.0) {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * rate));
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::int16_t>(12000 * std::sin(2 * M_PI * hz * static_cast<double>(i) / rate));
  return WavImage(samples, rate);
}

}  // namespace lexmora::test
