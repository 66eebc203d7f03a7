// Spoken words from the speech synthesizer (libespeak-ng), for headwords
// that have no recorded sound.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexmora::platform {

struct SpokenText {
  std::vector<std::int16_t> samples;  // mono 16-bit
  int sampleRate = 0;
};

// Speaks UTF-8 text in a voice ("en", "az", "ru", "de", "fr", or any voice
// name the synthesizer knows). Empty when the synthesizer cannot start, the
// voice is unknown or the text is empty. The synthesizer is shared by the
// process: calls from several threads take turns.
SpokenText Speak(std::string_view voice, std::string_view utf8Text);

// The same as a WAVE file image; empty on failure.
std::string SpeakToWav(std::string_view voice, std::string_view utf8Text);

}  // namespace lexmora::platform
