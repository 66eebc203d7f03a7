#include "instance_channel.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace lexmora::platform {
namespace {

QString UserTag() {
#ifdef Q_OS_UNIX
  return QString::number(static_cast<qulonglong>(::getuid()));
#else
  return qEnvironmentVariable("USERNAME");
#endif
}

// Writes one request line on a connected socket and closes it.
bool WriteRequest(QLocalSocket& socket, const QString& request, int timeoutMs) {
  bool written = true;
  if (!request.isEmpty()) {
    const QByteArray line = request.toUtf8() + '\n';
    written = socket.write(line) == line.size();
    while (written && socket.bytesToWrite() > 0) written = socket.waitForBytesWritten(timeoutMs);
  }
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(timeoutMs);
  return written;
}

}  // namespace

QString InstanceSocketPath(const QString& name) {
  const QString fileName = name + QLatin1Char('-') + UserTag();
#ifdef Q_OS_UNIX
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString folder = !runtime.isEmpty() && QDir(runtime).exists() ? runtime : QDir::tempPath();
  return QDir(folder).filePath(fileName);
#else
  return fileName;  // a named pipe: its name is the whole address
#endif
}

bool SendInstanceRequest(const QString& socketPath, const QString& request, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(socketPath);
  if (!socket.waitForConnected(timeoutMs)) return false;
  return WriteRequest(socket, request, timeoutMs);
}

InstanceChannel::InstanceChannel(QString socketPath, QObject* parent)
    : QObject(parent), socketPath_(std::move(socketPath)) {}

InstanceChannel::~InstanceChannel() {
  if (server_) server_->close();  // removes the socket file
}

bool InstanceChannel::Listening() const { return server_ && server_->isListening(); }

InstanceChannel::Claim InstanceChannel::ClaimOrSend(const QString& request) {
  if (Listening()) return Claim::First;
  // The lock makes "nobody listens, so listen" one step for every start of
  // this user. Should the lock be out of reach (an unwritable folder), the
  // claim goes on without it rather than keep the program from starting.
  QLockFile lock(socketPath_ + QStringLiteral(".lock"));
  lock.setStaleLockTime(10000);
  lock.tryLock(5000);

  QLocalSocket probe;
  probe.connectToServer(socketPath_);
  if (probe.waitForConnected(1000)) {
    WriteRequest(probe, request, 2000);
    return Claim::Second;
  }
  // Refused: a socket file without a listener, left by a crash; not found:
  // no file. Anything else (a listener too busy to answer) is a running
  // instance whose socket must not be taken away.
  const QLocalSocket::LocalSocketError error = probe.error();
  if (error != QLocalSocket::ConnectionRefusedError && error != QLocalSocket::ServerNotFoundError)
    return Claim::Second;

  QLocalServer::removeServer(socketPath_);
  auto* server = new QLocalServer(this);
  server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server->listen(socketPath_)) {
    delete server;
    return Claim::Failed;
  }
  server_ = server;
  connect(server_, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
  return Claim::First;
}

void InstanceChannel::SetHandler(std::function<void(const QString&)> handler) {
  handler_ = std::move(handler);
  if (handler_ && !pending_.isEmpty()) {
    QTimer::singleShot(0, this, [this] {
      const QStringList waiting = std::exchange(pending_, {});
      for (const QString& request : waiting) Deliver(request);
    });
  }
}

void InstanceChannel::Accept() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto readLines = [this, socket] {
      while (socket->canReadLine()) Deliver(QString::fromUtf8(socket->readLine()).trimmed());
    };
    connect(socket, &QLocalSocket::readyRead, this, readLines);
    connect(socket, &QLocalSocket::disconnected, this, [this, socket, readLines] {
      readLines();
      const QString rest = QString::fromUtf8(socket->readAll()).trimmed();
      if (!rest.isEmpty()) Deliver(rest);
      socket->deleteLater();
    });
    readLines();
  }
}

void InstanceChannel::Deliver(const QString& request) {
  if (request.isEmpty()) return;
  if (handler_) handler_(request);
  else pending_.append(request);
}

}  // namespace lexmora::platform
