// The program's audio device on SDL2_mixer: opened once at start, closed
// at exit. Every played image is decoded into a chunk of its own and played
// on a free channel, so several sounds may overlap; a chunk whose playback
// has ended is freed at the next play (or at close). When no device opens,
// every play is silent and reports false.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string_view>
#include <vector>

#include "audio/sound_output.h"

struct Mix_Chunk;

namespace lexmora::platform {

class AudioOutput : public SoundOutput {
 public:
  // At most this many sounds at once; a play beyond them is silent.
  static constexpr int kMaxChannels = 32;

  AudioOutput() = default;
  ~AudioOutput() override;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  // Opens the default device at 44100 Hz stereo with a short buffer
  // (bufferFrames sample frames, about 12 ms at 512). Only one output may
  // be open in a process at a time. False when no device opens.
  bool Open(int bufferFrames = 512);
  void Close();
  bool IsOpen() const;

  bool Play(std::string_view image) override;

  // Frees the chunks of channels that have finished; Play does it too.
  void ReleaseFinished();
  // Chunks decoded and not yet freed (playing, or finished and not yet
  // released).
  int HeldChunks() const;
  // Channels playing now.
  int PlayingChannels() const;

 private:
  static void ChannelFinished(int channel);
  void ReleaseFinishedLocked();

  mutable std::mutex mutex_;
  bool open_ = false;
  bool sdlStarted_ = false;
  std::array<Mix_Chunk*, kMaxChannels> chunks_{};
};

}  // namespace lexmora::platform
