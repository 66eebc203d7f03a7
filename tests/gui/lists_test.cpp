// The list commands of the main window: the tool buttons and menu items,
// their dialogs, marked rows and the list files.
#include <QAction>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "dictionary/file_io.h"
#include "dictionary/word_list_frame.h"
#include "dictionary/word_list_model.h"
#include "gui_test_support.h"
#include "lists/notepad_file.h"

using namespace lexmora;
using namespace lexmora::test;

class ListsTest : public QObject {
  Q_OBJECT

  static void WriteGroups(const std::filesystem::path& dir) {
    WriteGroup(dir, 2, {SubDict(0, {{"ana", Article("ana", "mother")}, {"ev", Article("ev", "house")}})});
    WriteGroup(dir, 1,
               {SubDict(0, {{"apple", Article("apple", "alma")}, {"bank", Article("bank", "bank")},
                            {"cat", Article("cat", "pishik")}, {"dog", Article("dog", "it")}})});
  }

  // Answers every file dialog with the path given and counts the warnings.
  struct Answers {
    QString file;
    QString caption;
    QString folder;
    QString suffix;
    int warnings = 0;
  };
  static void Answer(gui::TLexmoraAzeriDictionaries& w, Answers& answers) {
    w.Dialogs().chooseFile = [&answers](QWidget*, bool, const QString& caption, const QString& folder, const QString&,
                                        const QString& suffix) {
      answers.caption = caption;
      answers.folder = folder;
      answers.suffix = suffix;
      return answers.file;
    };
    w.Dialogs().warn = [&answers](QWidget*, const QString&, const QString&) { ++answers.warnings; };
  }
  static bool Marked(gui::TLexmoraAzeriDictionaries& w, int row) {
    return w.WordList()->Grid()->model()->index(row, 0).data(gui::WordListModel::MarkedRole).toBool();
  }

 private slots:
  void saveAndLoadThroughTheDialogs() {
    TempDir dir;
    WriteGroups(dir.path());
    Answers answers;
    auto w = OpenWindow(dir.path());
    Answer(*w, answers);
    w->AddToList(1, 2);
    w->AddToList(3, 2);
    QVERIFY(Marked(*w, 1));
    answers.file = QString::fromStdString((dir.path() / "NOTEPADS" / "mine.npl").string());
    w->findChild<QToolButton*>("TntSpeedButton6")->click();
    QCOMPARE(answers.folder, QString::fromStdString((dir.path() / "NOTEPADS").string()));
    QCOMPARE(answers.suffix, QString("npl"));
    QCOMPARE(answers.warnings, 0);
    QVERIFY(std::filesystem::exists(dir.path() / "NOTEPADS" / "mine.npl"));
    // Cleared from the tool button, then loaded back from the menu.
    w->findChild<QToolButton*>("TntSpeedButton4")->click();
    QVERIFY(!Marked(*w, 1));
    w->findChild<QAction*>("aListLoad")->trigger();
    QVERIFY(Marked(*w, 1));
    QVERIFY(Marked(*w, 3));
    QVERIFY(!Marked(*w, 2));
    // A dialog left with Cancel does nothing.
    answers.file.clear();
    w->findChild<QAction*>("aListClear")->trigger();
    w->findChild<QAction*>("aListLoad")->trigger();
    QVERIFY(!Marked(*w, 1));
  }

  void aListOfAnotherGroupSwitchesToIt() {
    TempDir dir;
    WriteGroups(dir.path());
    const GroupTableState state = LoadGroupTable(dir.path());
    const LoadedGroup two = LoadGroup(dir.path(), state.table, 2, state.table.Group(2).Enabled());
    QVERIFY(SaveNotepadFile(two, {0, 1}, dir.path() / "two.npl"));
    Answers answers;
    answers.file = QString::fromStdString((dir.path() / "two.npl").string());
    auto w = OpenWindow(dir.path());
    Answer(*w, answers);
    w->findChild<QAction*>("aViewUserList")->trigger();
    w->findChild<QAction*>("aListLoad")->trigger();
    QCOMPARE(w->CurrentGroup(), 2);
    QCOMPARE(w->ViewMode(), 1);
    QCOMPARE(w->RowCount(), 1);
    QCOMPARE(w->SelectedHeadword(), QString("ev"));
  }

  void aFailedSaveIsReported() {
    TempDir dir;
    WriteGroups(dir.path());
    const auto blocker = dir.Write("blocker", "x");
    Answers answers;
    answers.file = QString::fromStdString((blocker / "list.npl").string());
    auto w = OpenWindow(dir.path());
    Answer(*w, answers);
    w->findChild<QAction*>("aListSave")->trigger();
    QCOMPARE(answers.warnings, 1);
    w->findChild<QAction*>("aListExport")->trigger();
    QCOMPARE(answers.warnings, 2);
  }

  void exportWritesTheListOfTheView() {
    TempDir dir;
    WriteGroups(dir.path());
    Answers answers;
    answers.file = QString::fromStdString((dir.path() / "cards.txt").string());
    auto w = OpenWindow(dir.path());
    Answer(*w, answers);
    w->AddToList(2, 0);
    w->findChild<QAction*>("aListExport")->trigger();
    QCOMPARE(answers.suffix, QString("txt"));
    QCOMPARE(answers.caption, QString("Export list..."));  // no language file here
    const auto text = ReadWholeFile(dir.path() / "cards.txt");
    QVERIFY(text);
    QVERIFY(text->rfind("#separator:tab\n#html:true\ncat\t", 0) == 0);
    QVERIFY(text->find("pishik") != std::string::npos);
  }

  void enabledRulesFollowTheView() {
    TempDir dir;
    WriteGroups(dir.path());
    auto w = OpenWindow(dir.path());
    QAction* add = w->findChild<QAction*>("aListAdd");
    QAction* remove = w->findChild<QAction*>("aListRemove");
    QVERIFY(add->isEnabled() && remove->isEnabled());
    w->findChild<QAction*>("aViewUserList")->trigger();
    QVERIFY(!add->isEnabled());
    QVERIFY(remove->isEnabled());
    w->findChild<QAction*>("aViewGameList")->trigger();
    QVERIFY(!add->isEnabled() && !remove->isEnabled());
    QVERIFY(w->findChild<QAction*>("aListClear")->isEnabled());
    QVERIFY(w->findChild<QAction*>("aViewUserList")->isChecked() == false);
    QVERIFY(w->findChild<QAction*>("aViewGameList")->isChecked());
  }

  void marksReachTheDefaultFileAtExitAndComeBack() {
    TempDir dir;
    WriteGroups(dir.path());
    {
      auto w = OpenWindow(dir.path());
      w->AddToList(0, 0);
    }
    QVERIFY(std::filesystem::exists(dir.path() / "NOTEPADS" / "vcl_ea.npl"));
    auto w = OpenWindow(dir.path());
    QVERIFY(Marked(*w, 0));
    QVERIFY(!Marked(*w, 1));
  }

  // A burst of marks is written once, by a timer that later marks do not
  // put off; the window is still open when the file holds them.
  void aBurstOfMarksIsWrittenOnceWithinTheDelay() {
    TempDir dir;
    WriteGroups(dir.path());
    auto w = OpenWindow(dir.path());
    const auto file = dir.path() / "NOTEPADS" / "vcl_ea.npl";
    QVERIFY(w->ListSaveTimer() == nullptr || !w->ListSaveTimer()->isActive());
    w->AddToList(0, 0);
    QTimer* timer = w->ListSaveTimer();
    QVERIFY(timer != nullptr && timer->isActive());
    QCOMPARE(timer->interval(), gui::TLexmoraAzeriDictionaries::kListSaveDelayMs);
    QTest::qWait(50);
    const int left = timer->remainingTime();
    w->AddToList(2, 0);
    QVERIFY(timer->remainingTime() <= left);
    QVERIFY(!std::filesystem::exists(file));
    QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(file), 2 * gui::TLexmoraAzeriDictionaries::kListSaveDelayMs);
    const auto marks = ReadNotepadFile(file);
    QVERIFY(marks.has_value());
    auto reopened = std::make_unique<Session>(dir.path());
    reopened->LoadAllGroups();
    QCOMPARE(reopened->Group(1).userList, (NotepadARRAY{1, 0, 1, 0}));
    QVERIFY(!timer->isActive());
  }
};

QTEST_MAIN(ListsTest)
#include "lists_test.moc"
