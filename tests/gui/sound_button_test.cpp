// Sound buttons of the shown article, their playback threads, and the
// Pronounce command, on a sound output that records what it is handed.
#include <QSignalSpy>
#include <QTest>

#include <condition_variable>
#include <mutex>
#include <vector>

#include "audio/sound_output.h"
#include "dictionary/article_document_sink.h"
#include "dictionary/article_view.h"
#include "dictionary/speech_player.h"
#include "dictionary/sound_button.h"
#include "gui_test_support.h"
#include "sound/sound_archive.h"
#include "sound/wav_image.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

// Records every image played; while held, a play waits (its thread runs on).
class RecordingOutput : public platform::SoundOutput {
 public:
  bool Play(std::string_view image) override {
    std::unique_lock lock(mutex_);
    played_.emplace_back(image);
    changed_.notify_all();
    changed_.wait(lock, [this] { return !held_; });
    return true;
  }
  void Hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    held_ = false;
    changed_.notify_all();
  }
  // Waits until n images have been handed over.
  bool WaitForPlays(std::size_t n) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(20), [&] { return played_.size() >= n; });
  }
  std::vector<std::string> Played() {
    std::lock_guard lock(mutex_);
    return played_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> played_;
  bool held_ = false;
};

}  // namespace

class SoundButtonTest : public QObject {
  Q_OBJECT

 private:
  TempDir dir_;
  std::filesystem::path archive_;

  gui::SoundSource Source() const { return {archive_, 1, 3}; }
  static bool WaitForEnd(gui::TSoundButton& button) {
    if (!button.PlayingFlag()) return true;
    QSignalSpy ended(&button, &gui::TSoundButton::ThreadEnded);
    return ended.wait(5000);
  }

 private slots:
  void init() { archive_ = dir_.Write("DICT/vcl_ea003.snd", SoundArchiveImage({"RIFF one", "OggS two", "ID3 three"})); }
  void cleanup() { gui::TSoundThread::WaitForAll(); }

  void itemsOneToThreePlayAndNoOthers() {
    RecordingOutput out;
    for (int n = 0; n <= 4; ++n) {
      gui::TSoundButton button(Source(), n, &out);
      const bool played = button.Click();
      QCOMPARE(played, n >= 1 && n <= 3);
      QVERIFY(WaitForEnd(button));
    }
    QCOMPARE(out.Played(), (std::vector<std::string>{"RIFF one", "OggS two", "ID3 three"}));
  }

  void aSecondClickAfterTheThreadEndedPlaysWithoutReadingAgain() {
    RecordingOutput out;
    gui::TSoundButton button(Source(), 2, &out);
    QVERIFY(button.Click());
    QVERIFY(WaitForEnd(button));
    QCOMPARE(button.SoundData(), std::string("OggS two"));
    std::filesystem::remove(archive_);  // a read now would find nothing
    QVERIFY(button.Click());
    QVERIFY(WaitForEnd(button));
    QCOMPARE(out.Played(), (std::vector<std::string>{"OggS two", "OggS two"}));
  }

  void aClickWhileTheThreadRunsIsIgnored() {
    RecordingOutput out;
    out.Hold();
    gui::TSoundButton button(Source(), 1, &out);
    QVERIFY(button.Click());
    QVERIFY(out.WaitForPlays(1));
    QVERIFY(button.PlayingFlag());
    QVERIFY(!button.Click());
    out.Release();
    QVERIFY(WaitForEnd(button));
    QVERIFY(!button.PlayingFlag());
    QCOMPARE(out.Played().size(), std::size_t{1});
  }

  void aMissingArchiveGivesASilentButtonThatStaysUsable() {
    RecordingOutput out;
    gui::TSoundButton button({dir_.path() / "DICT/vcl_ea007.snd", 1, 7}, 1, &out);
    QVERIFY(!button.Click());
    QVERIFY(!button.PlayingFlag());
    QVERIFY(!button.Click());
    // Without any output the button is silent too, and still clickable.
    gui::TSoundButton mute(Source(), 1, nullptr);
    QVERIFY(mute.Click());
    QVERIFY(WaitForEnd(mute));
    QVERIFY(mute.Click());
    QVERIFY(WaitForEnd(mute));
    QVERIFY(out.Played().empty());
  }

  void aButtonDestroyedWhileItsThreadRunsIsNotTouched() {
    RecordingOutput out;
    out.Hold();
    auto* button = new gui::TSoundButton(Source(), 3, &out);
    QVERIFY(button->Click());
    QVERIFY(out.WaitForPlays(1));
    delete button;  // the article was replaced
    out.Release();
    gui::TSoundThread::WaitForAll();
    QTest::qWait(50);  // the end notice and the thread's release are delivered
    QCOMPARE(out.Played(), std::vector<std::string>{"ID3 three"});
  }

  void theArticleViewMakesAButtonPerMarkAndDropsThemWithTheArticle() {
    RecordingOutput out;
    gui::ArticleView view;
    view.SetSoundOutput(&out);
    view.ShowArticle(Article("word", "one " + MarkupTag(9, 0, 2) + " two " + MarkupTag(9, 0, 3)), Source());
    QCOMPARE(view.SoundButtonCount(), 2);
    QCOMPARE(view.SoundButton(0)->SoundNumber(), 2);
    QCOMPARE(view.SoundButton(1)->SoundNumber(), 3);
    QCOMPARE(view.SoundButton(1)->SubDictNumber(), 3);
    QPointer<gui::TSoundButton> first = view.SoundButton(0);
    // A click on the second button's link plays the second mark's sound.
    emit view.View()->anchorClicked(QUrl(gui::SoundLink(1)));
    QVERIFY(out.WaitForPlays(1));
    QCOMPARE(out.Played().front(), std::string("ID3 three"));
    emit view.View()->anchorClicked(QUrl(gui::SoundLink(5)));  // no such button: nothing
    view.ShowArticle(Article("other", "no sound"), Source());
    QVERIFY(first.isNull());
    QCOMPARE(view.SoundButtonCount(), 0);
    view.ShowArticle(Article("word", MarkupTag(9, 0, 1)), Source());
    view.Clear();
    QCOMPARE(view.SoundButtonCount(), 0);
    gui::TSoundThread::WaitForAll();
    QCOMPARE(out.Played().size(), std::size_t{1});
  }

  // Pronounce plays the recording of the shown word when its article has
  // one, else speaks the headword; a selection is spoken as it is.
  void pronouncePrefersTheRecordingAndElseSpeaks() {
    TempDir folder;
    CopySampleFolder(folder.path());
    RecordingOutput out;
    gui::MainWindowOptions options;
    options.programDir = QString::fromStdString(folder.path().string());
    options.displayIconOnTaskBar = false;
    options.keyboardLayouts = std::make_shared<platform::NullKeyboardLayouts>();
    options.soundOutput = &out;
    gui::TLexmoraAzeriDictionaries window(options);
    window.ListWordChanged("apple");  // its article has sound mark 1
    QVERIFY(window.Article()->SoundButtonCount() > 0);
    out.Hold();
    window.Pronounce(QString());
    QVERIFY(out.WaitForPlays(1));
    // Again while the recording's thread runs: the word is not spoken over it.
    QVERIFY(window.Article()->SoundButton(0)->PlayingFlag());
    window.Pronounce(QString());
    out.Release();
    window.Speech()->WaitForDone();
    QVERIFY(WaitForEnd(*window.Article()->SoundButton(0)));
    QCOMPARE(out.Played().size(), std::size_t{1});
    QCOMPARE(out.Played()[0].substr(0, 4), std::string("OggS"));
    QCOMPARE(out.Played()[0], LoadSound(SoundArchiveFile(folder.path(), "vcl_ea", 0), 1));

    window.ListWordChanged("autumn");  // no sound mark
    QCOMPARE(window.Article()->SoundButtonCount(), 0);
    window.Pronounce(QString());
    QVERIFY(out.WaitForPlays(2));
    const WavInfo spoken = ReadWavInfo(out.Played()[1]);
    QVERIFY(spoken.sampleRate > 0);
    QVERIFY(spoken.dataBytes > static_cast<std::uint32_t>(spoken.sampleRate / 5));  // over 0.1 s

    window.Pronounce(QStringLiteral("good morning to you"));
    QVERIFY(out.WaitForPlays(3));
    QVERIFY(ReadWavInfo(out.Played()[2]).dataBytes > spoken.dataBytes);
    window.Speech()->WaitForDone();
    gui::TSoundThread::WaitForAll();
  }
};

QTEST_MAIN(SoundButtonTest)
#include "sound_button_test.moc"
