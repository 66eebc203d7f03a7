// The game window on the sample folder: opening it, a key starting a game,
// answers colouring regions, the clock, and losing the focus.
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <QTextBrowser>

#include "gui_test_support.h"
#include "lists_game/game_form.h"
#include "lists_game/game_pictures.h"
#include "shell/interface_texts.h"

using namespace lexmora;
using namespace lexmora::test;

class GameFormTest : public QObject {
  Q_OBJECT

  static void PressKey(gui::TGameForm& form, Qt::Key key = Qt::Key_Space) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QStringLiteral(" "));
    QApplication::sendEvent(&form, &press);
  }
  static void Enter(gui::TGameForm& form, const QString& text) {
    form.AnswerBox()->setText(text);
    QTest::keyClick(form.AnswerBox(), Qt::Key_Return);
  }
  static int PixelsOf(const QImage& image, QRgb colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return n;
  }

 private slots:
  void aKeyStartsAGameAndAnswersColourRegions() {
    TempDir dir;
    CopySampleFolder(dir.path());
    auto w = OpenWindow(dir.path(), 1);
    gui::TGameForm& form = *w->GameForm();
    QVERIFY(w->Session().Game().AutoListMade == false);
    form.show();
    QVERIFY(form.TitlePicture()->isVisible());
    QVERIFY(!form.AnswerBox()->isVisible());
    PressKey(form);
    QVERIFY(!form.TitlePicture()->isVisible());
    QVERIFY(form.PictureArea()->isVisible());
    QVERIFY(form.AnswerBox()->isVisible());
    QVERIFY(form.Timer().isActive());
    QVERIFY(!form.QuestionView()->toPlainText().trimmed().isEmpty());
    const GameRound& round = w->Session().Game().round;
    QVERIFY(round.RegionCount() > 0);
    // The test answer is always right: the region turns transparent.
    const QImage before = form.findChild<QWidget*>("PaintBox1")->grab().toImage();
    Enter(form, QStringLiteral("QZJ"));
    QCOMPARE(round.solved, 1);
    QCOMPARE(round.position, 1);
    QVERIFY(form.AnswerBox()->text().isEmpty());
    // A wrong answer paints its region black and waits for a key.
    Enter(form, QStringLiteral("certainly not the word"));
    QCOMPARE(round.wrongAnswers, 1);
    QVERIFY(!form.AnswerBox()->isVisible());
    QCOMPARE(form.Gauge()->value(), 100);
    QVERIFY(!form.Timer().isActive());
    form.PictureArea()->repaint();
    const QImage after = form.PictureArea()->grab().toImage();
    QVERIFY(PixelsOf(after, 0x000000) > PixelsOf(before, 0x000000));
  }

  void theClockRunsOutAfterTwentySeconds() {
    TempDir dir;
    CopySampleFolder(dir.path());
    auto w = OpenWindow(dir.path(), 1);
    gui::TGameForm& form = *w->GameForm();
    form.show();
    PressKey(form);
    form.Timer().stop();  // ticked by hand
    for (int i = 0; i < GameTimeLimit - 1; ++i) form.Timer1Timer();
    QCOMPARE(form.Gauge()->value(), 99);
    QVERIFY(form.AnswerBox()->isVisible());
    form.Timer1Timer();
    QVERIFY(!form.AnswerBox()->isVisible());
    QCOMPARE(w->Session().Game().round.wrongAnswers, 1);
  }

  void anEmptyUserListDoesNotOpenTheGame() {
    TempDir dir;
    CopySampleFolder(dir.path());
    auto w = OpenWindow(dir.path(), 1);
    QString shown;
    w->Dialogs().warn = [&shown](QWidget*, const QString&, const QString& text) { shown = text; };
    w->SpeedButton1Click(1);
    QCOMPARE(w->RowCount(), 0);
    w->SpeedButton2Click();
    QCOMPARE(shown, gui::InterfaceText(307));
    QVERIFY(!shown.isEmpty());
    QVERIFY(!w->GameForm()->isVisible());
  }

  void theGameWordsAreFoundOnAWorker() {
    TempDir dir;
    CopySampleFolder(dir.path());
    auto w = OpenWindow(dir.path(), 1);
    const auto known = [&w](int g) {
      const GameWordTable& table = w->Session().GameWords(g);
      return table.size() == w->Session().Group(g).entries.size() &&
             std::none_of(table.begin(), table.end(), [](std::uint8_t m) { return m == kUnknown; });
    };
    QTRY_VERIFY_WITH_TIMEOUT(known(1) && known(2), 10000);
    // Switching a sub-dictionary off loads the group again: its words are scanned anew.
    w->SubDict1_SBClick(1);
    QTRY_VERIFY_WITH_TIMEOUT(known(1), 10000);
    QCOMPARE(w->Session().GameWords(1).size(), w->Session().Group(1).entries.size());
  }

  void aRightAnswerLetsTheBackgroundThroughItsRegion() {
    TempDir dir;
    CopySampleFolder(dir.path());
    gui::GamePictureSet pictures(dir.path());
    QVERIFY(pictures.LoadGamePicture(0));
    QVERIFY(pictures.LoadGameBackground(0));
    const auto record = LoadGamePicture(dir.path(), 0);
    QVERIFY(record && !record->points.empty());
    const RegionPoint point = record->points.front();
    QCOMPARE(qAlpha(pictures.RegionPicture().pixel(point.x, point.y)), 255);
    GameRound round;
    pictures.Fill({.region = 1, .right = true}, round);
    QCOMPARE(qAlpha(pictures.RegionPicture().pixel(point.x, point.y)), 0);
    // At the picture's own size the composite shows the background there.
    const QSize size = pictures.RegionPicture().size();
    const QImage composite = pictures.Compose(size, false);
    const QImage background = pictures.Background().scaled(size);
    QCOMPARE(composite.pixel(point.x, point.y), background.pixel(point.x, point.y));
    // A wrong answer paints the region black, opaque.
    pictures.Fill({.region = 2, .right = false}, round);
    const RegionPoint second = record->points[1];
    QCOMPARE(pictures.RegionPicture().pixel(second.x, second.y), qRgb(0, 0, 0));
  }

  void theSamplePicturesDecode() {
    TempDir dir;
    CopySampleFolder(dir.path());
    gui::GamePictureSet pictures(dir.path());
    QVERIFY(pictures.PictureCount() >= 4);
    QVERIFY(pictures.BackgroundCount() >= 3);
    for (int p = 0; p < pictures.PictureCount(); ++p) {
      QVERIFY(pictures.LoadGamePicture(p));
      QVERIFY(!pictures.RegionPicture().isNull());
      QVERIFY(pictures.RegionCount() > 0);
    }
    for (int b = 0; b < pictures.BackgroundCount(); ++b) {
      QVERIFY(pictures.LoadGameBackground(b));
      QVERIFY(!pictures.Background().isNull());
    }
  }
};

QTEST_MAIN(GameFormTest)
#include "game_form_test.moc"
