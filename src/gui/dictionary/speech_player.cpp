#include "speech_player.h"

#include "audio/sound_output.h"
#include "audio/speech.h"

namespace lexmora::gui {

SpeechPlayer::SpeechPlayer(platform::SoundOutput* output, QObject* parent) : QObject(parent), output_(output) {
  pool_.setMaxThreadCount(1);
}

SpeechPlayer::~SpeechPlayer() { WaitForDone(); }

void SpeechPlayer::WaitForDone() { pool_.waitForDone(); }

void SpeechPlayer::Speak(const std::string& voice, const QString& text) {
  if (text.trimmed().isEmpty()) return;
  std::lock_guard lock(mutex_);
  pendingVoice_ = voice;
  pendingText_ = text;
  if (queued_) return;  // the waiting job takes the newest word
  queued_ = true;
  pool_.start([this] { RunPending(); });
}

void SpeechPlayer::RunPending() {
  std::string voice;
  QString text;
  {
    std::lock_guard lock(mutex_);
    voice = std::move(pendingVoice_);
    text = std::move(pendingText_);
    queued_ = false;
  }
  // A word that cannot be spoken or played is silent, as a missing
  // recording is.
  const std::string wav = platform::SpeakToWav(voice, text.toStdString());
  if (!wav.empty() && output_) output_->Play(wav);
}

}  // namespace lexmora::gui
