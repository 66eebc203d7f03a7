// Speaks words in the background: the synthesizer runs on a worker of its
// own and its output goes to the sound output like a recorded item. Words
// asked for while one is being spoken wait their turn; only the newest
// waiting word is kept.
#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <mutex>
#include <string>

namespace lexmora::platform {
class SoundOutput;
}

namespace lexmora::gui {

class SpeechPlayer : public QObject {
  Q_OBJECT
 public:
  explicit SpeechPlayer(platform::SoundOutput* output, QObject* parent = nullptr);
  ~SpeechPlayer() override;  // waits for the word being spoken

  // Returns at once. An empty text is ignored.
  void Speak(const std::string& voice, const QString& text);
  void WaitForDone();

 private:
  void RunPending();

  platform::SoundOutput* const output_;
  QThreadPool pool_;
  std::mutex mutex_;
  bool queued_ = false;
  std::string pendingVoice_;
  QString pendingText_;
};

}  // namespace lexmora::gui
