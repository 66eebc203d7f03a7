// lexagent, the dictionary's companion: an icon in the system tray that
// opens the dictionary. One runs per user; a later start ends at once.
// It ends when it is told "close" on its socket or through its menu.
//   lexagent [ON]
// "ON" is given when the user has just switched the icon on; it starts the
// agent like a plain start.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "agent_tray.h"
#include "platform/instance_channel.h"
#include "platform/qsettings_backend.h"
#include "platform/termination_signals.h"
#include "settings/interface_language.h"
#include "settings/program_names.h"

namespace {

// The program folder is the one the agent was started from (the dictionary
// starts it by its full path there), which may hold only a link to the
// executable; the dictionary is the one beside the executable itself.
struct AgentFolders {
  QString programDir;
  QString dictionary;
  QStringList dictionaryArguments;
};

AgentFolders FindFolders(const QString& invokedAs) {
  AgentFolders out;
  const QString executableDir = QCoreApplication::applicationDirPath();
  out.programDir = invokedAs.contains(QLatin1Char('/')) ? QFileInfo(invokedAs).absolutePath() : executableDir;
  out.dictionary = QDir(executableDir).filePath(QLatin1String(lexmora::kMainExecutableName));
  if (QFileInfo(out.programDir).canonicalFilePath() != QFileInfo(executableDir).canonicalFilePath())
    out.dictionaryArguments = {QStringLiteral("--dir"), out.programDir};
  return out;
}

// The menu's texts in the dictionary's interface language, English where the
// language file has none.
lexmora::agent::AgentTexts LoadTexts(const QString& programDir) {
  int stored = lexmora::kEnglishInterfaceLang;
  lexmora::platform::QSettingsBackend settings;
  if (settings.Open()) {
    if (auto value = settings.ReadInteger("InterfaceLang")) stored = *value;
    settings.Close();
  }
  lexmora::InterfaceLanguage language;
  language.RestoreInterfaceLang(stored, QDir(programDir).filesystemAbsolutePath());
  auto text = [&language](int id, const char* english) {
    const QString t = QString::fromStdU16String(language.LangText(id));
    return t.isEmpty() ? QString::fromUtf8(english) : t;
  };
  return {text(530, "Open the dictionary"), text(531, "Quit"), text(3, "Lexmora")};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("lexagent"));
  QApplication::setOrganizationName(QStringLiteral("Lexmora"));
  QApplication::setQuitOnLastWindowClosed(false);
  // Ends cleanly (the tray icon removed, the socket closed) on SIGTERM,
  // SIGINT and SIGHUP.
  lexmora::platform::TerminationSignals ending;
  QObject::connect(&ending, &lexmora::platform::TerminationSignals::Requested, &app, [] { QApplication::exit(0); });

  lexmora::platform::InstanceChannel channel(
      lexmora::platform::InstanceSocketPath(QLatin1String(lexmora::kAgentInstanceName)));
  if (channel.ClaimOrSend(QString()) == lexmora::platform::InstanceChannel::Claim::Second) return 0;
  channel.SetHandler([](const QString& request) {
    if (request == QLatin1String("close")) QCoreApplication::quit();
  });

  const AgentFolders folders = FindFolders(QString::fromLocal8Bit(argv[0]));
  lexmora::agent::AgentTray tray(folders.dictionary, folders.dictionaryArguments, LoadTexts(folders.programDir));
  return QApplication::exec();
}
