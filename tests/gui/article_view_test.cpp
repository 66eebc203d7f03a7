// The article view on the markup walk, its popups, and windows on damaged
// data files.
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <fstream>

#include "dictionary/article_document_sink.h"
#include "dictionary/article_view.h"
#include "dictionary/context_word.h"
#include "dictionary/word_list_frame.h"
#include "gui_test_support.h"

using namespace lexmora;
using namespace lexmora::test;

class ArticleViewTest : public QObject {
  Q_OBJECT

 private:
  static void Truncate(const std::filesystem::path& file, std::uintmax_t size) { std::filesystem::resize_file(file, size); }

 private slots:
  void paragraphsIndentsAndHighlight() {
    gui::ArticleView view;
    const std::string article = std::string("\r\n\r\n") + MarkupTag(1, 5, 0) + "head" + MarkupTag(2, 3, 0) +
                                MarkupTag(1, 0, 0) + "indented " + MarkupTag(7, 1, 255) + "hit" + MarkupTag(8, 1, 255) +
                                " rest" + MarkupTag(9, 0, 7) + MarkupTag(1, 2, 0) + "\xC6" "l" + MarkupTag(4, 0x8F, 1);
    view.ShowArticle(article);
    QTextDocument* doc = view.View()->document();
    QCOMPARE(doc->blockCount(), 4);
    QCOMPARE(doc->findBlockByNumber(0).text(), QString(" "));
    QCOMPARE(doc->findBlockByNumber(1).text(), QString(" "));
    QCOMPARE(doc->findBlockByNumber(2).text(), QString("head"));
    const QTextBlock indented = doc->findBlockByNumber(3);
    QVERIFY(indented.text().startsWith("indented hit rest"));
    QVERIFY(indented.text().endsWith(QString::fromUtf8("Əl") + QChar(0x018F)));
    QCOMPARE(indented.blockFormat().leftMargin(), 30.0 + 2);
    QCOMPARE(indented.blockFormat().textIndent(), 20.0);
    QCOMPARE(indented.blockFormat().rightMargin(), 5.0 + 2);
    bool sawHighlight = false, sawSound = false;
    for (auto it = indented.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.text() == "hit") {
        sawHighlight = true;
        QCOMPARE(f.charFormat().background().color(), QColor(0x80, 0x80, 0x80));
        QCOMPARE(f.charFormat().foreground().color(), QColor(0xFF, 0xFF, 0xFF));
      }
      if (f.charFormat().isImageFormat()) {
        sawSound = true;
        // The article's first button, holding sound number 7.
        QCOMPARE(gui::SoundButtonOfLink(f.charFormat().anchorHref()), 0);
        QCOMPARE(f.charFormat().toImageFormat().width(), 19.0);
      }
    }
    QVERIFY(sawHighlight);
    QVERIFY(sawSound);
    QCOMPARE(view.SoundButtonCount(), 1);
    QCOMPARE(view.SoundButton(0)->SoundNumber(), 7);
    // The headword style: Arial 12 bold, #8E021E.
    const QTextCharFormat head = doc->findBlockByNumber(2).begin().fragment().charFormat();
    QCOMPARE(head.fontPointSize(), 12.0);
    QCOMPARE(head.fontWeight(), int(QFont::Bold));
    QCOMPARE(head.foreground().color(), QColor(0x8E, 0x02, 0x1E));
    view.Clear();
    QCOMPARE(view.PlainText(), QString());
  }

  void clickedWordLosesTrailingPunctuation() {
    QCOMPARE(gui::WordAt("one two, three", 5), QString("two"));
    QCOMPARE(gui::WordAt("what?! x", 2), QString("what?!"));
    QCOMPARE(gui::TrimClickedWord("what?!"), QString("what"));
    QCOMPARE(gui::WordAt("(kitab) x", 3), QString("kitab"));
    QCOMPARE(gui::TrimClickedWord("what?!@/"), QString("what"));
    QCOMPARE(gui::BeforeFirstReturn("first line\r\nsecond"), QString("first line"));
  }

  void popupSearchesTheWordInTheList() {
    TempDir dir;
    WriteGroup(dir.path(), 1,
               {SubDict(0, {{"apple", Article("apple", "see bank, or cat")}, {"bank", Article("bank", "money")},
                            {"cat", Article("cat", "animal")}})});
    auto w = OpenWindow(dir.path());
    w->resize(800, 600);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(w->SelectedHeadword(), QString("apple"));
    // Put the right click on "bank," in the article.
    QTextDocument* doc = w->Article()->View()->document();
    const QTextCursor found = doc->find("bank,");
    QVERIFY(!found.isNull());
    QTextCursor at(doc);
    at.setPosition(found.selectionStart() + 1);
    const QPoint point = w->Article()->View()->cursorRect(at).center();
    QMenu* popup = w->Article()->PopupFor(point);
    QCOMPARE(popup->objectName(), QString("TntPopupMenu1"));
    QCOMPARE(w->Article()->ContextWord(), QString("bank"));
    QCOMPARE(popup->actions().first()->text(), QString("bank"));
    popup->findChild<QAction*>("TntMenuItem4")->trigger();
    QCOMPARE(w->InputBox()->text(), QString("bank"));
    QCOMPARE(w->SelectedHeadword(), QString("bank"));
    QCOMPARE(w->ViewMode(), 0);
    // A selection uses the other popup.
    w->Article()->View()->selectAll();
    QCOMPARE(w->Article()->PopupFor(point)->objectName(), QString("TntPopupMenu2"));
    QCOMPARE(w->Article()->ContextWord(), QString("bank\r\nmoney"));
    w->findChild<QAction*>("servSearchInList")->trigger();
    QCOMPARE(w->InputBox()->text(), QString("bank"));
  }

  void damagedFilesShowWhatTheyCan() {
    TempDir dir;
    std::vector<std::pair<std::string, std::string>> words;
    for (int i = 0; i < 40; ++i) {
      const std::string hw = "word" + std::to_string(100 + i);
      words.push_back({hw, Article(hw, "text of " + hw)});
    }
    WriteGroup(dir.path(), 1, {SubDict(0, words)});
    const auto wif = dir.path() / "DICT" / "vcl_ea.wif";
    const auto wbf = dir.path() / "DICT" / "vcl_ea000.wbf";
    // A base cut in the middle of its articles: the first articles show, the rest are empty.
    Truncate(wbf, 7295 + 200);
    {
      auto w = OpenWindow(dir.path());
      QCOMPARE(w->RowCount(), 40);
      QVERIFY(w->ArticlePlainText().contains("word100"));
      w->InputBox()->setText("word139");
      QCOMPARE(w->SelectedHeadword(), QString("word139"));
      QCOMPARE(w->ArticlePlainText(), QString());
    }
    // A base cut inside its header: no button, no entries.
    Truncate(wbf, 3000);
    {
      auto w = OpenWindow(dir.path());
      QCOMPARE(w->RowCount(), 0);
      w->InputBox()->setText("word");
      QCOMPARE(w->ArticlePlainText(), QString());
    }
    // A word index cut inside its records, and one holding only garbage.
    Truncate(wif, 49 + 76 * 10 + 30);
    { auto w = OpenWindow(dir.path()); w->InputBox()->setText("w"); }
    std::ofstream(wif, std::ios::binary | std::ios::trunc) << std::string(1000, '\x5A');
    { auto w = OpenWindow(dir.path()); w->InputBox()->setText("zz"); QVERIFY(w->RowCount() >= 0); }
    std::ofstream(wif, std::ios::binary | std::ios::trunc) << "x";
    { auto w = OpenWindow(dir.path()); w->InputBox()->setText("zz"); QCOMPARE(w->RowCount(), 0); }
  }
};

QTEST_MAIN(ArticleViewTest)
#include "article_view_test.moc"
