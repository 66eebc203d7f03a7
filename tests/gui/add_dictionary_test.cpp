// Tools -> Add dictionary and the options dialog's Remove: a file becomes
// a sub-dictionary of the chosen (or a new) group, its button and words
// appear at once; Cancel during the import changes nothing; Remove takes it
// out again.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <map>

#include "dictionary/file_io.h"
#include "import/add_dictionary_form.h"
#include "options/options_form.h"
#include "settings_test_support.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

// Runs act on the Add dictionary dialog once it shows, then lets it run.
bool AddFile(gui::TLexmoraAzeriDictionaries& w, const std::filesystem::path& file,
             const std::function<void(gui::TAddDictionaryForm&)>& act) {
  QTimer::singleShot(0, &w, [&] {
    auto* form = qobject_cast<gui::TAddDictionaryForm*>(QApplication::activeModalWidget());
    if (form) act(*form);
  });
  return w.AddDictionaryFile(ToQ(file));
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file()) files[e.path().lexically_relative(dir).string()] = *ReadWholeFile(e.path());
  return files;
}

bool HasSubDictButton(gui::TLexmoraAzeriDictionaries& w, int subDict) {
  for (int i = 0; i < 12; ++i)
    if (w.SubDictButton(i)->isVisible() && w.SubDictButton(i)->property("Tag").toInt() == subDict) return true;
  return false;
}

}  // namespace

class AddDictionaryTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void aFileJoinsTheCurrentGroupAndRemoveTakesItOut() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    dir.Write("words.tab", "kitabxana\tlibrary\\nreading room\nqələm\tpen\n");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(w.SelectGroup(2));
    QVERIFY(w.Action(Command::ToolsAddDictionary) != nullptr);
    QVERIFY(AddFile(w, dir.path() / "words.tab", [](gui::TAddDictionaryForm& form) {
      QCOMPARE(form.GroupBox()->currentData().toInt(), 2);  // a tab file names no languages: the current group
      QVERIFY(!form.NewGroupName()->isVisible());
      QTest::mouseClick(form.AddButton(), Qt::LeftButton);
    }));
    const int added = 1;  // the sample's Azeri-English group has sub-dictionary 0
    QTRY_VERIFY(HasSubDictButton(w, added));
    QVERIFY(w.Session().ExactRow(2, u"kitabxana") >= 0);
    QCOMPARE(w.Session().CurrentGroup(), 2);

    // Remove in the options dialog, answered Yes.
    gui::TOptionsForm* options = w.OptionsForm();
    QTimer::singleShot(0, &w, [&] {
      QListWidget* list = options->DictionariesList();
      const auto& lines = options->Lines();
      for (std::size_t i = 0; i < lines.size(); ++i) {
        list->setCurrentRow(static_cast<int>(i));
        QCOMPARE(options->RemoveButton()->isEnabled(), lines[i].group == 2 && lines[i].subDict == added);
      }
      for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].group == 2 && lines[i].subDict == added) list->setCurrentRow(static_cast<int>(i));
      const int before = list->count();
      QTimer::singleShot(0, &w, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
          QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
      });
      QTest::mouseClick(options->RemoveButton(), Qt::LeftButton);
      QCOMPARE(list->count(), before - 1);
      QTest::mouseClick(options->CancelButton(), Qt::LeftButton);
    });
    w.Action(Command::ToolsOptions)->trigger();
    QCOMPARE(w.Session().ExactRow(2, u"kitabxana"), -1);
    QTRY_VERIFY(!HasSubDictButton(w, added));
  }

  void aNewGroupIsListedByItsNameAndCancelChangesNothing() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    std::string big;
    for (int i = 0; i < 200000; ++i) big += "word" + std::to_string(i) + "\tarticle\n";
    dir.Write("big.tab", big);
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const auto before = Snapshot(dir.path() / "prog");
    QVERIFY(!AddFile(w, dir.path() / "big.tab", [](gui::TAddDictionaryForm& form) {
      QTest::mouseClick(form.AddButton(), Qt::LeftButton);
      QVERIFY(form.Running());
      QTest::mouseClick(form.CancelButton(), Qt::LeftButton);  // closes once the worker has stopped
    }));
    QCOMPARE(Snapshot(dir.path() / "prog"), before);

    dir.Write("mine.tab", "ev\thouse\n");
    const std::size_t groups = w.GroupList().size();
    QVERIFY(AddFile(w, dir.path() / "mine.tab", [](gui::TAddDictionaryForm& form) {
      form.GroupBox()->setCurrentIndex(form.GroupBox()->count() - 1);  // "New group"
      QVERIFY(form.NewGroupName()->isVisibleTo(&form));
      form.NewGroupName()->setText(QStringLiteral("Mənim sözlərim"));
      form.CodePageBox()->setCurrentIndex(form.CodePageBox()->findData(1254));
      QTest::mouseClick(form.AddButton(), Qt::LeftButton);
    }));
    QCOMPARE(w.GroupList().size(), groups + 1);
    const int g = w.Session().CurrentGroup();
    QCOMPARE(QString::fromStdU16String(w.Session().GroupTitle(g, u"Slot text")), QStringLiteral("Mənim sözlərim"));
    QVERIFY(w.Session().ExactRow(g, u"ev") >= 0);
  }
};

QTEST_MAIN(AddDictionaryTest)
#include "add_dictionary_test.moc"
