#include "audio/audio_output.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <alsa/asoundlib.h>

#include <cerrno>
#include <cstdio>

namespace lexmora::platform {

namespace {

// Set by the mixer's end-of-channel callback, which runs on the audio
// thread with the device locked: it may touch nothing but these flags.
std::array<std::atomic<bool>, AudioOutput::kMaxChannels> g_finished{};
std::atomic<AudioOutput*> g_open{nullptr};

// ALSA reports every card it fails to find on stderr; without a device the
// program says so itself, once.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

AudioOutput::~AudioOutput() { Close(); }

void AudioOutput::ChannelFinished(int channel) {
  if (channel >= 0 && channel < kMaxChannels) g_finished[static_cast<std::size_t>(channel)].store(true);
}

bool AudioOutput::Open(int bufferFrames) {
  std::lock_guard lock(mutex_);
  return OpenLocked(bufferFrames);
}

void AudioOutput::OpenInBackground() {
  std::lock_guard lock(mutex_);
  if (open_ || tried_ || opener_.joinable()) return;
  wanted_ = true;
  opener_ = std::thread([this] {
    Open();
    SDL_TLSCleanup();  // this thread's SDL data (its error text) goes with it
  });
}

bool AudioOutput::OpenLocked(int bufferFrames) {
  if (open_) return true;
  tried_ = true;
  snd_lib_error_set_handler(&QuietAlsa);
  // The program handles SIGINT and SIGTERM itself.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  AudioOutput* none = nullptr;
  if (!g_open.compare_exchange_strong(none, this)) return false;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    g_open = nullptr;
    return false;
  }
  sdlStarted_ = true;
  Mix_Init(MIX_INIT_OGG | MIX_INIT_MP3);
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, bufferFrames) != 0) {
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlStarted_ = false;
    g_open = nullptr;
    return false;
  }
  for (auto& f : g_finished) f.store(false);
  Mix_AllocateChannels(kMaxChannels);
  Mix_ChannelFinished(&AudioOutput::ChannelFinished);
  open_ = true;
  return true;
}

void AudioOutput::Close() {
  if (opener_.joinable()) opener_.join();
  std::lock_guard lock(mutex_);
  const bool tried = tried_;
  tried_ = false;
  wanted_ = false;
  if (open_) {
    Mix_ChannelFinished(nullptr);
    Mix_HaltChannel(-1);
    for (Mix_Chunk*& chunk : chunks_) {
      if (chunk) Mix_FreeChunk(chunk);
      chunk = nullptr;
    }
    Mix_CloseAudio();
    Mix_Quit();
    open_ = false;
  }
  if (sdlStarted_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    sdlStarted_ = false;
    g_open = nullptr;
  }
  // The hints set at the open live until SDL itself ends; nothing else in
  // the program uses SDL, so it ends with the last subsystem.
  if (tried && SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

bool AudioOutput::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

void AudioOutput::ReleaseFinishedLocked() {
  for (int c = 0; c < kMaxChannels; ++c) {
    const auto i = static_cast<std::size_t>(c);
    if (chunks_[i] && g_finished[i].exchange(false)) {
      Mix_FreeChunk(chunks_[i]);
      chunks_[i] = nullptr;
    }
  }
}

void AudioOutput::ReleaseFinished() {
  std::lock_guard lock(mutex_);
  if (open_) ReleaseFinishedLocked();
}

bool AudioOutput::Play(std::string_view image) {
  std::lock_guard lock(mutex_);
  if (image.empty()) return false;
  if (!open_ && wanted_ && !tried_) OpenLocked(512);
  if (!open_) {
    if (tried_ && !reported_) {
      std::fprintf(stderr, "%s: no sound device; sounds are silent\n", program_invocation_short_name);
      reported_ = true;
    }
    return false;
  }
  ReleaseFinishedLocked();
  SDL_RWops* source = SDL_RWFromConstMem(image.data(), static_cast<int>(image.size()));
  if (!source) return false;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(source, 1);  // decodes the whole image
  if (!chunk) return false;
  // A channel is free only once its old chunk has been freed, so that no
  // chunk is lost when the channel is reused.
  int channel = -1;
  for (int c = 0; c < kMaxChannels; ++c) {
    if (!chunks_[static_cast<std::size_t>(c)]) {
      channel = c;
      break;
    }
  }
  if (channel < 0) {
    Mix_FreeChunk(chunk);
    return false;
  }
  g_finished[static_cast<std::size_t>(channel)].store(false);
  chunks_[static_cast<std::size_t>(channel)] = chunk;
  if (Mix_PlayChannel(channel, chunk, 0) < 0) {
    chunks_[static_cast<std::size_t>(channel)] = nullptr;
    Mix_FreeChunk(chunk);
    return false;
  }
  return true;
}

int AudioOutput::HeldChunks() const {
  std::lock_guard lock(mutex_);
  int n = 0;
  for (Mix_Chunk* chunk : chunks_) n += chunk != nullptr;
  return n;
}

int AudioOutput::PlayingChannels() const {
  std::lock_guard lock(mutex_);
  return open_ ? Mix_Playing(-1) : 0;
}

}  // namespace lexmora::platform
