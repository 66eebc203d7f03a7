#include "user_program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/user_program_folder.h"

namespace lexmora::platform {

QString ExecutableForUser(const QString& executablePath) {
  const QFileInfo executable(executablePath);
  const QString installed = executable.absolutePath();
  if (QFileInfo(installed).isWritable() || !QFileInfo::exists(QDir(installed).filePath(QStringLiteral("groups.dgi"))))
    return executablePath;
  const QString user =
      QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("lexmora"));
  if (!PrepareUserProgramFolder(QDir(installed).filesystemAbsolutePath(), QDir(user).filesystemAbsolutePath()))
    return executablePath;
  return QDir(user).filePath(executable.fileName());
}

}  // namespace lexmora::platform
