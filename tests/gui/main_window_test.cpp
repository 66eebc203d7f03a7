// What a user does in the main window: typing, switching groups,
// sub-dictionaries and view modes, marking words with a right click.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QToolButton>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include "dictionary/word_list_model.h"
#include "gui_test_support.h"

using namespace lexmora;
using namespace lexmora::test;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  // Group 1 (code page 1250, sub-dictionaries 0 and 1) with homonyms.
  static void WriteEnglishGroup(const std::filesystem::path& dir) {
    WriteGroup(dir, 1,
               {SubDict(0, {{"apple", Article("apple", "alma")},
                            {"bank", Article("bank", "bank, first")},
                            {"bear", Article("bear", "ayi")},
                            {"cat", Article("cat", "pishik")},
                            {"dog", Article("dog", "it")}}),
                SubDict(1, {{"bank", Article("bank", "sahil, second")}, {"zebra", Article("zebra", "zebr")}})});
  }

  static void RightClickRow(gui::TLexmoraAzeriDictionaries& w, int row) {
    QListView* grid = w.WordList()->Grid();
    const QRect rect = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, rect.center());
  }

 private slots:
  void typingSelectsTheNearestHeadword() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    auto w = OpenWindow(dir.path());
    QCOMPARE(w->RowCount(), 7);
    QTest::keyClicks(w->InputBox(), "be");
    QCOMPARE(w->SelectedHeadword(), QString("bear"));
    QVERIFY(w->ArticlePlainText().contains("ayi"));
    // A prefix of several headwords selects the first of them.
    w->InputBox()->setText("ba");
    QCOMPARE(w->SelectedRow(), 1);
    // Equal headwords: the last of the homonyms.
    w->InputBox()->setText("bank");
    QCOMPARE(w->SelectedRow(), 2);
    QVERIFY(w->ArticlePlainText().contains("second"));
    // Before the first and after the last headword.
    w->InputBox()->setText("0");
    QCOMPARE(w->SelectedRow(), 0);
    w->InputBox()->setText("zzzz");
    QCOMPARE(w->SelectedRow(), 6);
    // Deleting the text selects row 0; so does Enter, which empties the box.
    w->InputBox()->setText("dog");
    QCOMPARE(w->SelectedHeadword(), QString("dog"));
    QTest::keyClick(w->InputBox(), Qt::Key_Return);
    QCOMPARE(w->InputBox()->text(), QString());
    QCOMPARE(w->SelectedRow(), 0);
  }

  // The suggestion line: offered while the text is no headword, taken with
  // Ctrl+Down (or a click) as if the headword had been typed; the type-ahead
  // goes on as before meanwhile.
  void suggestionsOfferTheHeadwordAMisspeltWordMeans() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    auto w = OpenWindow(dir.path());
    w->show();
    w->WaitForSuggestionIndexes();
    QTest::keyClicks(w->InputBox(), "baer");
    QCOMPARE(w->SelectedHeadword(), QString("bank"));  // the type-ahead's own choice
    QVERIFY(w->SuggestLine()->isVisible());
    QVERIFY(w->SuggestLine()->text().contains(">bear<"));
    QCOMPARE(w->Suggestions().size(), std::size_t{1});
    w->InputBox()->setText("dgo");
    QCOMPARE(w->Suggestions().size(), std::size_t{1});
    QTest::keyClick(w->InputBox(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(w->InputBox()->text(), QString("dog"));
    QCOMPARE(w->SelectedHeadword(), QString("dog"));
    QVERIFY(w->ArticlePlainText().contains("it"));
    QVERIFY(!w->SuggestLine()->isVisible());
    // A headword or an empty box: no line; plain Down still moves the list.
    w->InputBox()->setText("cat");
    QVERIFY(!w->SuggestLine()->isVisible());
    QTest::keyClick(w->InputBox(), Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(w->InputBox()->text(), QString("cat"));
    w->InputBox()->setText("");
    QVERIFY(!w->SuggestLine()->isVisible());
    w->InputBox()->setText("cta");
    QTest::keyClick(w->InputBox(), Qt::Key_Down);
    QCOMPARE(w->InputBox()->text(), QString("cta"));
    QVERIFY(w->SuggestLine()->isVisible());
    // A reload makes a new index; the line follows it.
    w->ReloadVocl(1);
    w->WaitForSuggestionIndexes();
    w->InputBox()->setText("zebar");
    QVERIFY(w->SuggestLine()->text().contains(">zebra<"));
  }

  void azeriSmallIsSelectsCapitalDottedI() {
    TempDir dir;
    CopySampleFolder(dir.path());
    auto w = OpenWindow(dir.path(), 2);
    QCOMPARE(w->CurrentGroup(), 2);
    // Typed key by key, as from an Azeri keyboard.
    for (QChar ch : QString::fromUtf8("iş")) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w->InputBox(), &press);
    }
    QCOMPARE(w->InputBox()->text(), QString::fromUtf8("iş"));
    QCOMPARE(w->SelectedHeadword(), QString::fromUtf8("iş"));
    QVERIFY(!w->ArticlePlainText().isEmpty());
    // Dotless ı goes to the headwords with I, not İ.
    w->InputBox()->setText(QString::fromUtf8("ış"));
    QVERIFY(w->SelectedHeadword() != QString::fromUtf8("iş"));
  }

  void switchingGroupsKeepsTheTypedWordPositioned() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    WriteGroup(dir.path(), 5, {SubDict(0, {{"ami", Article("ami", "dost")}, {"chat", Article("chat", "pishik")},
                                           {"chien", Article("chien", "it")}, {"zoo", Article("zoo", "zoo")}})});
    auto layouts = std::make_shared<platform::RecordingKeyboardLayouts>();
    auto w = OpenWindow(dir.path(), 1, 0, layouts);
    QCOMPARE(w->GroupList(), (std::vector<int>{1, 5}));
    QCOMPARE(layouts->last, std::string("00000409"));
    w->InputBox()->setText("chi");
    QCOMPARE(w->SelectedHeadword(), QString("dog"));
    QVERIFY(w->SelectGroup(5));
    QCOMPARE(w->CurrentGroup(), 5);
    QCOMPARE(w->SelectedHeadword(), QString("chien"));
    QVERIFY(w->ArticlePlainText().contains("it"));
    QCOMPARE(layouts->last, std::string("00000407"));
    // The "Dictionaries group" submenu does the same.
    QAction* item = w->findChild<QAction*>("Dictionary1");
    QVERIFY(item);
    QCOMPARE(item->property("Tag").toInt(), 221);
    item->trigger();
    QCOMPARE(w->CurrentGroup(), 1);
    QCOMPARE(w->SelectedHeadword(), QString("dog"));
  }

  void switchingOffTheLastSubDictionaryEmptiesTheList() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    {
      auto w = OpenWindow(dir.path());
      w->InputBox()->setText("zebra");
      QVERIFY(w->SubDictButton(0)->isChecked());
      QVERIFY(w->SubDictButton(1)->isChecked());
      QVERIFY(!w->SubDictButton(2)->isVisibleTo(w.get()));
      QTest::mouseClick(w->SubDictButton(1), Qt::LeftButton);
      QCOMPARE(w->RowCount(), 5);
      QVERIFY(!w->SubDictButton(1)->isChecked());
      QCOMPARE(w->SelectedHeadword(), QString("dog"));  // the typed word stays positioned
      QTest::mouseClick(w->SubDictButton(0), Qt::LeftButton);
      QCOMPARE(w->RowCount(), 0);
      QCOMPARE(w->SelectedRow(), -1);
      QCOMPARE(w->ArticlePlainText(), QString());
      QVERIFY(!w->SubDictButton(0)->isChecked());
    }
    // The enabled set reached the group table at exit.
    const GroupTableState state = LoadGroupTable(dir.path());
    QVERIFY(state.table.Group(1).Enabled().Empty());
  }

  void searchResultsViewFallsBackToTheFullView() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    WriteGroup(dir.path(), 5, {SubDict(0, {{"ami", Article("ami", "dost")}})});
    auto w = OpenWindow(dir.path());
    QToolButton* searchButton = w->ViewButton(3);
    QVERIFY(!searchButton->isEnabled());
    // Group 1's last search found "bear" (sub-dictionary 0, article 3).
    SearchResultRecord bear;
    bear.occurrences.push_back(OneIdxRecord{.article = 3, .place = 1, .count = 1, .length = 4});
    w->Session().FinishSearch(1, {bear}, /*cancelled=*/true, 0);
    w->SelectGroup(1);
    QVERIFY(searchButton->isEnabled());
    QTest::mouseClick(searchButton, Qt::LeftButton);
    QCOMPARE(w->ViewMode(), 3);
    QCOMPARE(w->RowCount(), 1);
    QCOMPARE(w->SelectedHeadword(), QString("bear"));
    w->SelectGroup(5);
    QCOMPARE(w->ViewMode(), 0);
    QVERIFY(w->ViewButton(0)->isChecked());
    QVERIFY(w->findChild<QAction*>("aViewFull")->isChecked());
    QVERIFY(!searchButton->isEnabled());
    QCOMPARE(w->RowCount(), 1);
  }

  void rightClickMarksInFullViewAndRemovesInUserList() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    auto w = OpenWindow(dir.path());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto* model = w->WordList()->Grid()->model();
    RightClickRow(*w, 1);
    QVERIFY(model->index(1, 0).data(gui::WordListModel::MarkedRole).toBool());
    RightClickRow(*w, 4);
    RightClickRow(*w, 5);
    RightClickRow(*w, 5);  // toggles back
    QVERIFY(!model->index(5, 0).data(gui::WordListModel::MarkedRole).toBool());
    QCOMPARE(w->Session().Current().userList, (NotepadARRAY{0, 1, 0, 0, 1, 0, 0}));
    // User-list view: the marked rows; a right click removes and closes up.
    w->findChild<QAction*>("aViewUserList")->trigger();
    QCOMPARE(w->ViewMode(), 1);
    QVERIFY(w->ViewButton(1)->isChecked());
    QCOMPARE(w->RowCount(), 2);
    QCOMPARE(w->SelectedHeadword(), QString("bank"));
    QVERIFY(!model->index(0, 0).data(gui::WordListModel::MarkedRole).toBool());  // drawn unmarked
    RightClickRow(*w, 0);
    QCOMPARE(w->RowCount(), 1);
    QCOMPARE(w->SelectedHeadword(), QString("cat"));
    QVERIFY(w->ArticlePlainText().contains("pishik"));
    QCOMPARE(w->Session().Current().userList[1], std::uint8_t{0});
    RightClickRow(*w, 0);
    QCOMPARE(w->RowCount(), 0);
    QCOMPARE(w->ArticlePlainText(), QString());
    // Back to the full view with Ctrl+D.
    w->findChild<QAction*>("aViewFull")->trigger();
    QCOMPARE(w->ViewMode(), 0);
    QCOMPARE(w->RowCount(), 7);
  }

  void savedRowBeyondTheRowCountSelectsRowZero() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    QCOMPARE(OpenWindow(dir.path(), 1, 9999)->SelectedRow(), 0);
    QCOMPARE(OpenWindow(dir.path(), 1, 3)->SelectedRow(), 3);
    // A restored group that is not listed selects the first listed group.
    QCOMPARE(OpenWindow(dir.path(), 7)->CurrentGroup(), 1);
  }

  void menusCarryTheirTagsAndShortcuts() {
    TempDir dir;
    WriteEnglishGroup(dir.path());
    auto w = OpenWindow(dir.path());
    const struct { const char* name; int tag; const char* keys; } expected[] = {
        {"aEditCut", 111, "Ctrl+X"},       {"aEditCopy", 112, "Ctrl+C"},  {"aEditPaste", 113, "Ctrl+V"},
        {"aEditSelectAll", 114, "Ctrl+A"}, {"aViewFull", 121, "Ctrl+D"},  {"aViewUserList", 122, "Ctrl+L"},
        {"aViewGameList", 123, ""},        {"aViewSearchList", 124, ""},  {"aListAdd", 131, ""},
        {"aToolsIdxSearch", 141, "Ctrl+F"}, {"aToolsGame", 142, "Ctrl+G"}, {"aToolsOptions", 143, "Ctrl+O"}};
    for (const auto& e : expected) {
      auto* a = w->findChild<QAction*>(e.name);
      QVERIFY2(a, e.name);
      QCOMPARE(a->property("Tag").toInt(), e.tag);
      QCOMPARE(a->shortcut().toString(), QString(e.keys));
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
