// lexagent, the dictionary's companion: an icon in the system tray that
// opens the dictionary and, with "Scan selection" on, shows a popup with
// the article of any word selected on the screen. One runs per user; a
// later start hands its lookup to the first and ends. It ends when it is
// told "close" on its socket, through its menu, or by SIGTERM, SIGINT or
// SIGHUP.
//   lexagent [ON] [--dir PROGRAM_FOLDER] [--scan] [--lookup TEXT]
// "ON" is given when the user has just switched the icon on; it starts the
// agent like a plain start. --scan starts with the selection scan on;
// --lookup shows the popup for TEXT as a selection would.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <functional>
#include <string>

#include "agent_tray.h"
#include "audio/audio_output.h"
#include "platform/instance_channel.h"
#include "platform/qsettings_backend.h"
#include "platform/termination_signals.h"
#include "selection_scanner.h"
#include "session/session.h"
#include "settings/interface_language.h"
#include "settings/interface_text_ids.h"
#include "settings/program_names.h"

namespace {

constexpr char kScanSetting[] = "ScanSelection";

// The program folder is the one the agent was started from (the dictionary
// starts it by its full path there), which may hold only a link to the
// executable; the dictionary is the one beside the executable itself.
struct AgentFolders {
  QString programDir;
  QString dictionary;
  QStringList dictionaryArguments;
};

AgentFolders FindFolders(const QString& invokedAs, const QString& dirGiven) {
  AgentFolders out;
  const QString executableDir = QCoreApplication::applicationDirPath();
  out.programDir = !dirGiven.isEmpty()                ? QDir(dirGiven).absolutePath()
                   : invokedAs.contains(QLatin1Char('/')) ? QFileInfo(invokedAs).absolutePath()
                                                        : executableDir;
  out.dictionary = QDir(executableDir).filePath(QLatin1String(lexmora::kMainExecutableName));
  if (QFileInfo(out.programDir).canonicalFilePath() != QFileInfo(executableDir).canonicalFilePath())
    out.dictionaryArguments = {QStringLiteral("--dir"), out.programDir};
  return out;
}

struct StoredValues {
  int language = lexmora::kEnglishInterfaceLang;
  int lastGroup = 1;
  bool scan = false;
  std::array<int, lexmora::kTextScriptCount> scriptGroups{};  // 0: chosen from the letters
};

std::string ScriptGroupSetting(std::size_t script) { return "ScanGroup" + std::to_string(script); }

StoredValues ReadStored() {
  StoredValues v;
  lexmora::platform::QSettingsBackend settings;
  if (settings.Open()) {
    if (auto value = settings.ReadInteger("InterfaceLang")) v.language = *value;
    if (auto value = settings.ReadInteger("CurrentLangGroup")) v.lastGroup = *value;
    if (auto value = settings.ReadInteger(kScanSetting)) v.scan = *value != 0;
    for (std::size_t i = 0; i < v.scriptGroups.size(); ++i)
      if (auto value = settings.ReadInteger(ScriptGroupSetting(i))) v.scriptGroups[i] = *value;
    settings.Close();
  }
  return v;
}

void StoreInteger(const std::string& name, int value) {
  lexmora::platform::QSettingsBackend settings;
  if (!settings.Open()) return;
  settings.WriteInteger(name, value);
  settings.Close();
}

// The agent's texts in the dictionary's interface language, English where
// the language file has none.
struct Texts {
  lexmora::agent::AgentTexts tray;
  lexmora::agent::PopupTexts popup;
  QString scan, clipboard;
  QString scriptMenu, automatic;
  std::array<QString, lexmora::kTextScriptCount> scripts;
  std::function<QString(int group)> groupName;
};

Texts LoadTexts(const QString& programDir, int stored) {
  lexmora::InterfaceLanguage language;
  language.RestoreInterfaceLang(stored, QDir(programDir).filesystemAbsolutePath());
  auto text = [&language](int id, const char* english) {
    const QString t = QString::fromStdU16String(language.LangText(id));
    return t.isEmpty() ? QString::fromUtf8(english) : t;
  };
  Texts t;
  t.tray = {text(530, "Open the dictionary"), text(531, "Quit"), text(3, "Lexmora")};
  t.popup = {text(534, "Open in dictionary"), text(503, "Pronounce"), text(131, "Add to list")};
  t.scan = text(532, "Scan selection");
  t.clipboard = text(533, "Look up clipboard");
  t.scriptMenu = text(535, "Group for the letters");
  t.scripts = {text(536, "Latin letters"),  text(537, "Azeri Latin letters"), text(538, "Azeri Cyrillic letters"),
               text(539, "Cyrillic letters"), text(540, "German letters"),   text(541, "French letters")};
  t.automatic = text(542, "Chosen from the letters");
  // Group g is named as in the dictionary's group box.
  const std::vector<std::u16string> names = [&] {
    std::vector<std::u16string> n;
    for (int g = 1; g <= lexmora::GroupTable::kMaxGroups; ++g) n.push_back(language.LangText(lexmora::kGroupNameTextBase + g));
    return n;
  }();
  t.groupName = [names](int g) {
    const std::u16string& name = names[static_cast<std::size_t>(g - 1)];
    return name.empty() ? QString::number(g) : QString::fromStdU16String(name);
  };
  return t;
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

  QString dirGiven, lookup;
  bool scanGiven = false;
  const QStringList args = QApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--dir") && i + 1 < args.size()) dirGiven = args[++i];
    else if (args[i] == QLatin1String("--lookup") && i + 1 < args.size()) lookup = args[++i];
    else if (args[i] == QLatin1String("--scan")) scanGiven = true;
    else if (args[i] != QLatin1String("ON")) {
      std::fprintf(stderr, "usage: lexagent [ON] [--dir PROGRAM_FOLDER] [--scan] [--lookup TEXT]\n");
      return 2;
    }
  }

  // A later start hands its lookup (or nothing) to the running agent.
  lexmora::platform::InstanceChannel channel(
      lexmora::platform::InstanceSocketPath(QLatin1String(lexmora::kAgentInstanceName)));
  const QString handOver = lookup.isEmpty() ? QString() : QStringLiteral("lookup ") + lookup;
  if (channel.ClaimOrSend(handOver) == lexmora::platform::InstanceChannel::Claim::Second) return 0;

  const AgentFolders folders = FindFolders(QString::fromLocal8Bit(argv[0]), dirGiven);
  const StoredValues stored = ReadStored();
  const Texts texts = LoadTexts(folders.programDir, stored.language);

  lexmora::platform::AudioOutput audio;
  audio.OpenInBackground();
  lexmora::agent::SelectionScanner::Options options;
  options.programDir = folders.programDir;
  options.dictionary = folders.dictionary;
  options.dictionaryArguments = folders.dictionaryArguments;
  options.dictionarySocket = lexmora::platform::InstanceSocketPath(QLatin1String(lexmora::kInstanceName));
  options.texts = texts.popup;
  lexmora::agent::SelectionScanner scanner(options, &audio);
  scanner.SetLastGroup(stored.lastGroup);

  channel.SetHandler([&scanner](const QString& request) {
    if (request == QLatin1String("close")) QCoreApplication::quit();
    else if (request.startsWith(QLatin1String("lookup "))) scanner.LookUp(request.mid(7));
  });

  QAction scan(texts.scan);
  scan.setObjectName(QStringLiteral("ScanSelection"));
  scan.setCheckable(true);
  QObject::connect(&scan, &QAction::toggled, &scanner, [&scanner](bool on) {
    scanner.SetScanning(on);
    StoreInteger(kScanSetting, on ? 1 : 0);
  });
  // Where other programs cannot read the selection (Wayland), the
  // clipboard is looked up on request.
  QAction clipboard(texts.clipboard);
  clipboard.setObjectName(QStringLiteral("LookUpClipboard"));
  QObject::connect(&clipboard, &QAction::triggered, &scanner,
                   [&scanner] { scanner.LookUp(QGuiApplication::clipboard()->text(QClipboard::Clipboard)); });
  // The group each kind of letters is looked up in: chosen from the letters,
  // or fixed by the user.
  QMenu scriptMenu(texts.scriptMenu);
  std::array<int, lexmora::kTextScriptCount> scriptGroups = stored.scriptGroups;
  scanner.SetScriptGroups(scriptGroups);
  for (std::size_t i = 0; i < lexmora::kTextScriptCount; ++i) {
    QMenu* menu = scriptMenu.addMenu(texts.scripts[i]);
    auto* choices = new QActionGroup(menu);
    std::vector<int> offered{0};
    for (int g : scanner.Session().ListedGroups()) offered.push_back(g);
    for (int g : offered) {
      QAction* item = menu->addAction(g == 0 ? texts.automatic : texts.groupName(g));
      item->setCheckable(true);
      item->setChecked(scriptGroups[i] == g);
      choices->addAction(item);
      QObject::connect(item, &QAction::triggered, &scanner, [&scanner, &scriptGroups, i, g] {
        scriptGroups[i] = g;
        scanner.SetScriptGroups(scriptGroups);
        StoreInteger(ScriptGroupSetting(i), g);
      });
    }
  }
  QList<QAction*> extra{&scan, scriptMenu.menuAction()};
  if (!lexmora::agent::SelectionScanner::SelectionAvailable()) extra << &clipboard;
  scanner.SetScanning(stored.scan || scanGiven);
  {
    const QSignalBlocker block(&scan);
    scan.setChecked(scanner.Scanning());
  }

  lexmora::agent::AgentTray tray(folders.dictionary, folders.dictionaryArguments, texts.tray, extra);
  if (!lookup.isEmpty()) scanner.LookUp(lookup);
  const int result = QApplication::exec();
  lexmora::gui::TSoundThread::WaitForAll();
  audio.Close();
  return result;
}
