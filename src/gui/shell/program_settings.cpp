#include "program_settings.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include "platform/font_registration.h"
#include "settings/autorun_entry.h"

namespace lexmora::gui {
namespace {

std::filesystem::path FromQString(const QString& s) {
  const QByteArray utf8 = s.toUtf8();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

SettingsEnvironment DesktopSettingsEnvironment(const QString& executablePath) {
  SettingsEnvironment env;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    env.screenWidth = screen->geometry().width();
    env.screenHeight = screen->geometry().height();
  }
  env.executablePath = FromQString(QDir::toNativeSeparators(executablePath));
  return env;
}

FirstRunSteps DesktopFirstRunSteps() {
  FirstRunSteps steps;
  steps.refreshAutorunEntry = [](const std::string& agentPath) {
    RefreshAutorunEntry(platform::AutostartFolder(), agentPath);
  };
  steps.installFonts = [](const std::filesystem::path& archive) {
    platform::InstallAndRegisterFonts(archive, platform::UserFontsFolder());
  };
  return steps;
}

ProgramSettings::ProgramSettings(std::unique_ptr<SettingsBackend> backend, const SettingsEnvironment& environment)
    : backend_(std::move(backend)), store_(*backend_, environment) {}

ProgramSettings::~ProgramSettings() = default;

void ProgramSettings::LoadSettings(const FirstRunSteps& steps) {
  store_.Load(steps);
  available_ = language_.AvailableLanguages(FromQString(ProgramFolder()));
}

void ProgramSettings::SaveSettings() { store_.Save(); }

QString ProgramSettings::ProgramFolder() const {
  if (!runFolder_.isEmpty()) return runFolder_;
  return QDir(QString::fromStdString(store_.options().MainSystemDir)).absolutePath();
}

}  // namespace lexmora::gui
