// One running instance per user of a program, through a local socket: the
// first instance listens on it, a later start connects, hands over one
// request line ("activate", "close") and ends.
//
// The claim is atomic: the check for a listener and the start of listening
// happen under a lock file beside the socket, so two starts at the same
// moment never both become the first instance. A socket file left by an
// instance that crashed (no listener behind it) is removed and taken over.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QLocalServer;
class QLocalSocket;

namespace lexmora::platform {

// The per-user socket path of a name: in the user's runtime folder
// (XDG_RUNTIME_DIR) when there is one, else in the temporary folder; the
// user id is part of the file name either way.
QString InstanceSocketPath(const QString& name);

// Sends one request line to the instance listening on the path. Returns
// false when none listens (or the request could not be written).
bool SendInstanceRequest(const QString& socketPath, const QString& request, int timeoutMs = 2000);

class InstanceChannel : public QObject {
  Q_OBJECT
 public:
  enum class Claim {
    First,   // this process listens now
    Second,  // another instance listens; the request was handed to it
    Failed,  // no listener and listening failed: run unguarded
  };

  explicit InstanceChannel(QString socketPath, QObject* parent = nullptr);
  ~InstanceChannel() override;

  const QString& SocketPath() const { return socketPath_; }

  // Becomes the first instance, or hands `request` to the one that is (an
  // empty request connects and sends nothing).
  Claim ClaimOrSend(const QString& request);
  bool Listening() const;

  // Receives the requests of later starts, on the thread of the event loop.
  // Requests that arrive before a handler is set wait for it.
  void SetHandler(std::function<void(const QString& request)> handler);

 private:
  void Accept();
  void Deliver(const QString& request);

  QString socketPath_;
  QLocalServer* server_ = nullptr;
  std::function<void(const QString&)> handler_;
  QStringList pending_;
};

}  // namespace lexmora::platform
