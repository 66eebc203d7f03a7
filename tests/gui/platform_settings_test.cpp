// The platform side of the settings: the QSettings store of the values and
// the fonts of the first run, installed into a font folder and registered.
#include <QFontDatabase>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <fstream>

#include "platform/font_registration.h"
#include "platform/qsettings_backend.h"
#include "settings/font_archive_writer.h"
#include "settings/settings_store.h"
#include "support/temp_dir.h"

using namespace lexmora;
using namespace lexmora::test;

namespace {

QString ToQ(const std::filesystem::path& p) { return QString::fromStdString(p.string()); }

const char* kFontFile = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class PlatformSettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

  void valuesKeepTheirTypesAcrossAReopen() {
    TempDir dir;
    const QString file = ToQ(dir.path() / "Settings.conf");
    {
      platform::QSettingsBackend backend(file);
      QVERIFY(backend.Open());
      backend.WriteText("MainSystemDir", "/opt/ləksmora/");
      backend.WriteInteger("WindowPosX", -12);
      backend.WriteInteger("Big", static_cast<std::int32_t>(0x80000001u));
      backend.WriteBinary("Block", std::string("\x00\x01\xff\x0d\x0a", 5));
      backend.WriteText("Gone", "x");
      backend.Remove("Gone");
      backend.Close();
    }
    platform::QSettingsBackend backend(file);
    QVERIFY(backend.Open());
    QVERIFY(backend.Exists("WindowPosX"));
    QVERIFY(!backend.Exists("Gone"));
    QCOMPARE(backend.ReadText("MainSystemDir").value(), std::string("/opt/ləksmora/"));
    QCOMPARE(backend.ReadInteger("WindowPosX").value(), -12);
    QCOMPARE(backend.ReadInteger("Big").value(), static_cast<std::int32_t>(0x80000001u));
    QCOMPARE(backend.ReadBinary("Block").value(), std::string("\x00\x01\xff\x0d\x0a", 5));
    // A value of another type reads as missing.
    QVERIFY(!backend.ReadBinary("WindowPosX").has_value());
    QVERIFY(!backend.ReadInteger("Block").has_value());
    QVERIFY(!backend.ReadInteger("MainSystemDir").has_value());
    QVERIFY(!backend.ReadText("Missing").has_value());
  }

  void theStoreLoadsAndSavesThroughQSettings() {
    TempDir dir;
    const QString file = ToQ(dir.path() / "Settings.conf");
    SettingsEnvironment env{1280, 800, dir.path() / "lexmora"};
    {
      platform::QSettingsBackend backend(file);
      SettingsStore store(backend, env);
      store.Load();
      store.options().CurrentBoxWord = u"şəhər";
      store.options().CurrentBoxWordLen = 5;
      store.options().ToolbarsCoords.dictVisible = false;
      store.Save();
    }
    platform::QSettingsBackend backend(file);
    SettingsStore store(backend, env);
    store.Load();
    QCOMPARE(store.options().FirstRun, 0);
    QVERIFY(store.options().CurrentBoxWord == u"şəhər");
    QVERIFY(!store.options().ToolbarsCoords.dictVisible);
    QCOMPARE(store.options().WindowPosX, (1280 - 626) / 2);
  }

  void archiveFontsAreInstalledOnceWithTheirTimeAndRegistered() {
    if (!std::filesystem::exists(kFontFile)) QSKIP("no Liberation Sans on this system");
    TempDir dir;
    const double time = 45000.5;  // 15 March 2023, noon
    const std::string archive = BuildFontArchive({{"FONTS.STR", BuildFontList({"Lexmora Missing Face"}), 0},
                                                  {"LexTest.ttf", ReadAll(kFontFile), time}});
    std::ofstream(dir.path() / "system.lib", std::ios::binary) << archive;
    const auto fonts = dir.path() / "fonts";
    const auto written = platform::InstallAndRegisterFonts(dir.path() / "system.lib", fonts);
    QCOMPARE(written.size(), std::size_t{1});
    QVERIFY(std::filesystem::exists(fonts / "LexTest.ttf"));
    QVERIFY(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")));
    // Modification time from the entry: 2023-03-15 12:00 (UTC).
    const auto stamp = std::filesystem::last_write_time(fonts / "LexTest.ttf");
    const auto sys = std::chrono::file_clock::to_sys(stamp);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch()).count();
    QVERIFY(std::llabs(seconds - 1678881600LL) <= 1);
    // Existing files stay as they are.
    QVERIFY(platform::InstallAndRegisterFonts(dir.path() / "system.lib", fonts).empty());
  }

  void theFoldersFollowTheStandardLocations() {
    QVERIFY(platform::UserFontsFolder().string().ends_with("/fonts"));
    QVERIFY(platform::AutostartFolder().string().ends_with("/autostart"));
    QVERIFY(!platform::InstalledFontFaces().empty());
  }
};

QTEST_MAIN(PlatformSettingsTest)
#include "platform_settings_test.moc"
