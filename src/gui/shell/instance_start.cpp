#include "instance_start.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include "platform/instance_channel.h"
#include "settings/program_names.h"

namespace lexmora::gui {

QString InstanceName(const QString& settingsFile) {
  const QString name = QLatin1String(kInstanceName);
  if (settingsFile.isEmpty()) return name;
  const QByteArray path = QFileInfo(settingsFile).absoluteFilePath().toUtf8();
  const QByteArray hash = QCryptographicHash::hash(path, QCryptographicHash::Sha1).toHex().left(12);
  return name + QLatin1Char('-') + QString::fromLatin1(hash);
}

InstanceStart ClaimInstance(platform::InstanceChannel& channel, bool offRequest) {
  if (offRequest) {
    // Closes the running instance when there is one; either way this start ends.
    platform::SendInstanceRequest(channel.SocketPath(), QStringLiteral("close"));
    return InstanceStart::End;
  }
  return channel.ClaimOrSend(QStringLiteral("activate")) == platform::InstanceChannel::Claim::Second
             ? InstanceStart::End
             : InstanceStart::Run;
}

}  // namespace lexmora::gui
