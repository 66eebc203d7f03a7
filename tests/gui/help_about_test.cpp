// The help window at the contexts of every language's page, F1 on focused
// controls and open menus, the web page, the about box with its hidden
// credits, and the splash window.
#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "about/about_box.h"
#include "about/credits_view.h"
#include "about/help_window.h"
#include "about/title_form.h"
#include "dictionary/article_view.h"
#include "dictionary/group_combo_box.h"
#include "dictionary/word_list_frame.h"
#include "settings/help_contexts.h"
#include "settings/interface_language.h"
#include "settings_test_support.h"
#include "shell/interface_texts.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

// The top of the block that holds an anchor, or -1 when the page has none.
qreal AnchorTop(QTextBrowser* browser, const QString& anchor) {
  QTextDocument* doc = browser->document();
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().anchorNames().contains(anchor))
        return doc->documentLayout()->blockBoundingRect(block).top();
    }
  }
  return -1;
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> urls;
 public slots:
  void Open(const QUrl& url) { urls.push_back(url); }
};

}  // namespace

class HelpAboutTest : public QObject {
  Q_OBJECT

 private:
  // The help window shows context c of the language's page, scrolled so
  // that the anchor is at the top (or the page is at its end).
  void CheckHelpAt(gui::TLexmoraAzeriDictionaries& w, const QString& page, int context) {
    gui::HelpWindow* help = w.HelpForm();
    QVERIFY(help != nullptr);
    QVERIFY(help->isVisible());
    QCOMPARE(help->Page(), page);
    const QString anchor = QString::fromStdString(HelpContextAnchor(context));
    QCOMPARE(help->Anchor(), anchor);
    QCOMPARE(help->Browser()->source().toLocalFile(), page);
    const qreal top = AnchorTop(help->Browser(), anchor);
    QVERIFY2(top >= 0, qPrintable(page + " #" + anchor));
    QScrollBar* bar = help->Browser()->verticalScrollBar();
    const int expected = static_cast<int>(std::min<qreal>(top, bar->maximum()));
    QVERIFY2(std::abs(bar->value() - expected) <= 4,
             qPrintable(QStringLiteral("%1 #%2: scrolled to %3, anchor at %4").arg(page, anchor).arg(bar->value()).arg(expected)));
  }

  static QString PageOf(const std::filesystem::path& dir, int lang) {
    return QDir(ToQ(dir)).filePath(QString::fromStdString(HelpPageName(lang)));
  }

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void helpOpensAtEveryContextInEveryLanguage() {
    TempDir dir;
    const auto prog = dir.path() / "prog";
    CopySampleFolder(prog);
    ProgramRun run(prog, ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    w.show();
    for (int lang = 0; lang < kInterfaceLanguageCount; ++lang) {
      run.Settings().Language().ChangeInterfaceLang(lang, prog);
      w.LangRemake();
      // Forwards and backwards, so that every move within a page is seen.
      std::vector<int> order;
      for (const HelpContextRec& rec : HelpContexts()) order.push_back(rec.context);
      const std::vector<int> back(order.rbegin(), order.rend());
      order.insert(order.end(), back.begin(), back.end());
      for (int context : order) {
        w.ShowHelp(context);
        QCoreApplication::processEvents();
        CheckHelpAt(w, PageOf(prog, lang), context);
        if (QTest::currentTestFailed()) return;
      }
      QCOMPARE(w.HelpForm()->windowTitle(), gui::InterfaceText(151));
    }
    // A number without a topic opens the contents.
    w.ShowHelp(8);
    CheckHelpAt(w, PageOf(prog, run.Settings().Language().CurrentInterfaceLang()), 1);
  }

  void theMenuItemAndToolButtonOpenTheContents() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    w.show();
    const QString page = PageOf(dir.path() / "prog", run.Settings().Language().CurrentInterfaceLang());
    w.ShowHelp(18);
    w.Action(Command::Help)->trigger();
    CheckHelpAt(w, page, 1);
    w.ShowHelp(18);
    w.ToolBar1()->findChild<QToolButton*>(QStringLiteral("TntSpeedButton11"))->click();
    CheckHelpAt(w, page, 1);
  }

  void f1OpensTheNearestContextOfTheFocus() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const QString page = PageOf(dir.path() / "prog", run.Settings().Language().CurrentInterfaceLang());
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    struct Case { QWidget* focus; int context; };
    const Case cases[] = {{w.InputBox(), 9}, {w.WordList()->Grid(), 6}, {w.Article()->View(), 7}, {w.GroupBox(), 5}};
    for (const Case& c : cases) {
      w.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&w));
      c.focus->setFocus(Qt::OtherFocusReason);
      QCOMPARE(QApplication::focusWidget(), c.focus);
      QTest::keyClick(c.focus, Qt::Key_F1);
      CheckHelpAt(w, page, c.context);
    }

    // In an open menu: the highlighted item's topic, else the menu's; the
    // menu closes.
    auto* tools = w.menuBar()->findChild<QMenu*>(QStringLiteral("Tools1"));
    QVERIFY(tools != nullptr);
    const std::pair<QAction*, int> items[] = {{w.Action(Command::ToolsOptions), 19},
                                              {w.Action(Command::ToolsGame), 21},
                                              {nullptr, 14}};
    for (auto [item, context] : items) {
      w.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&w));
      tools->popup(w.mapToGlobal(QPoint(20, 20)));
      QVERIFY(QTest::qWaitForWindowExposed(tools));
      tools->setActiveAction(item);
      QTest::keyClick(tools, Qt::Key_F1);
      CheckHelpAt(w, page, context);
      QVERIFY(!tools->isVisible());
    }
  }

  void f1InAnotherWindowUsesThatWindowsContext() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const QString page = PageOf(dir.path() / "prog", run.Settings().Language().CurrentInterfaceLang());
    // A window of the program named as the indexing progress window, with
    // an input box named as the main window's.
    QWidget other(&w, Qt::Window);
    other.setObjectName(QStringLiteral("TIndexingForm"));
    auto* box = new QLineEdit(&other);
    box->setObjectName(QStringLiteral("TntEdit1"));
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    box->setFocus();
    QTest::keyClick(box, Qt::Key_F1);
    CheckHelpAt(w, page, 17);
  }

  void aMissingHelpPageSaysSo() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const QString page = PageOf(dir.path() / "prog", run.Settings().Language().CurrentInterfaceLang());
    QVERIFY(QFile::remove(page));
    w.ShowHelp(6);
    QVERIFY(w.HelpForm()->isVisible());
    QCOMPARE(w.HelpForm()->Anchor(), QString());
    const QString shown = w.HelpForm()->Browser()->toPlainText();
    QVERIFY2(shown.contains(page), qPrintable(shown));
    QVERIFY(!shown.contains(QStringLiteral("%1")));
  }

  void theWebItemOpensTheHomePage() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "Open");
    run.Window().Action(Command::HelpWeb)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QCOMPARE(catcher.urls.size(), 1);
    const QString home = catcher.urls[0].toLocalFile();
    QCOMPARE(home, QDir(ToQ(dir.path() / "prog")).filePath(QStringLiteral("help/home.html")));
    QVERIFY(QFile::exists(home));
  }

  void theAboutBoxAndItsHiddenCredits() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    ProgramRun run(dir.path() / "prog", ToQ(dir.path() / "Settings.conf"));
    auto& w = run.Window();
    const InterfaceLanguage& language = run.Settings().Language();
    bool checked = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<gui::TAboutBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      checked = true;
      // The box closes whatever the checks find, so that the showing ends.
      struct Closer {
        QDialog* box;
        ~Closer() { box->accept(); }
      } closer{box};
      QCOMPARE(box->windowTitle(), QString::fromStdU16String(language.LangText(320)));
      QCOMPARE(box->findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
               QString::fromStdU16String(language.LangText(321)));
      QCOMPARE(box->findChild<QLabel*>(QStringLiteral("Copyright"))->text(),
               QString::fromStdU16String(language.LangText(326)));
      gui::CreditsView* credits = box->Credits();
      QVERIFY(!credits->isVisible());
      QLabel* picture = box->ProgramIcon();
      auto* ok = box->findChild<QWidget*>(QStringLiteral("OKButton"));

      // Without the key nothing shows.
      QTest::mouseDClick(picture, Qt::LeftButton);
      QVERIFY(!credits->isVisible());
      // Another key after Shift+Ctrl+S takes the key away again.
      QTest::keyPress(ok, Qt::Key_S, Qt::ShiftModifier | Qt::ControlModifier);
      QVERIFY(box->CreditsKey());
      QTest::keyPress(ok, Qt::Key_A, Qt::ShiftModifier | Qt::ControlModifier);
      QVERIFY(!box->CreditsKey());
      QTest::keyPress(ok, Qt::Key_S, Qt::ControlModifier);
      QVERIFY(!box->CreditsKey());
      // Held: the double-click shows the credits and starts the scroll.
      QTest::keyPress(ok, Qt::Key_S, Qt::ShiftModifier | Qt::ControlModifier);
      QTest::mouseDClick(picture, Qt::LeftButton);
      QVERIFY(credits->isVisible());
      QVERIFY(credits->Timer()->isActive());
      QCOMPARE(credits->Timer()->interval(), 50);
      // They start at the top and move one step a tick.
      QCOMPARE(credits->verticalScrollBar()->value(), 0);
      const int before = 0;
      QTRY_VERIFY_WITH_TIMEOUT(credits->verticalScrollBar()->value() > before + 2, 2000);
      // A click pauses, another resumes.
      QTest::mouseClick(credits->viewport(), Qt::LeftButton);
      QVERIFY(!credits->Timer()->isActive());
      QTest::mouseClick(credits->viewport(), Qt::LeftButton);
      QVERIFY(credits->Timer()->isActive());
      // Letting go of the key: a double-click on the picture does nothing.
      QTest::keyRelease(ok, Qt::Key_S, Qt::ShiftModifier | Qt::ControlModifier);
      QVERIFY(!box->CreditsKey());
      QTest::mouseDClick(picture, Qt::LeftButton);
      QVERIFY(credits->isVisible());
      // A double-click on the credits hides them and stops the timer.
      QTest::mouseDClick(credits->viewport(), Qt::LeftButton);
      QVERIFY(!credits->isVisible());
      QVERIFY(!credits->Timer()->isActive());
      // With the key again the picture toggles them on and off.
      QTest::keyPress(ok, Qt::Key_S, Qt::ShiftModifier | Qt::ControlModifier);
      QTest::mouseDClick(picture, Qt::LeftButton);
      QVERIFY(credits->isVisible());
      QTest::mouseDClick(picture, Qt::LeftButton);
      QVERIFY(!credits->isVisible());
      QVERIFY(!credits->Timer()->isActive());
    });
    w.Action(Command::HelpAbout)->trigger();
    QVERIFY(checked);
    // The box is released after its showing.
    QVERIFY(w.findChild<gui::TAboutBox*>() == nullptr);
  }

  void theCreditsStartAgainFromTheTop() {
    gui::TAboutBox box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    gui::CreditsView* credits = box.Credits();
    credits->SetShown(true);
    QCoreApplication::processEvents();
    const QString text = credits->toPlainText();
    QVERIFY(text.contains(QStringLiteral("The Lexmora team")));
    QVERIFY(text.contains(QStringLiteral("Təşəkkür edirik!")));       // Azeri, from the letter code
    QVERIFY(text.contains(QStringLiteral("Благодарим всех")));       // Russian, code page 1251
    QVERIFY(text.contains(QStringLiteral("© 2024")));
    QVERIFY(text.startsWith(QStringLiteral(" \n \n \n \n \n \n \n \n \n \n")));  // ten empty lines first
    QScrollBar* bar = credits->verticalScrollBar();
    QVERIFY2(bar->maximum() > credits->viewport()->height(), "the credits are longer than their view");
    // Tick by tick: one step each, and from the end back to the top.
    credits->Timer()->stop();
    bar->setValue(0);
    for (int i = 1; i <= bar->maximum(); ++i) {
      credits->ScrollTick();
      QCOMPARE(bar->value(), i);
    }
    credits->ScrollTick();
    QCOMPARE(bar->value(), 0);
    // The running timer wraps the same way.
    bar->setValue(bar->maximum());
    credits->Timer()->start();
    QTRY_VERIFY_WITH_TIMEOUT(bar->value() < bar->maximum() / 2, 1000);
  }

  void theSplashClosesItselfAfterASecond() {
    gui::TTitleForm splash;
    QCOMPARE(splash.size(), QSize(248, 291));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.VersionLabel()->text(), QStringLiteral("version 1.2"));
    QVERIFY(splash.VersionLabel()->geometry().right() < 248);
    QVERIFY(splash.VersionLabel()->geometry().bottom() < 291);
    QVERIFY(splash.VersionLabel()->geometry().left() > 248 / 2);
    QVERIFY(splash.VersionLabel()->geometry().top() > 291 / 2);
    QElapsedTimer clock;
    clock.start();
    splash.exec();
    const qint64 shown = clock.elapsed();
    QVERIFY2(shown >= 950 && shown < 5000, qPrintable(QString::number(shown)));
    QVERIFY(!splash.isVisible());
    QVERIFY(!splash.Timer1()->isActive());
  }

  void theWindowShowsTheSplashWhileItStarts() {
    TempDir dir;
    CopySampleFolder(dir.path() / "prog");
    gui::MainWindowOptions options;
    options.programDir = ToQ(dir.path() / "prog");
    options.displayIconOnTaskBar = false;
    options.keyboardLayouts = std::make_shared<platform::NullKeyboardLayouts>();
    options.showSplash = true;
    bool seen = false;
    QTimer::singleShot(200, [&] {
      seen = qobject_cast<gui::TTitleForm*>(QApplication::activeModalWidget()) != nullptr;
    });
    gui::TLexmoraAzeriDictionaries w(options);
    QVERIFY(seen);
    QVERIFY(w.TitleForm() != nullptr);
    QVERIFY(!w.TitleForm()->isVisible());
    // Without the option there is none.
    options.showSplash = false;
    gui::TLexmoraAzeriDictionaries quiet(options);
    QVERIFY(quiet.TitleForm() == nullptr);
  }
};

QTEST_MAIN(HelpAboutTest)
#include "help_about_test.moc"
