// The sound buttons of a shown article. Each sound mark of the article gets
// a TSoundButton that owns the mark's numbers and, after its first click,
// the sound item read from the sub-dictionary's archive; a click hands a
// copy of the item to a short-lived TSoundThread, which starts the playback
// and ends. The window thread only reads the archive, once per button.
#pragma once

#include <QObject>
#include <QThread>

#include <filesystem>
#include <string>

namespace lexmora::platform {
class SoundOutput;
}

namespace lexmora::gui {

// Where the sounds of a shown article come from.
struct SoundSource {
  std::filesystem::path archive;  // the sub-dictionary's ".snd" file; empty: none
  int group = 0;
  int subDict = -1;
};

class TSoundThread : public QThread {
  Q_OBJECT
 public:
  TSoundThread(std::string data, platform::SoundOutput* output);
  ~TSoundThread() override;

  // Waits for every sound thread still running (at exit, before the audio
  // output closes). Call from the window thread.
  static void WaitForAll();

 protected:
  void run() override;

 private:
  const std::string data_;
  platform::SoundOutput* const output_;
};

class TSoundButton : public QObject {
  Q_OBJECT
 public:
  TSoundButton(const SoundSource& source, int soundNumber, platform::SoundOutput* output, QObject* parent = nullptr);

  // Plays the button's sound: nothing while its thread still runs; reads
  // the item at the first click and keeps it; silent when there is none.
  // Returns whether a playback thread was started.
  bool Click();

  bool PlayingFlag() const { return playing_; }
  const std::string& SoundData() const { return data_; }
  int GroupNumber() const { return source_.group; }
  int SubDictNumber() const { return source_.subDict; }
  int SoundNumber() const { return number_; }

 signals:
  // The playback thread has ended (PlayingFlag is clear again).
  void ThreadEnded();

 private:
  const SoundSource source_;
  const int number_;
  platform::SoundOutput* const output_;
  std::string data_;
  bool playing_ = false;
};

}  // namespace lexmora::gui
