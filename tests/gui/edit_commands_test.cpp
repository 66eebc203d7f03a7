// The edit commands and the clipboard: copy, cut, paste and select all on
// the input box and the article.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextEdit>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include <QMenu>
#include <QTextCursor>

#include "gui_test_support.h"

using namespace lexmora;
using namespace lexmora::test;

class EditCommandsTest : public QObject {
  Q_OBJECT

  std::unique_ptr<gui::TLexmoraAzeriDictionaries> Open(TempDir& dir) {
    WriteGroup(dir.path(), 1,
               {SubDict(0, {{"apple", Article("apple", "alma")}, {"bank", Article("bank", "bank, sahil")}})});
    auto w = OpenWindow(dir.path());
    w->show();
    if (!QTest::qWaitForWindowExposed(w.get())) return nullptr;
    return w;
  }
  static void Run(gui::TLexmoraAzeriDictionaries& w, const char* action) { w.findChild<QAction*>(action)->trigger(); }

 private slots:
  void copyWithNoFocusLeavesAnEmptyText() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    QApplication::clipboard()->setText("old");
    w->WordList()->setFocus();
    QApplication::processEvents();
    Run(*w, "aEditCopy");
    QCOMPARE(QApplication::clipboard()->text(), QString());
  }

  void pasteTakesTheFirstLineAndAtMost999Units() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    w->InputBox()->setFocus();
    QApplication::clipboard()->setText("bank\r\nsecond line");
    w->InputBox()->selectAll();
    Run(*w, "aEditPaste");
    QCOMPARE(w->InputBox()->text(), QString("bank"));
    QCOMPARE(w->SelectedHeadword(), QString("bank"));
    QApplication::clipboard()->setText(QString(1500, QChar(u'x')));
    w->InputBox()->selectAll();
    Run(*w, "aEditPaste");
    QCOMPARE(w->InputBox()->text().size(), 999);
  }

  void theEditKeysReachTheWindowsCommands() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    // The input box must not keep Ctrl+V and the others for its own paste.
    for (Qt::Key key : {Qt::Key_X, Qt::Key_C, Qt::Key_V, Qt::Key_A}) {
      QKeyEvent over(QEvent::ShortcutOverride, key, Qt::ControlModifier);
      QApplication::sendEvent(w->InputBox(), &over);
      QVERIFY(!over.isAccepted());
    }
    QKeyEvent letter(QEvent::ShortcutOverride, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QApplication::sendEvent(w->InputBox(), &letter);  // other keys stay the box's
    QVERIFY(letter.isAccepted());
  }

  void aPictureOnlyClipboardDeletesTheSelection() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    w->InputBox()->setFocus();
    w->InputBox()->setText("apple pie");
    w->InputBox()->setSelection(5, 4);
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QApplication::clipboard()->setImage(picture);
    Run(*w, "aEditPaste");
    QCOMPARE(w->InputBox()->text(), QString("apple"));
  }

  void cutCopiesThenDeletesOnlyTheSelection() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    w->InputBox()->setFocus();
    w->InputBox()->setText("bank");
    w->InputBox()->setSelection(0, 2);
    Run(*w, "aEditCut");
    QCOMPARE(QApplication::clipboard()->text(), QString("ba"));
    QCOMPARE(w->InputBox()->text(), QString("nk"));
    w->InputBox()->deselect();
    w->InputBox()->setCursorPosition(0);
    Run(*w, "aEditCut");  // nothing selected: nothing deleted
    QCOMPARE(w->InputBox()->text(), QString("nk"));
  }

  void selectAllInTheArticleThenCopyGivesTheWholeArticle() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    w->WordList()->SelectRow(1);
    w->Article()->View()->setFocus();
    QApplication::processEvents();
    Run(*w, "aEditSelectAll");
    Run(*w, "aEditCopy");
    const QString copied = QApplication::clipboard()->text();
    QVERIFY(copied.contains("bank, sahil"));
    QCOMPARE(copied, w->ArticlePlainText().remove(QChar::ObjectReplacementCharacter));
  }

  // The popups' Copy puts the context word as it stands: a selection over
  // paragraphs keeps its CR LF, unlike a paste, which would cut it.
  void theContextWordGoesToTheClipboardUnchanged() {
    TempDir dir;
    auto w = Open(dir);
    QVERIFY(w);
    w->WordList()->SelectRow(1);
    w->Article()->View()->selectAll();
    QMenu* popup = w->Article()->PopupFor(QPoint(1, 1));
    QVERIFY(popup);
    QCOMPARE(popup->objectName(), QString("TntPopupMenu2"));
    QVERIFY(w->Article()->ContextWord().contains("\r\n"));
    QAction* copy = popup->findChild<QAction*>("TntMenuItem1");
    QVERIFY(copy);
    copy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), w->Article()->ContextWord());
    // The word popup: the clicked word alone.
    w->Article()->View()->moveCursor(QTextCursor::Start);
    const QRect first = w->Article()->View()->cursorRect();
    popup = w->Article()->PopupFor(first.center() + QPoint(2, 0));
    QCOMPARE(popup->objectName(), QString("TntPopupMenu1"));
    Run(*w, "servSetClipBoard");
    QCOMPARE(QApplication::clipboard()->text(), QString("bank"));
  }
};

QTEST_MAIN(EditCommandsTest)
#include "edit_commands_test.moc"
