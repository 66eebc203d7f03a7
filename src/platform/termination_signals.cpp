#include "platform/termination_signals.h"

#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lexmora::platform {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

int g_fds[2] = {-1, -1};
std::atomic<int> g_count{0};
std::atomic<bool> g_installed{false};

void OnSignal(int signal) {
  if (g_count.fetch_add(1) > 0) _exit(128 + signal);  // the second one: at once
  const unsigned char byte = static_cast<unsigned char>(signal);
  const int saved = errno;
  [[maybe_unused]] const ssize_t n = write(g_fds[0], &byte, 1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  bool expected = false;
  if (!g_installed.compare_exchange_strong(expected, true)) return;
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_fds) != 0) return;
  fcntl(g_fds[0], F_SETFL, O_NONBLOCK);
  notifier_ = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::ReadSignal);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int s : kSignals) sigaction(s, &action, nullptr);
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  // From here on the exit is under way: a signal ends the process at once.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) sigaction(s, &action, nullptr);
  delete notifier_;
  notifier_ = nullptr;
  close(g_fds[0]);
  close(g_fds[1]);
  g_fds[0] = g_fds[1] = -1;
  g_count = 0;
  g_installed = false;
}

void TerminationSignals::ReadSignal() {
  unsigned char byte = 0;
  if (read(g_fds[1], &byte, 1) != 1) return;
  received_ = byte;
  emit Requested(byte);
}

}  // namespace lexmora::platform
