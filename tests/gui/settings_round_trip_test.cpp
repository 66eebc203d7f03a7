// The settings of a real run: stored when the program ends, restored when it
// starts again; the first run; the bounds of the restored values; the
// command-line values over the stored ones.
#include <QLineEdit>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>

#include "dictionary/word_list_frame.h"
#include "settings/global_info.h"
#include "settings_test_support.h"
#include "shell/start_options.h"

using namespace lexmora;
using namespace lexmora::test;

class SettingsRoundTripTest : public QObject {
  Q_OBJECT

 private:
  // A settings file whose values were stored by an earlier run.
  static void Store(const QString& file, const QString& name, const QVariant& value) {
    QSettings s(file, QSettings::NativeFormat);
    s.setValue(name, value);
  }
  static QVariant Stored(const QString& file, const QString& name) {
    return QSettings(file, QSettings::NativeFormat).value(name);
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void everythingChangedIsRestoredByTheNextStart() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    int group = 0;
    int row = 0;
    const QString word = QStringLiteral("kitab");
    {
      ProgramRun run(dir.path() / "prog", file);
      auto& w = run.Window();
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QVERIFY(w.GroupList().size() >= 2);
      group = w.GroupList()[1];
      QVERIFY(w.SelectGroup(group));
      w.SetInputText(word);
      row = std::min(5, w.RowCount() - 1);
      QVERIFY(row > 0);
      w.WordList()->SelectRow(row);
      w.resize(700, 480);
      w.Splitter()->setSizes({180, 500});
      w.ToolBar1()->hide();
    }
    QCOMPARE(Stored(file, "CurrentLangGroup").toInt(), group);
    QCOMPARE(Stored(file, "CurrentItemIndex").toInt(), row);
    QCOMPARE(Stored(file, "WindowWidth").toInt(), 700);
    {
      ProgramRun again(dir.path() / "prog", file);
      auto& w = again.Window();
      QCOMPARE(w.CurrentGroup(), group);
      QCOMPARE(w.InputBox()->text(), word);
      QCOMPARE(w.SelectedRow(), row);
      QCOMPARE(w.size(), QSize(700, 480));
      QCOMPARE(w.Splitter()->sizes().first(), 180);
      QVERIFY(w.ToolBar1()->isHidden());
      QVERIFY(!w.ToolBar2()->isHidden());
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      QCOMPARE(w.WordList()->width(), 180);
    }
  }

  void theFirstRunWritesEveryValueAndRunsItsSteps() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    FirstRunLog log;
    {
      ProgramRun run(dir.path() / "prog", file, &log);
      const QSettings s(file, QSettings::NativeFormat);
      for (const GlobalInfoRec& info : GlobalInfoTable()) {
        const QString name = QString::fromLatin1(info.name.data(), static_cast<qsizetype>(info.name.size()));
        // An empty wide text writes nothing.
        QCOMPARE(s.contains(name), name != QLatin1String("CurrentBoxWord"));
      }
      QCOMPARE(s.value("FirstRun").toInt(), 0);
      QCOMPARE(s.value("InterfaceLang").toInt(), 1);
      QCOMPARE(s.value("WindowWidth").toInt(), 626);
      QCOMPARE(s.value("WindowPosX").toInt(), std::max(0, (ScreenSize().width() - 626) / 2));
      for (const char* flag : {"AutoSaveState", "AutoSavePos", "SynchronizeLayout", "DisplayIconOnTaskBar"})
        QCOMPARE(s.value(flag).toInt(), 1);
      const std::string folder = (dir.path() / "prog").string() + "/";
      QCOMPARE(s.value("MainSystemDir").toString(), QString::fromStdString(folder));
      QCOMPARE(log.agentPaths, std::vector<std::string>{folder + kAgentExecutableName});
      QCOMPARE(log.archives.size(), std::size_t{1});
      QCOMPARE(log.archives[0], std::filesystem::path(folder + kFontArchiveName));
      // The window comes up centred at the built-in size, in English.
      QCOMPARE(run.Window().size(), QSize(626, 436));
    }
    // The next start is no first run.
    ProgramRun second(dir.path() / "prog", file, &log);
    QCOMPARE(log.agentPaths.size(), std::size_t{1});
  }

  void aStoredGroupOutsideTheListedOnesFallsBack() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    Store(file, "CurrentLangGroup", 42);
    {
      ProgramRun run(dir.path() / "prog", file);
      QCOMPARE(run.Window().CurrentGroup(), run.Window().GroupList().front());
      QCOMPARE(run.Settings().Options().CurrentLangGroup, 1);  // written back by the restore
    }
    Store(file, "CurrentLangGroup", 0);
    ProgramRun run(dir.path() / "prog", file);
    QCOMPARE(run.Window().CurrentGroup(), run.Window().GroupList().front());
  }

  void geometryOutsideItsBoundsKeepsTheDesignTimeValues() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    const QSize screen = ScreenSize();
    Store(file, "SplitterPos", 50);  // not above 50
    Store(file, "WindowWidth", 200);  // not above the minimum
    Store(file, "WindowHeight", screen.height() + 1);
    Store(file, "WindowPosX", screen.width());  // accepted: at most the screen width
    Store(file, "WindowPosY", screen.height());  // refused: below the screen height only
    {
      ProgramRun run(dir.path() / "prog", file);
      auto& w = run.Window();
      QCOMPARE(w.size(), QSize(626, 436));
      QCOMPARE(w.x(), screen.width());
      QVERIFY(w.y() != screen.height());
      QVERIFY(w.Splitter()->sizes().first() != 50);
    }
    Store(file, "SplitterPos", 626);  // not below the window width
    Store(file, "WindowPosX", -3);
    {
      ProgramRun run(dir.path() / "prog", file);
      QVERIFY(run.Window().Splitter()->sizes().first() < 626);
      QVERIFY(run.Window().x() >= 0);
    }
    Store(file, "SplitterPos", 51);
    ProgramRun run(dir.path() / "prog", file);
    QCOMPARE(run.Window().Splitter()->sizes().first(), 51);
  }

  void anEmptyInputWordKeepsTheStoredOne() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    {
      ProgramRun run(dir.path() / "prog", file);
      run.Window().SetInputText(QStringLiteral("ev"));
    }
    const QByteArray stored = Stored(file, "CurrentBoxWord").toByteArray();
    QCOMPARE(stored.size(), 4);
    QCOMPARE(Stored(file, "CurrentBoxWordLen").toInt(), 2);
    {
      ProgramRun run(dir.path() / "prog", file);
      QCOMPARE(run.Window().InputBox()->text(), QStringLiteral("ev"));
      run.Window().SetInputText(QString());
    }
    QCOMPARE(Stored(file, "CurrentBoxWord").toByteArray(), stored);
    QCOMPARE(Stored(file, "CurrentBoxWordLen").toInt(), 0);
    ProgramRun run(dir.path() / "prog", file);
    QCOMPARE(run.Window().InputBox()->text(), QString());
  }

  void nothingIsCapturedWhenAutosaveIsOff() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    Store(file, "AutoSaveState", 0);
    Store(file, "AutoSavePos", 0);
    {
      ProgramRun run(dir.path() / "prog", file);
      run.Window().SelectGroup(run.Window().GroupList().back());
      run.Window().resize(500, 300);
    }
    QCOMPARE(Stored(file, "CurrentLangGroup").toInt(), 1);
    QCOMPARE(Stored(file, "WindowWidth").toInt(), 626);
  }

  void commandLineValuesWinOverStoredOnes() {
    const auto options = gui::ParseStartOptions(
        {"lexmora", "--group", "3", "--word", "su", "--lang", "2", "--dir", "/tmp"}, "/opt/lexmora");
    QVERIFY(options.error.isEmpty());
    QVERIFY(options.dirGiven && options.groupGiven && options.wordGiven && !options.rowGiven);
    OptionsRecord record;
    record.CurrentItemIndex = 7;
    gui::OverrideStoredValues(options, record);
    QCOMPARE(record.CurrentLangGroup, 3);
    QCOMPARE(record.CurrentBoxWord, std::u16string(u"su"));
    QCOMPARE(record.CurrentBoxWordLen, 2);
    QCOMPARE(record.InterfaceLang, 2);
    QCOMPARE(record.CurrentItemIndex, 7);  // not given: the stored row
    const auto none = gui::ParseStartOptions({"lexmora"}, "/opt/lexmora");
    OptionsRecord untouched;
    untouched.CurrentLangGroup = 4;
    gui::OverrideStoredValues(none, untouched);
    QCOMPARE(untouched.CurrentLangGroup, 4);
    QCOMPARE(none.window.programDir, QStringLiteral("/opt/lexmora"));
  }
};

QTEST_MAIN(SettingsRoundTripTest)
#include "settings_round_trip_test.moc"
