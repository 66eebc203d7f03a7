// Plays one sound file through the program's audio output and waits for
// its end; with SDL_AUDIODRIVER=disk the device's input lands in a file,
// which the sound checks then examine.
#include <chrono>
#include <cstdio>
#include <thread>

#include "audio/audio_output.h"
#include "dictionary/file_io.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: play_to_device SOUND_FILE\n");
    return 2;
  }
  const auto image = lexmora::ReadWholeFile(argv[1]);
  if (!image) return 1;
  lexmora::platform::AudioOutput out;
  if (!out.Open() || !out.Play(*image)) return 1;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (out.PlayingChannels() > 0 && std::chrono::steady_clock::now() < end)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  out.Close();
  return 0;
}
