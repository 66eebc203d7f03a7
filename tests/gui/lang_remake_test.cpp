// Re-texting the main window: the interface language at start, menus,
// pop-ups, group names, tool-button hints, title and help file; a language
// change while the window is open.
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <fstream>

#include "dictionary/article_view.h"
#include "dictionary/group_combo_box.h"
#include "settings/language_file_writer.h"
#include "settings_test_support.h"
#include "shell/interface_texts.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

QString Text(const InterfaceLanguage& language, int id) { return QString::fromStdU16String(language.LangText(id)); }

QAction* MenuItem(gui::TLexmoraAzeriDictionaries& w, int tag) {
  for (QAction* a : w.findChildren<QAction*>())
    if (a->property("Tag").toInt() == tag) return a;
  return nullptr;
}

QString Hint(gui::TLexmoraAzeriDictionaries& w, const char* name) {
  return w.ToolBar1()->findChild<QToolButton*>(QLatin1String(name))->toolTip();
}

QString ShownGroupText(gui::TLexmoraAzeriDictionaries& w, int index) {
  return w.GroupBox()->itemData(index, Qt::UserRole + 3).toString();
}

}  // namespace

class LangRemakeTest : public QObject {
  Q_OBJECT

 private:
  void CheckWindowIn(gui::TLexmoraAzeriDictionaries& w, const InterfaceLanguage& language) {
    QCOMPARE(w.windowTitle(), Text(language, 3));
    for (int tag : {101, 102, 105, 111, 121, 125, 126, 143, 152, 201, 213}) {
      QAction* item = MenuItem(w, tag);
      QVERIFY2(item != nullptr, qPrintable(QString::number(tag)));
      QCOMPARE(item->text(), Text(language, tag));
    }
    QCOMPARE(Hint(w, "TntSpeedButton1"), Text(language, 121));
    QCOMPARE(Hint(w, "TntSpeedButton10"), Text(language, 143));
    for (int i = 0; i < w.GroupBox()->count(); ++i) {
      const int g = w.GroupList()[static_cast<std::size_t>(i)];
      QCOMPARE(ShownGroupText(w, i), Text(language, 220 + g));
      QCOMPARE(MenuItem(w, 220 + g)->text(), Text(language, 220 + g));
    }
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void theStoredLanguageTextsTheWholeWindow() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    for (int lang : {0, 2, 4}) {
      QSettings(file, QSettings::NativeFormat).setValue("InterfaceLang", lang);
      ProgramRun run(dir.path() / "prog", file);
      auto& w = run.Window();
      QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), lang);
      QVERIFY(!Text(run.Settings().Language(), 102).isEmpty());
      QVERIFY(Text(run.Settings().Language(), 102) != QStringLiteral("&View"));
      CheckWindowIn(w, run.Settings().Language());
      const char* names[] = {"azeri", "english", "russian", "german", "french"};
      QCOMPARE(w.HelpFile(), QStringLiteral("help/%1.html").arg(QLatin1String(names[lang])));
    }
  }

  void anOutOfRangeLanguageIsStoredAsZeroAndKeepsEnglish() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    QSettings(file, QSettings::NativeFormat).setValue("InterfaceLang", 7);
    {
      ProgramRun run(dir.path() / "prog", file);
      QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), 1);
      QCOMPARE(run.Settings().Options().InterfaceLang, 0);
      CheckWindowIn(run.Window(), run.Settings().Language());
    }
    QCOMPARE(QSettings(file, QSettings::NativeFormat).value("InterfaceLang").toInt(), 0);
  }

  void changingTheLanguageRetextsTheOpenWindow() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const QString englishView = MenuItem(w, 102)->text();
    QVERIFY(run.Settings().Language().ChangeInterfaceLang(2, dir.path() / "prog"));
    w.LangRemake();
    CheckWindowIn(w, run.Settings().Language());
    QVERIFY(MenuItem(w, 102)->text() != englishView);
    QCOMPARE(w.HelpFile(), QStringLiteral("help/russian.html"));
    // The other windows read the same language.
    QCOMPARE(gui::InterfaceText(302), Text(run.Settings().Language(), 302).isEmpty()
                                          ? QStringLiteral("Indexing")
                                          : Text(run.Settings().Language(), 302));
  }

  void aMissingTextKeepsMenuCaptionsAndEmptiesHints() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    // A French file with only a title, the View menu and one group name.
    std::ofstream(dir.path() / "prog" / "french.int", std::ios::binary)
        << BuildLanguageFile(1250, {{1, "Test"}, {3, "Titre"}, {102, "Affichage"}, {221, "Groupe un"}});
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    QSettings(file, QSettings::NativeFormat).setValue("InterfaceLang", 4);
    ProgramRun run(dir.path() / "prog", file);
    auto& w = run.Window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Titre"));
    QCOMPARE(MenuItem(w, 102)->text(), QStringLiteral("Affichage"));
    QCOMPARE(MenuItem(w, 101)->text(), QStringLiteral("&Edit"));  // kept: no text
    QCOMPARE(Hint(w, "TntSpeedButton1"), QString());              // hints are assigned anyway
    for (int i = 0; i < w.GroupBox()->count(); ++i) {
      const int g = w.GroupList()[static_cast<std::size_t>(i)];
      if (g == 1) QCOMPARE(ShownGroupText(w, i), QStringLiteral("Groupe un"));
      else QVERIFY(!ShownGroupText(w, i).isEmpty());  // the group's own name
      // A submenu item without text keeps its number.
      if (g != 1) QCOMPARE(MenuItem(w, 220 + g)->text(), QString::number(g));
    }
  }
};

QTEST_MAIN(LangRemakeTest)
#include "lang_remake_test.moc"
