#include "platform/font_registration.h"

#include <QFontDatabase>
#include <QStandardPaths>

#include "settings/font_install.h"

namespace lexmora::platform {
namespace {

std::filesystem::path FromQString(const QString& s) {
  const QByteArray utf8 = s.toUtf8();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

QString ToQString(const std::filesystem::path& p) {
  const std::u8string s = p.u8string();
  return QString::fromUtf8(reinterpret_cast<const char*>(s.data()), static_cast<qsizetype>(s.size()));
}

}  // namespace

std::filesystem::path UserFontsFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) / "fonts";
}

std::filesystem::path AutostartFolder() {
  return FromQString(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)) / "autostart";
}

std::vector<std::string> InstalledFontFaces() {
  std::vector<std::string> faces;
  for (const QString& family : QFontDatabase::families()) faces.push_back(family.toUtf8().toStdString());
  return faces;
}

std::vector<std::filesystem::path> InstallAndRegisterFonts(const std::filesystem::path& archive,
                                                           const std::filesystem::path& fontsFolder) {
  std::vector<std::filesystem::path> written = InstallFontsFromArchive(archive, fontsFolder, InstalledFontFaces());
  for (const auto& file : written) QFontDatabase::addApplicationFont(ToQString(file));
  return written;
}

}  // namespace lexmora::platform
