#include "sound_button.h"

#include <mutex>
#include <set>

#include "audio/sound_output.h"
#include "sound/sound_archive.h"

namespace lexmora::gui {

namespace {

std::mutex g_threadsMutex;
std::set<TSoundThread*> g_threads;

}  // namespace

TSoundThread::TSoundThread(std::string data, platform::SoundOutput* output)
    : data_(std::move(data)), output_(output) {
  std::lock_guard lock(g_threadsMutex);
  g_threads.insert(this);
}

TSoundThread::~TSoundThread() {
  wait();
  std::lock_guard lock(g_threadsMutex);
  g_threads.erase(this);
}

void TSoundThread::run() {
  if (output_) output_->Play(data_);
}

void TSoundThread::WaitForAll() {
  // Threads are deleted on the window thread only, so none goes away
  // while this (also on the window thread) waits.
  std::set<TSoundThread*> running;
  {
    std::lock_guard lock(g_threadsMutex);
    running = g_threads;
  }
  for (TSoundThread* thread : running) thread->wait();
}

TSoundButton::TSoundButton(const SoundSource& source, int soundNumber, platform::SoundOutput* output, QObject* parent)
    : QObject(parent), source_(source), number_(soundNumber), output_(output) {}

bool TSoundButton::Click() {
  if (playing_) return false;
  if (data_.empty() && !source_.archive.empty())
    data_ = LoadSound(source_.archive, static_cast<std::uint32_t>(number_));
  if (data_.empty()) return false;
  auto* thread = new TSoundThread(data_, output_);
  // The thread object is released once it has ended; the end notice is
  // dropped by Qt when this button has been destroyed meanwhile.
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  connect(thread, &QThread::finished, this, [this] {
    playing_ = false;
    emit ThreadEnded();
  });
  playing_ = true;
  thread->start();
  return true;
}

}  // namespace lexmora::gui
