// lexmora-sound-timing: how long a click on a sound button takes to reach
// the audio device, on SDL's dummy device.
//
//   lexmora-sound-timing [ROUNDS]
//
// For each round a fresh button (so that its first click reads the archive)
// is clicked; measured are the time the window thread spends in the click
// (archive read and thread start) and the time from the click to the first
// mixed buffer holding the sound, stamped in the mixer's post-mix callback.
// A second click of the same button (item kept) and a direct play on the
// window thread (no archive, no thread: the baseline) are measured alike.
// The item is one second of tone, once as Ogg Vorbis and once as WAVE.
#include <QCoreApplication>

#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "audio/audio_output.h"
#include "dictionary/sound_button.h"
#include "sound/sound_archive.h"
#include "sound/wav_image.h"
#include "soundc/ogg_encoder.h"
#include "support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<bool> g_armed{false};
std::atomic<Clock::rep> g_heard{0};

// The audio thread, after each mix: the first buffer with sound in it.
void PostMix(void*, Uint8* stream, int len) {
  if (!g_armed.load()) return;
  const auto* samples = reinterpret_cast<const std::int16_t*>(stream);
  for (int i = 0; i < len / 2; ++i) {
    if (std::abs(samples[i]) > 64) {
      g_heard.store(Clock::now().time_since_epoch().count());
      g_armed.store(false);
      return;
    }
  }
}

struct Series {
  const char* name;
  std::vector<double> blockedMs, heardMs;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
double Max(const std::vector<double>& v) { return v.empty() ? 0 : *std::max_element(v.begin(), v.end()); }

void Quiet(lexmora::platform::AudioOutput& out) {
  while (out.PlayingChannels() > 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  out.ReleaseFinished();
}

// One timed start: run `start` on this thread, then wait until the mixer
// hands the sound to the device.
template <typename Start>
bool TimeOne(Series& series, Start start) {
  g_heard = 0;
  g_armed = true;
  const auto t0 = Clock::now();
  const bool started = start();
  const auto t1 = Clock::now();
  if (!started) return false;
  const auto deadline = t0 + std::chrono::seconds(2);
  while (g_heard.load() == 0 && Clock::now() < deadline) std::this_thread::yield();
  if (g_heard.load() == 0) return false;
  const Clock::time_point heard{Clock::duration(g_heard.load())};
  series.blockedMs.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  series.heardMs.push_back(std::chrono::duration<double, std::milli>(heard - t0).count());
  QCoreApplication::processEvents();  // the buttons' end notices
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;

  std::vector<std::int16_t> tone(22050);
  for (std::size_t i = 0; i < tone.size(); ++i)
    tone[i] = static_cast<std::int16_t>(10000 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / 22050));
  const std::string ogg = lexmora::tools::EncodeOggVorbis(tone, 22050);
  const std::string wav = lexmora::WavImage(tone, 22050);
  lexmora::test::TempDir dir;
  const auto archive = dir.Write("DICT/bench000.snd", lexmora::SoundArchiveImage({ogg, wav}));

  lexmora::platform::AudioOutput out;
  if (!out.Open()) {
    std::fprintf(stderr, "no audio device (SDL_AUDIODRIVER=%s)\n", std::getenv("SDL_AUDIODRIVER"));
    return 1;
  }
  Mix_SetPostMix(&PostMix, nullptr);

  std::vector<Series> all;
  for (int item : {1, 2}) {
    const std::string& image = item == 1 ? ogg : wav;
    Series direct{item == 1 ? "Ogg, direct play (baseline)" : "WAVE, direct play (baseline)", {}, {}};
    Series first{item == 1 ? "Ogg, first click" : "WAVE, first click", {}, {}};
    Series again{item == 1 ? "Ogg, second click" : "WAVE, second click", {}, {}};
    for (int r = 0; r < rounds; ++r) {
      TimeOne(direct, [&] { return out.Play(image); });
      Quiet(out);
      lexmora::gui::TSoundButton button({archive, 1, 0}, item, &out);
      TimeOne(first, [&] { return button.Click(); });
      Quiet(out);
      lexmora::gui::TSoundThread::WaitForAll();
      QCoreApplication::processEvents();
      TimeOne(again, [&] { return button.Click(); });
      Quiet(out);
      lexmora::gui::TSoundThread::WaitForAll();
      QCoreApplication::processEvents();
    }
    all.push_back(direct);
    all.push_back(first);
    all.push_back(again);
  }
  Mix_SetPostMix(nullptr, nullptr);
  out.Close();

  std::printf("%d rounds, buffer 512 frames at 44100 Hz (%.1f ms)\n", rounds, 512 * 1000.0 / 44100);
  std::printf("%-30s %16s %16s %20s %14s\n", "", "blocked median", "blocked max", "click->sound median", "max");
  for (std::size_t i = 0; i < all.size(); ++i) {
    const Series& s = all[i];
    const double baseline = Median(all[i - i % 3].heardMs);
    std::printf("%-30s %13.3f ms %13.3f ms %17.2f ms %11.2f ms  (x%.2f of baseline)\n", s.name, Median(s.blockedMs),
                Max(s.blockedMs), Median(s.heardMs), Max(s.heardMs), Median(s.heardMs) / baseline);
  }
  return 0;
}
