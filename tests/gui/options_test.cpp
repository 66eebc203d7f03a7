// The options dialog and the Options command: Cancel applies nothing, OK
// applies everything at once (sub-dictionary sets, reloads, language,
// saving, the agent, the refreshed screen), the dictionaries list and the
// dialog's texts.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include <fstream>
#include <functional>

#include "dictionary/word_list_frame.h"
#include "options/options_form.h"
#include "session/group_names.h"
#include "settings/language_file_writer.h"
#include "settings_test_support.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

QString Text(const InterfaceLanguage& language, int id) { return QString::fromStdU16String(language.LangText(id)); }

// What the options command asked of the agent.
struct AgentLog {
  std::vector<QStringList> starts;
  int closes = 0;
};

void WatchAgent(gui::TLexmoraAzeriDictionaries& w, AgentLog& log) {
  w.Agent().start = [&log](const QString&, const QStringList& arguments) { log.starts.push_back(arguments); };
  w.Agent().close = [&log] { ++log.closes; };
}

enum class Close { Ok, Cancel, Escape };

// Runs the Options command through open (the menu action by default);
// while the dialog is shown act changes it, then the dialog is closed.
// Returns whether the dialog was shown.
bool RunOptions(gui::TLexmoraAzeriDictionaries& w, const std::function<void(gui::TOptionsForm&)>& act, Close close,
                const std::function<void()>& open = {}) {
  bool shown = false;
  QTimer::singleShot(0, &w, [&] {
    gui::TOptionsForm* form = w.OptionsForm();
    if (!form->isVisible()) return;
    shown = true;
    if (act) act(*form);
    switch (close) {
      case Close::Ok: QTest::mouseClick(form->OkButton(), Qt::LeftButton); break;
      case Close::Cancel: QTest::mouseClick(form->CancelButton(), Qt::LeftButton); break;
      case Close::Escape: QTest::keyClick(form, Qt::Key_Escape); break;
    }
  });
  if (open) open();
  else w.Action(Command::ToolsOptions)->trigger();
  return shown;
}

std::vector<SubDictSet> EnabledSets(const Session& s) {
  std::vector<SubDictSet> out;
  for (int g = 1; g <= s.Table().count; ++g) out.push_back(s.Table().Group(g).Enabled());
  return out;
}

std::vector<std::uint64_t> LoadCounts(const Session& s) {
  std::vector<std::uint64_t> out;
  for (int g = 1; g <= s.Table().count; ++g) out.push_back(s.GroupLoadCount(g));
  return out;
}

// Every control of the dialog changed, as a user would.
void ChangeEverything(gui::TOptionsForm& form) {
  form.Pages()->setCurrentIndex(0);
  for (int i = 0; i < 4; ++i) QTest::mouseClick(form.CheckBox(i), Qt::LeftButton, {}, QPoint(6, form.CheckBox(i)->height() / 2));
  form.LanguageBox()->setFocus();
  QTest::keyClick(form.LanguageBox(), Qt::Key_Down);
  form.Pages()->setCurrentIndex(1);
  for (int i = 0; i < form.DictionariesList()->count(); ++i) {
    QListWidgetItem* item = form.DictionariesList()->item(i);
    item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
  }
}

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void theCommandOpensTheDialogFromMenuButtonAndShortcut() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    QVERIFY(w.OptionsForm() != nullptr);
    QCOMPARE(w.OptionsForm()->objectName(), QStringLiteral("TOptionsForm"));
    QCOMPARE(w.OptionsForm()->parent(), &w);
    QCOMPARE(w.Action(Command::ToolsOptions)->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    auto* button = w.ToolBar1()->findChild<QToolButton*>(QStringLiteral("TntSpeedButton10"));
    QVERIFY(button != nullptr);
    QVERIFY(RunOptions(w, nullptr, Close::Cancel, [button] { QTest::mouseClick(button, Qt::LeftButton); }));
    QVERIFY(RunOptions(w, nullptr, Close::Cancel));
    QCOMPARE(run.Saves(), 0);
    // Its components by name, and its pages.
    auto* form = w.OptionsForm();
    for (const char* name : {"TntComboBox1", "AutoSaveState", "AutoSavePos", "SynchronizeLayout", "DisplayIconOnTaskBar",
                             "CheckListBox1"})
      QVERIFY2(form->findChild<QWidget*>(QLatin1String(name)) != nullptr, name);
    QCOMPARE(form->Pages()->count(), 2);
    QCOMPARE(form->LanguageBox()->count(), static_cast<int>(run.Settings().AvailableLanguages().size()));
    QVERIFY(!form->LanguageBox()->isEditable());
  }

  void cancelAfterChangingEveryControlChangesNothing() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    AgentLog agent;
    WatchAgent(w, agent);
    const OptionsRecord settings = run.Settings().Options();
    const auto sets = EnabledSets(w.Session());
    const auto loads = LoadCounts(w.Session());
    const int lang = run.Settings().Language().CurrentInterfaceLang();
    const QString title = w.windowTitle();
    for (Close close : {Close::Cancel, Close::Escape}) {
      OptionsRecord changed;
      QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
        ChangeEverything(form);
        changed = form.WorkingCopy();
      }, close));
      // The controls did reach the working copy...
      QCOMPARE(changed.AutoSaveState, !settings.AutoSaveState);
      QCOMPARE(changed.AutoSavePos, !settings.AutoSavePos);
      QCOMPARE(changed.SynchronizeLayout, !settings.SynchronizeLayout);
      QCOMPARE(changed.DisplayIconOnTaskBar, !settings.DisplayIconOnTaskBar);
      QVERIFY(changed.InterfaceLang != settings.InterfaceLang);
      // ...and nothing of it was applied.
      QVERIFY(run.Settings().Options() == settings);
      QVERIFY(EnabledSets(w.Session()) == sets);
      QVERIFY(LoadCounts(w.Session()) == loads);
      QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), lang);
      QCOMPARE(w.windowTitle(), title);
      QCOMPARE(run.Saves(), 0);
      QVERIFY(agent.starts.empty());
      QCOMPARE(agent.closes, 0);
    }
    // The next showing starts from the record again, not from the discarded copy.
    QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
      QCOMPARE(form.CheckBox(0)->isChecked(), settings.AutoSaveState);
      QCOMPARE(form.CheckBox(3)->isChecked(), settings.DisplayIconOnTaskBar);
      QVERIFY(form.DictionariesList()->item(0)->checkState() == Qt::Checked);
    }, Close::Cancel));
  }

  void okWithoutChangesSavesReloadsEveryLoadedGroupAndRefreshes() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    ProgramRun run(dir.path() / "prog", file);
    auto& w = run.Window();
    AgentLog agent;
    WatchAgent(w, agent);
    QVERIFY(w.RowCount() > 3);
    w.WordList()->SelectRow(3);
    QCOMPARE(w.SelectedRow(), 3);
    // A value of the record not yet stored: the save writes it.
    run.Settings().Options().SplitterPos = 123;
    const OptionsRecord settings = run.Settings().Options();
    const auto sets = EnabledSets(w.Session());
    const auto loads = LoadCounts(w.Session());
    const std::vector<int> loaded = w.Session().LoadedGroups();
    QVERIFY(loaded.size() >= 2);
    QVERIFY(RunOptions(w, nullptr, Close::Ok));
    QCOMPARE(run.Saves(), 1);
    QCOMPARE(QSettings(file, QSettings::NativeFormat).value("SplitterPos").toInt(), 123);
    QVERIFY(run.Settings().Options() == settings);
    QVERIFY(EnabledSets(w.Session()) == sets);
    const auto after = LoadCounts(w.Session());
    for (int g = 1; g <= w.Session().Table().count; ++g) {
      const bool wasLoaded = std::find(loaded.begin(), loaded.end(), g) != loaded.end();
      QCOMPARE(after[static_cast<std::size_t>(g - 1)], loads[static_cast<std::size_t>(g - 1)] + (wasLoaded ? 1u : 0u));
    }
    QCOMPARE(w.SelectedRow(), 0);  // refreshed from row 0
    QVERIFY(!w.ArticlePlainText().isEmpty());
    QVERIFY(agent.starts.empty());
    QCOMPARE(agent.closes, 0);
  }

  void theTaskbarIconStartsOrClosesTheAgent() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    AgentLog agent;
    WatchAgent(w, agent);
    QVERIFY(!run.Settings().Options().DisplayIconOnTaskBar);  // no agent in the tests
    auto clickIcon = [](gui::TOptionsForm& form) { QTest::mouseClick(form.CheckBox(3), Qt::LeftButton, {}, QPoint(6, 8)); };
    QVERIFY(RunOptions(w, clickIcon, Close::Ok));
    QVERIFY(run.Settings().Options().DisplayIconOnTaskBar);
    QCOMPARE(agent.starts.size(), 1u);
    QCOMPARE(agent.starts[0], QStringList{QStringLiteral("ON")});
    QCOMPARE(agent.closes, 0);
    QVERIFY(RunOptions(w, nullptr, Close::Ok));  // unchanged: neither
    QCOMPARE(agent.starts.size(), 1u);
    QCOMPARE(agent.closes, 0);
    QVERIFY(RunOptions(w, clickIcon, Close::Ok));
    QVERIFY(!run.Settings().Options().DisplayIconOnTaskBar);
    QCOMPARE(agent.starts.size(), 1u);
    QCOMPARE(agent.closes, 1);
    QCOMPARE(run.Saves(), 3);
  }

  void uncheckingEveryLineOfAGroupLeavesItEmptyAndUsable() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    const QString file = ToQ(dir.path() / "Settings.conf");
    {
      ProgramRun run(dir.path() / "prog", file);
      auto& w = run.Window();
      QVERIFY(w.SelectGroup(1));
      QVERIFY(w.RowCount() > 0);
      const int otherRows = w.Session().Group(2).EntryCount();
      int groupLines = 0;
      QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
        for (std::size_t i = 0; i < form.Lines().size(); ++i) {
          if (form.Lines()[i].group != 1) continue;
          ++groupLines;
          form.DictionariesList()->item(static_cast<int>(i))->setCheckState(Qt::Unchecked);
        }
      }, Close::Ok));
      QVERIFY(groupLines >= 2);
      QVERIFY(w.Session().Table().Group(1).Enabled().Empty());
      QCOMPARE(w.Session().Group(1).EntryCount(), 0);
      QCOMPARE(w.Session().Group(2).EntryCount(), otherRows);
      // The empty group: an empty list, no article, every button released.
      QCOMPARE(w.RowCount(), 0);
      QCOMPARE(w.SelectedRow(), -1);
      QVERIFY(w.ArticlePlainText().isEmpty());
      for (int i = 0; i < groupLines; ++i) QVERIFY(!w.SubDictButton(i)->isChecked());
      // Typing, the views, the list commands and the game do nothing harmful.
      w.SetInputText(QStringLiteral("abc"));
      for (int view : {1, 2, 0}) w.SpeedButton1Click(view);
      w.RunCommand(Command::ListAdd);
      w.RunCommand(Command::ListRemove);
      int warnings = 0;
      w.Dialogs().warn = [&warnings](QWidget*, const QString&, const QString&) { ++warnings; };
      w.RunCommand(Command::ToolsGame);
      QCOMPARE(warnings, 1);
      QCOMPARE(w.RowCount(), 0);
      // The next showing offers the lines again, unchecked.
      QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
        int lines = 0;
        for (std::size_t i = 0; i < form.Lines().size(); ++i) {
          if (form.Lines()[i].group != 1) continue;
          ++lines;
          QVERIFY(form.DictionariesList()->item(static_cast<int>(i))->checkState() == Qt::Unchecked);
        }
        QCOMPARE(lines, groupLines);
      }, Close::Cancel));
    }
    // The empty set is kept by the group table for the next start.
    ProgramRun next(dir.path() / "prog", file);
    QVERIFY(next.Window().Session().Table().Group(1).Enabled().Empty());
    QCOMPARE(next.Window().Session().Group(1).EntryCount(), 0);
    // Checking one line again brings its words back.
    auto& w = next.Window();
    QVERIFY(w.SelectGroup(1));
    QVERIFY(RunOptions(w, [](gui::TOptionsForm& form) {
      for (std::size_t i = 0; i < form.Lines().size(); ++i)
        if (form.Lines()[i].group == 1) {
          form.DictionariesList()->item(static_cast<int>(i))->setCheckState(Qt::Checked);
          break;
        }
    }, Close::Ok));
    QVERIFY(w.RowCount() > 0);
    QCOMPARE(w.SelectedRow(), 0);
  }

  void aStoredLanguageThatFailedToLoadIsAppliedByOk() {
    TempDir dir;
    const auto prog = dir.path() / "prog";
    CopySampleFolder(prog);
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(prog, file); }
    QSettings(file, QSettings::NativeFormat).setValue("InterfaceLang", 2);
    std::filesystem::rename(prog / "russian.int", dir.path() / "russian.int");
    {
      // Russian cannot load: English stays in force, the stored 2 is kept.
      ProgramRun run(prog, file);
      auto& w = run.Window();
      QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), 1);
      QCOMPARE(run.Settings().Options().InterfaceLang, 2);
      const QString english = w.windowTitle();
      QVERIFY(RunOptions(w, [](gui::TOptionsForm& form) {
        // The list shows the language in force.
        QCOMPARE(form.LanguageBox()->currentText(), QStringLiteral("English"));
      }, Close::Ok));
      // Still unloadable: Russian becomes current, the English texts stay.
      QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), 2);
      QCOMPARE(w.windowTitle(), english);
    }
    QSettings(file, QSettings::NativeFormat).setValue("InterfaceLang", 2);
    ProgramRun run(prog, file);
    auto& w = run.Window();
    QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), 1);
    const QString english = w.windowTitle();
    std::filesystem::rename(dir.path() / "russian.int", prog / "russian.int");
    QVERIFY(RunOptions(w, nullptr, Close::Ok));
    QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), 2);
    QCOMPARE(Text(run.Settings().Language(), 1), QStringLiteral("Русский"));  // the Russian file is in force
    QCOMPARE(w.windowTitle(), Text(run.Settings().Language(), 3));
    QVERIFY(w.windowTitle() != english);
  }

  void choosingALanguageRetextsTheWindowAndTheDialog() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const auto& languages = run.Settings().AvailableLanguages();
    int russian = -1;
    for (std::size_t i = 0; i < languages.size(); ++i)
      if (languages[i].index == 2) russian = static_cast<int>(i);
    QVERIFY(russian >= 0);
    QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
      QCOMPARE(form.windowTitle(), QStringLiteral("Options"));
      form.LanguageBox()->setFocus();
      // Down from English (1) to Russian (2): a choice of the user.
      while (form.LanguageBox()->currentIndex() < russian) QTest::keyClick(form.LanguageBox(), Qt::Key_Down);
      QCOMPARE(form.WorkingCopy().InterfaceLang, 2);
    }, Close::Ok));
    const InterfaceLanguage& language = run.Settings().Language();
    QCOMPARE(language.CurrentInterfaceLang(), 2);
    QCOMPARE(run.Settings().Options().InterfaceLang, 2);
    QCOMPARE(w.windowTitle(), Text(language, 3));
    auto* form = w.OptionsForm();
    // Re-texted with the window, before it is shown again.
    QCOMPARE(form->windowTitle(), Text(language, 306));
    QCOMPARE(form->OkButton()->text(), Text(language, 409));
    QCOMPARE(form->Pages()->tabText(1), Text(language, 402));
    QCOMPARE(form->CheckBox(2)->text(), Text(language, 414));
    QCOMPARE(form->HelpFile(), QStringLiteral("help/russian.html"));
    QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
      QCOMPARE(form.LanguageBox()->currentIndex(), russian);
      for (std::size_t i = 0; i < form.Lines().size(); ++i) {
        const QString line = form.DictionariesList()->item(static_cast<int>(i))->text();
        QVERIFY2(line.startsWith(Text(language, 220 + form.Lines()[i].group) + QStringLiteral(" (")), qPrintable(line));
        QVERIFY(line.endsWith(u')'));
      }
    }, Close::Cancel));
  }

  void aGroupWithoutItsTextIsTitledByItsOwnNameAndASpace() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    // A French file with a name for group 1 only, and no dialog texts.
    std::ofstream(dir.path() / "prog" / "french.int", std::ios::binary)
        << BuildLanguageFile(1250, {{1, "Test"}, {3, "Titre"}, {221, "Groupe un"}});
    const QString file = ToQ(dir.path() / "Settings.conf");
    { ProgramRun first(dir.path() / "prog", file); }
    QSettings(file, QSettings::NativeFormat).setValue("InterfaceLang", 4);
    ProgramRun run(dir.path() / "prog", file);
    auto& w = run.Window();
    QCOMPARE(run.Settings().Language().CurrentInterfaceLang(), 4);
    QVERIFY(RunOptions(w, [&](gui::TOptionsForm& form) {
      QVERIFY(form.Lines().size() >= 3);
      bool sawOwnName = false;
      for (std::size_t i = 0; i < form.Lines().size(); ++i) {
        const int g = form.Lines()[i].group;
        const QString line = form.DictionariesList()->item(static_cast<int>(i))->text();
        if (g == 1) {
          QVERIFY2(line.startsWith(QStringLiteral("Groupe un (")), qPrintable(line));
        } else {
          const QString own = QString::fromStdU16String(GroupOwnName(w.Session().Table().Group(g)));
          QVERIFY(!own.isEmpty());
          QVERIFY2(line.startsWith(own + QStringLiteral("  (")), qPrintable(line));
          sawOwnName = true;
        }
      }
      QVERIFY(sawOwnName);
      // The dialog's texts are assigned whatever the file holds.
      QCOMPARE(form.windowTitle(), QString());
      QCOMPARE(form.CheckBox(0)->text(), QString());
      QCOMPARE(form.Pages()->tabText(0), QString());
    }, Close::Cancel));
  }
};

QTEST_MAIN(OptionsTest)
#include "options_test.moc"
