#include "agent_launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include "instance_channel.h"
#include "settings/program_names.h"

namespace lexmora::platform {

QString AgentProgramPath(const QString& programDir) {
#ifdef Q_OS_WIN
  return QDir(programDir).filePath(QStringLiteral("lexagent.exe"));
#else
  return QDir(programDir).filePath(QStringLiteral("lexagent"));
#endif
}

bool StartAgent(const QString& programDir, const QStringList& arguments) {
  const QString program = AgentProgramPath(programDir);
  const QFileInfo info(program);
  if (!info.isFile() || !info.isExecutable()) return false;
  return QProcess::startDetached(program, arguments, programDir);
}

bool CloseAgent() {
  return SendInstanceRequest(InstanceSocketPath(QLatin1String(kAgentInstanceName)), QStringLiteral("close"));
}

}  // namespace lexmora::platform
