#include "audio/speech.h"

#include <espeak-ng/speak_lib.h>

#include <mutex>

#include "sound/wav_image.h"

namespace lexmora::platform {

namespace {

std::mutex g_speech;
int g_sampleRate = 0;  // 0: not started yet; -1: it could not start

int Collect(short* wav, int count, espeak_EVENT* events) {
  if (wav && count > 0 && events) {
    auto* out = static_cast<std::vector<std::int16_t>*>(events->user_data);
    if (out) out->insert(out->end(), wav, wav + count);
  }
  return 0;  // go on
}

bool StartLocked() {
  if (g_sampleRate == 0) {
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
    g_sampleRate = rate > 0 ? rate : -1;
    if (g_sampleRate > 0) espeak_SetSynthCallback(&Collect);
  }
  return g_sampleRate > 0;
}

}  // namespace

SpokenText Speak(std::string_view voice, std::string_view utf8Text) {
  SpokenText spoken;
  if (utf8Text.empty() || voice.empty()) return spoken;
  std::lock_guard lock(g_speech);
  if (!StartLocked()) return spoken;
  const std::string voiceName(voice);
  if (espeak_SetVoiceByName(voiceName.c_str()) != EE_OK) return spoken;
  const std::string text(utf8Text);
  std::vector<std::int16_t> samples;
  const espeak_ERROR result = espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                                           nullptr, &samples);
  if (result != EE_OK || samples.empty()) return spoken;
  spoken.samples = std::move(samples);
  spoken.sampleRate = g_sampleRate;
  return spoken;
}

std::string SpeakToWav(std::string_view voice, std::string_view utf8Text) {
  const SpokenText spoken = Speak(voice, utf8Text);
  if (spoken.samples.empty()) return {};
  return WavImage(spoken.samples, spoken.sampleRate);
}

}  // namespace lexmora::platform
