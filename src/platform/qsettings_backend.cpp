#include "platform/qsettings_backend.h"

#include <QByteArray>
#include <QSettings>
#include <QVariant>

namespace lexmora::platform {
namespace {

QString Key(std::string_view name) { return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())); }

}  // namespace

QSettingsBackend::QSettingsBackend() = default;
QSettingsBackend::QSettingsBackend(const QString& filePath) : filePath_(filePath) {}
QSettingsBackend::~QSettingsBackend() { Close(); }

bool QSettingsBackend::Open() {
  if (filePath_.isEmpty())
    settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lexmora"),
                                            QStringLiteral("Settings"));
  else
    settings_ = std::make_unique<QSettings>(filePath_, QSettings::NativeFormat);
  if (settings_->status() != QSettings::NoError) {
    settings_.reset();
    return false;
  }
  return true;
}

void QSettingsBackend::Close() {
  if (!settings_) return;
  settings_->sync();
  settings_.reset();
}

bool QSettingsBackend::Exists(std::string_view name) const { return settings_ && settings_->contains(Key(name)); }

std::optional<std::string> QSettingsBackend::ReadText(std::string_view name) const {
  if (!Exists(name)) return std::nullopt;
  const QVariant v = settings_->value(Key(name));
  if (v.typeId() == QMetaType::QByteArray) return std::nullopt;  // a byte block is not text
  const QByteArray utf8 = v.toString().toUtf8();
  return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::optional<std::int32_t> QSettingsBackend::ReadInteger(std::string_view name) const {
  if (!Exists(name)) return std::nullopt;
  const QVariant v = settings_->value(Key(name));
  if (v.typeId() == QMetaType::QByteArray) return std::nullopt;
  // A settings file keeps numbers as text; the registry as a DWORD.
  bool ok = false;
  const qlonglong n = v.toLongLong(&ok);
  if (!ok) return std::nullopt;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
}

std::optional<std::string> QSettingsBackend::ReadBinary(std::string_view name) const {
  if (!Exists(name)) return std::nullopt;
  const QVariant v = settings_->value(Key(name));
  if (v.typeId() != QMetaType::QByteArray) return std::nullopt;
  const QByteArray bytes = v.toByteArray();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void QSettingsBackend::WriteText(std::string_view name, std::string_view text) {
  if (settings_)
    settings_->setValue(Key(name), QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QSettingsBackend::WriteInteger(std::string_view name, std::int32_t value) {
  if (settings_) settings_->setValue(Key(name), static_cast<int>(value));
}

void QSettingsBackend::WriteBinary(std::string_view name, std::string_view bytes) {
  if (settings_) settings_->setValue(Key(name), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void QSettingsBackend::Remove(std::string_view name) {
  if (settings_) settings_->remove(Key(name));
}

QString QSettingsBackend::Location() const {
  if (settings_) return settings_->fileName();
  if (!filePath_.isEmpty()) return filePath_;
  return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lexmora"), QStringLiteral("Settings"))
      .fileName();
}

}  // namespace lexmora::platform
