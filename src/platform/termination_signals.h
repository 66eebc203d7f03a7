// The signals by which a desktop ends a program (SIGTERM at logout, SIGINT
// from the terminal, SIGHUP when the terminal goes) turned into a Qt
// signal on the thread that owns the object, so that the program can end
// through its normal exit and write what it keeps. The handler only writes
// a byte to a socket pair; a second signal while the first is still being
// handled ends the process at once (exit status 128 + the signal).
#pragma once

#include <QObject>

class QSocketNotifier;

namespace lexmora::platform {

class TerminationSignals : public QObject {
  Q_OBJECT
 public:
  // Installs the handlers; one object per process (a second one installs
  // nothing and never emits).
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;

  bool Installed() const { return notifier_ != nullptr; }
  // Whether a termination signal has arrived (set before Requested is
  // emitted, so code outside the event loop can ask).
  bool Received() const { return received_ != 0; }

 signals:
  void Requested(int signal);

 private:
  void ReadSignal();

  QSocketNotifier* notifier_ = nullptr;
  int received_ = 0;
};

}  // namespace lexmora::platform
