#include "audio/speech.h"

#include <gtest/gtest.h>

#include <cmath>
#include <thread>

#include "sound/wav_image.h"

namespace lexmora::platform {
namespace {

double Seconds(const SpokenText& s) { return s.sampleRate ? static_cast<double>(s.samples.size()) / s.sampleRate : 0; }

double Rms(const SpokenText& s) {
  double sum = 0;
  for (std::int16_t v : s.samples) sum += static_cast<double>(v) * v;
  return s.samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(s.samples.size()));
}

TEST(SpeechTest, EveryHeadwordLanguageHasAVoiceThatSpeaks) {
  // One word in each language of the groups' headwords, with its letters.
  const std::pair<const char*, const char*> words[] = {
      {"en", "good morning"}, {"az", "çörək"}, {"ru", "здравствуйте"}, {"de", "Straße"}, {"fr", "bonjour"}};
  for (const auto& [voice, word] : words) {
    const SpokenText spoken = Speak(voice, word);
    EXPECT_GT(spoken.sampleRate, 0) << voice;
    // A word or two: between a quarter of a second and three seconds,
    // and not silence.
    EXPECT_GT(Seconds(spoken), 0.25) << voice;
    EXPECT_LT(Seconds(spoken), 3.0) << voice;
    EXPECT_GT(Rms(spoken), 300.0) << voice;
  }
}

TEST(SpeechTest, LongerTextTakesLonger) {
  const double one = Seconds(Speak("en", "house"));
  const double three = Seconds(Speak("en", "house, garden and street"));
  EXPECT_GT(three, 1.5 * one);
}

TEST(SpeechTest, NothingToSayGivesNothing) {
  EXPECT_TRUE(Speak("en", "").samples.empty());
  EXPECT_TRUE(Speak("", "house").samples.empty());
  EXPECT_TRUE(Speak("no-such-voice-xx", "house").samples.empty());
  EXPECT_TRUE(SpeakToWav("no-such-voice-xx", "house").empty());
  // A failed voice leaves the synthesizer working.
  EXPECT_FALSE(Speak("en", "house").samples.empty());
}

TEST(SpeechTest, TheWaveImageHoldsWhatWasSpoken) {
  const SpokenText spoken = Speak("az", "alma");
  const std::string wav = SpeakToWav("az", "alma");
  const WavInfo info = ReadWavInfo(wav);
  EXPECT_EQ(info.channels, 1);
  EXPECT_EQ(info.sampleRate, spoken.sampleRate);
  // The synthesizer's output varies by a few samples from call to call.
  EXPECT_NEAR(static_cast<double>(info.dataBytes), 2.0 * static_cast<double>(spoken.samples.size()),
              0.02 * 2.0 * static_cast<double>(spoken.samples.size()));
}

TEST(SpeechTest, CallsFromSeveralThreadsTakeTurns) {
  const std::size_t alone = Speak("en", "window").samples.size();
  std::vector<std::size_t> sizes(4);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < sizes.size(); ++i)
    threads.emplace_back([&sizes, i] { sizes[i] = Speak("en", "window").samples.size(); });
  for (auto& t : threads) t.join();
  // Interleaved calls would mix their samples into one another's output.
  for (std::size_t s : sizes) EXPECT_NEAR(static_cast<double>(s), static_cast<double>(alone), 0.02 * static_cast<double>(alone));
}

}  // namespace
}  // namespace lexmora::platform
