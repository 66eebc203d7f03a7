#include "keyboard_layouts.h"

#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cctype>

namespace lexmora::platform {

std::string XkbLayoutName(std::string_view layoutId) {
  std::string id(layoutId);
  std::transform(id.begin(), id.end(), id.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (id.size() != 8) return {};
  const std::string language = id.substr(4);
  if (language == "0409") return "us";
  if (language == "0419") return "ru";
  if (language == "0407") return "de";
  if (language == "040c") return "fr";
  if (language == "042c") return "az";
  if (language == "041f") return "tr";
  return {};
}

namespace {

class XkbKeyboardLayouts : public KeyboardLayouts {
 public:
  explicit XkbKeyboardLayouts(QString tool) : tool_(std::move(tool)) {}

  bool Activate(std::string_view layoutId) override {
    const std::string name = XkbLayoutName(layoutId);
    if (name.empty() || tool_.isEmpty()) return false;
    if (name == current_) return true;
    current_ = name;
    // The tool is short-lived; the window does not wait for it.
    return QProcess::startDetached(tool_, {QString::fromStdString(name)});
  }

 private:
  QString tool_;
  std::string current_;
};

}  // namespace

std::unique_ptr<KeyboardLayouts> CreateDesktopKeyboardLayouts() {
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("setxkbmap"));
    if (!tool.isEmpty()) return std::make_unique<XkbKeyboardLayouts>(tool);
  }
  return std::make_unique<NullKeyboardLayouts>();
}

}  // namespace lexmora::platform
