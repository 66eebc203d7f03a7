// The program's audio device on SDL2_mixer: opened in the background after
// start (or by the first play), closed at exit. Every played image is decoded into a chunk of its own and played
// on a free channel, so several sounds may overlap; a chunk whose playback
// has ended is freed at the next play (or at close). When no device opens,
// every play is silent and reports false, and the first such play says so
// in one line on stderr; the sound libraries themselves stay quiet, and
// leave the process's signals alone.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <string_view>
#include <thread>
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
  // Opens the device on a thread of its own, so that the program's start
  // does not wait for the sound system; a play meanwhile waits for it (or
  // opens it, when the thread has not yet begun). Close ends it all.
  void OpenInBackground();
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
  bool OpenLocked(int bufferFrames);

  mutable std::mutex mutex_;
  std::thread opener_;
  bool open_ = false;
  bool wanted_ = false;    // OpenInBackground was asked: a play may open the device
  bool tried_ = false;     // an open was attempted since the last close
  bool reported_ = false;  // the silent play has been reported
  bool sdlStarted_ = false;
  std::array<Mix_Chunk*, kMaxChannels> chunks_{};
};

}  // namespace lexmora::platform
