// The full-text search in the main window: offering to index a group whose
// index is missing, the indexing window, a search switching to the Search
// Results view with highlighted hits, cancelling, and a search without
// results.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include "fulltext/fulltext_state.h"
#include "fulltext/indexing_form.h"
#include "fulltext/search_form.h"
#include "gui_test_support.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

// Holds the workers started while it is closed.
struct Gate {
  std::shared_ptr<std::atomic<bool>> open = std::make_shared<std::atomic<bool>>(false);
  std::function<void()> Hook() const {
    auto flag = open;
    return [flag] {
      while (!*flag) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    };
  }
};

// An article body ends with a line break: the indexer takes a word only
// when something follows it.
std::string Body(const std::string& text) { return text + "\r\n"; }

// Group 1: the words "red" and "car" together in apple, car (sub-dictionary
// 0) and auto (sub-dictionary 1).
void WriteTestGroup(const std::filesystem::path& dir) {
  WriteGroup(dir, 1,
             {SubDict(0, {{"apple", Article("apple", Body("red fruit, not a car"))},
                          {"bank", Article("bank", Body("river side"))},
                          {"car", Article("car", Body("a red car on the road"))},
                          {"cherry", Article("cherry", Body("red berry"))},
                          {"dog", Article("dog", Body("not in the car"))}}),
              SubDict(1, {{"auto", Article("auto", Body("car, red or blue"))}, {"zebra", Article("zebra", Body("striped"))}})});
}

std::set<QString> ListedHeadwords(gui::TLexmoraAzeriDictionaries& w) {
  std::set<QString> out;
  for (int row = 0; row < w.RowCount(); ++row) {
    w.WordList()->SelectRow(row);
    out.insert(w.SelectedHeadword());
  }
  return out;
}

// The texts drawn highlighted in the article view.
QStringList HighlightedRuns(gui::TLexmoraAzeriDictionaries& w) {
  QStringList runs;
  const QTextDocument* doc = w.Article()->View()->document();
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().background().color() == QColor(0x80, 0x80, 0x80))
        runs << it.fragment().text();
  return runs;
}

QString StatusLabel(gui::TLexmoraAzeriDictionaries& w) {
  return w.findChild<QLabel*>(QStringLiteral("Label1"), Qt::FindDirectChildrenOnly)->text();
}

}  // namespace

class FullTextSearchTest : public QObject {
  Q_OBJECT

 private:
  int questions_ = 0;

  void AnswerYes(gui::TLexmoraAzeriDictionaries& w) {
    w.FullText().confirm = [this](QWidget*, const QString&, const QString&) {
      ++questions_;
      return QMessageBox::Yes;
    };
  }

  // Indexes group 1 through the search command.
  void Index(gui::TLexmoraAzeriDictionaries& w) {
    AnswerYes(w);
    w.SetInputText("red car");
    w.SpeedButton9Click();
    QTRY_VERIFY_WITH_TIMEOUT(w.FullText().indexing.isNull(), 20000);
  }

  // A window on the test group, its index built.
  std::unique_ptr<gui::TLexmoraAzeriDictionaries> IndexedWindow(const TempDir& dir) {
    WriteTestGroup(dir.path());
    auto w = OpenWindow(dir.path());
    Index(*w);
    return w;
  }

  void Search(gui::TLexmoraAzeriDictionaries& w, const QString& text) {
    w.SetInputText(text);
    w.SpeedButton9Click();
    QVERIFY(!w.FullText().search.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(w.FullText().search.isNull(), 20000);
  }

 private slots:
  void init() { questions_ = 0; }

  void indexingGaugeFillsThreeHundredUnitsPerJob() {
    gui::IndexingGauge gauge(3);
    QCOMPARE(gauge.Maximum(), 900);
    QCOMPARE(gauge.Tick(0, 300, false, 0), 0);
    QCOMPARE(gauge.Tick(50, 150, false, 0), 100);  // reading: the first third
    QCOMPARE(gauge.Tick(0, 0, false, 1), 300);     // a job without articles
    // Sorting: the bar bounces between 100 and 200 of the job's units.
    int low = 1000, high = 0;
    for (int i = 0; i < 100; ++i) {
      const int v = gauge.Tick(200, 600, true, 1) - 300;
      low = std::min(low, v);
      high = std::max(high, v);
    }
    QCOMPARE(low, 100);
    QCOMPARE(high, 200);
    QCOMPARE(gauge.Tick(600, 600, false, 2), 900);
  }

  void missingIndexOffersIndexingAndTheWindowCloses() {
    TempDir dir;
    WriteTestGroup(dir.path());
    auto w = OpenWindow(dir.path());
    const auto indexDir = dir.path() / "DICT" / "INDEX";
    QVERIFY(!std::filesystem::exists(indexDir));

    // No: nothing happens, and the next search asks again.
    int asked = 0;
    w->FullText().confirm = [&asked](QWidget*, const QString& text, const QString& caption) {
      ++asked;
      return text.isEmpty() || caption.isEmpty() ? QMessageBox::Cancel : QMessageBox::No;
    };
    w->SetInputText("red car");
    w->SpeedButton9Click();
    QCOMPARE(asked, 1);
    QVERIFY(w->FullText().indexing.isNull());
    QVERIFY(w->FullText().search.isNull());

    // Yes: the indexing window runs both jobs; it refuses to close meanwhile.
    Gate gate;
    w->FullText().workerStart = gate.Hook();
    AnswerYes(*w);
    w->findChild<QAction*>("aToolsIdxSearch")->trigger();
    QCOMPARE(questions_, 1);
    QPointer<gui::TIndexingForm> form = w->FullText().indexing;
    QVERIFY(form);
    QVERIFY(form->isVisible());
    QCOMPARE(form->JobCount(), 2);
    QCOMPARE(form->Gauge()->maximum(), 600);
    QVERIFY(!form->Gauge()->isTextVisible());
    QVERIFY(!form->close());
    QVERIFY(form->isVisible());
    QTRY_VERIFY(form->findChild<QMessageBox*>("FullTextNotice"));
    QCOMPARE(form->findChild<QMessageBox*>("FullTextNotice")->text(), QString("Wait! Indexing process in action!"));
    // A second search while indexing does nothing.
    w->SpeedButton9Click();
    QCOMPARE(questions_, 1);
    QVERIFY(w->FullText().search.isNull());

    *gate.open = true;
    QTRY_VERIFY_WITH_TIMEOUT(form.isNull(), 20000);
    QVERIFY(w->FullText().indexing.isNull());
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(indexDir)) {
      const auto ext = e.path().extension().string();
      if (ext == ".tib" || ext == ".ID2" || ext == ".ID3") ++files;
    }
    QCOMPARE(files, 6);
    // Now the search runs instead of the question.
    w->SpeedButton9Click();
    QCOMPARE(questions_, 1);
    QVERIFY(!w->FullText().search.isNull());
    QTRY_VERIFY_WITH_TIMEOUT(w->FullText().search.isNull(), 20000);
  }

  void twoWordsListTheArticlesHavingBothWithHighlightedHits() {
    TempDir dir;
    auto w = IndexedWindow(dir);
    QVERIFY(!w->ViewButton(3)->isEnabled());
    QVERIFY(!w->findChild<QAction*>("aViewSearchList")->isEnabled());

    Search(*w, "red car");
    QCOMPARE(w->ViewMode(), 3);
    QVERIFY(w->ViewButton(3)->isEnabled());
    QVERIFY(w->ViewButton(3)->isChecked());
    QVERIFY(w->findChild<QAction*>("aViewSearchList")->isEnabled());
    QVERIFY(w->findChild<QToolButton*>("TntSpeedButton7")->isEnabled());
    const QString status = StatusLabel(*w);
    QVERIFY2(QRegularExpression("^items: 3 time:\\d\\d:\\d\\d \\d\\d\\.\\d\\d\\d$").match(status).hasMatch(),
             qPrintable(status));
    QCOMPARE(w->RowCount(), 3);
    QCOMPARE(ListedHeadwords(*w), (std::set<QString>{"apple", "auto", "car"}));

    // The article of a result with its hits highlighted.
    w->WordList()->SelectRow(0);
    QCOMPARE(w->SelectedHeadword(), QString("apple"));
    QVERIFY(w->ArticlePlainText().contains("red fruit, not a car"));
    QStringList runs = HighlightedRuns(*w);
    QCOMPARE(runs, (QStringList{"red", "car"}));
    w->InputBox()->setText("car");
    QCOMPARE(w->SelectedHeadword(), QString("car"));
    runs = HighlightedRuns(*w);
    QCOMPARE(runs, (QStringList{"car", "red", "car"}));  // the headword line is indexed too

    // Back in the full view the article has no highlighting.
    w->ViewButton(0)->click();
    w->InputBox()->setText("apple");
    QCOMPARE(w->SelectedHeadword(), QString("apple"));
    QVERIFY(HighlightedRuns(*w).isEmpty());
    QVERIFY(w->ViewButton(3)->isEnabled());  // the results stay

    // A reload of the group keeps the results; a switched-off sub-dictionary
    // leaves the list but still counts.
    w->SubDict1_SBClick(1);
    w->ViewButton(3)->click();
    QCOMPARE(ListedHeadwords(*w), (std::set<QString>{"apple", "car"}));
  }

  void searchWithoutResultsFallsBack() {
    TempDir dir;
    auto w = IndexedWindow(dir);
    Search(*w, "red car");
    QCOMPARE(w->ViewMode(), 3);
    Search(*w, "red zebra");
    QCOMPARE(w->ViewMode(), 0);
    QVERIFY(w->ViewButton(0)->isChecked());
    QVERIFY(!w->ViewButton(3)->isEnabled());
    QVERIFY(!w->findChild<QAction*>("aViewSearchList")->isEnabled());
    QVERIFY(StatusLabel(*w).startsWith("items: 0 time:"));
    QCOMPARE(w->RowCount(), 7);
    // An empty query searches nothing.
    w->SetInputText("   ");
    w->SpeedButton9Click();
    QVERIFY(w->FullText().search.isNull());
  }

  void closingTheSearchWindowCancels() {
    TempDir dir;
    auto w = IndexedWindow(dir);
    Gate gate;
    w->FullText().workerStart = gate.Hook();
    w->SetInputText("red car");
    w->findChild<QToolButton*>("TntSpeedButton7")->click();
    QPointer<gui::TSearchForm> form = w->FullText().search;
    QVERIFY(form);
    QCOMPARE(form->Gauge()->maximum(), 1000);
    QVERIFY(!w->findChild<QToolButton*>("TntSpeedButton7")->isEnabled());
    // A second search meanwhile does nothing.
    w->SpeedButton9Click();
    QCOMPARE(w->FullText().search.data(), form.data());
    // Closing asks the worker to stop; the window goes when it has.
    QVERIFY(!form->close());
    QVERIFY(form->Cancelled());
    *gate.open = true;
    QTRY_VERIFY_WITH_TIMEOUT(form.isNull(), 20000);
    QCOMPARE(w->ViewMode(), 0);
    QVERIFY(StatusLabel(*w).startsWith("items: "));
    QVERIFY(w->findChild<QToolButton*>("TntSpeedButton7")->isEnabled());
    // The next search runs as usual.
    w->FullText().workerStart = nullptr;
    Search(*w, "red car");
    QCOMPARE(w->ViewMode(), 3);
    QCOMPARE(w->RowCount(), 3);
  }

  void resultsReturnToTheirGroupAfterASwitchAndAReload() {
    TempDir dir;
    WriteTestGroup(dir.path());
    WriteGroup(dir.path(), 2, {SubDict(0, {{"one", Article("one", Body("red car"))}})});
    auto w = OpenWindow(dir.path());
    Index(*w);
    Gate gate;
    w->FullText().workerStart = gate.Hook();
    w->SetInputText("red car");
    w->SpeedButton9Click();
    QVERIFY(!w->FullText().search.isNull());
    // While the worker runs: a sub-dictionary is switched off (the group is
    // reloaded) and another group is chosen.
    w->SubDict1_SBClick(1);
    QVERIFY(w->SelectGroup(2));
    QCOMPARE(w->CurrentGroup(), 2);
    *gate.open = true;
    QTRY_VERIFY_WITH_TIMEOUT(w->FullText().search.isNull(), 20000);
    QCOMPARE(w->CurrentGroup(), 1);
    QCOMPARE(w->ViewMode(), 3);
    QVERIFY2(StatusLabel(*w).startsWith("items: 3 time:"), qPrintable(StatusLabel(*w)));
    QCOMPARE(ListedHeadwords(*w), (std::set<QString>{"apple", "car"}));
    // Group 2 has no results of its own.
    QVERIFY(w->SelectGroup(2));
    QVERIFY(!w->ViewButton(3)->isEnabled());
    QCOMPARE(w->ViewMode(), 0);
  }

  void closingTheProgramDuringASearchEndsTheWorkerFirst() {
    TempDir dir;
    auto w = IndexedWindow(dir);
    Gate gate;
    w->FullText().workerStart = gate.Hook();
    w->SetInputText("red car");
    w->SpeedButton9Click();
    QVERIFY(!w->FullText().search.isNull());
    std::thread opener([flag = gate.open] {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      *flag = true;
    });
    w.reset();  // waits for the cancelled worker
    opener.join();
  }

  // Pictures of the progress windows and of the highlighted hits on the
  // sample folder, for a look by eye; only when LEXMORA_SCREENSHOT_DIR is set
  // (run it on a real display, e.g. under Xvfb with QT_QPA_PLATFORM=xcb).
  void screenshotsOnTheSampleFolder() {
    const QString out = qEnvironmentVariable("LEXMORA_SCREENSHOT_DIR");
    if (out.isEmpty()) QSKIP("LEXMORA_SCREENSHOT_DIR is not set");
    TempDir dir;
    CopySampleFolder(dir.path());
    auto w = OpenWindow(dir.path());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto shoot = [&](const char* name) {
      QTest::qWait(400);
      QPixmap picture;
      if (QScreen* screen = QGuiApplication::primaryScreen()) picture = screen->grabWindow(0);
      if (picture.isNull()) picture = w->grab();
      QVERIFY(picture.save(out + "/" + name));
    };
    Gate gate;
    w->FullText().workerStart = gate.Hook();
    AnswerYes(*w);
    w->SetInputText("of the");
    w->SpeedButton9Click();
    QVERIFY(w->FullText().indexing);
    shoot("1-indexing.png");
    w->FullText().indexing->close();
    shoot("2-indexing-refused.png");
    *gate.open = true;
    QTRY_VERIFY_WITH_TIMEOUT(w->FullText().indexing.isNull(), 20000);
    for (auto* box : w->findChildren<QMessageBox*>("FullTextNotice")) box->close();

    Gate searchGate;
    w->FullText().workerStart = searchGate.Hook();
    w->SpeedButton9Click();
    QVERIFY(w->FullText().search);
    shoot("3-search.png");
    *searchGate.open = true;
    QTRY_VERIFY_WITH_TIMEOUT(w->FullText().search.isNull(), 20000);
    shoot("4-results.png");
    w->WordList()->SelectRow(2);
    shoot("5-results-row3.png");
  }
};

QTEST_MAIN(FullTextSearchTest)
#include "fulltext_search_test.moc"
