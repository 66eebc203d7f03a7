#include "start_options.h"

#include <QDir>

namespace lexmora::gui {

StartOptions ParseStartOptions(const QStringList& arguments, const QString& executableDir) {
  StartOptions out;
  out.window.programDir = executableDir;
  // "OFF" as the first argument, exactly: the start only closes a running instance.
  out.window.offStart = arguments.size() > 1 && arguments[1] == QLatin1String("OFF");
  auto number = [&out](const QString& name, const QString& text, int& into) {
    bool ok = false;
    const int v = text.toInt(&ok);
    if (ok) into = v;
    else out.error = QStringLiteral("%1 needs a number, not \"%2\"").arg(name, text);
  };
  for (int i = out.window.offStart ? 2 : 1; i < arguments.size(); ++i) {
    const QString& a = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (a == QLatin1String("--dir") && hasValue) {
      out.window.programDir = arguments[++i];
      out.dirGiven = true;
    } else if (a == QLatin1String("--group") && hasValue) {
      number(a, arguments[++i], out.window.currentLangGroup);
      out.groupGiven = true;
    } else if (a == QLatin1String("--row") && hasValue) {
      number(a, arguments[++i], out.window.currentItemIndex);
      out.rowGiven = true;
    } else if (a == QLatin1String("--word") && hasValue) {
      out.window.currentBoxWord = arguments[++i];
      out.wordGiven = true;
    } else if (a == QLatin1String("--lang") && hasValue) number(a, arguments[++i], out.interfaceLang);
    else if (a == QLatin1String("--settings") && hasValue) out.settingsFile = arguments[++i];
    else if (a == QLatin1String("--screenshot-menu") && hasValue) number(a, arguments[++i], out.screenshotMenu);
    else if (a == QLatin1String("--view") && hasValue) number(a, arguments[++i], out.viewMode);
    else if (a == QLatin1String("--screenshot") && hasValue) out.screenshotFile = arguments[++i];
    else if (a.startsWith(QLatin1String("--"))) out.error = QStringLiteral("unknown option %1").arg(a);
  }
  out.window.programDir = QDir(out.window.programDir).absolutePath();
  return out;
}

void OverrideStoredValues(const StartOptions& options, OptionsRecord& settings) {
  if (options.groupGiven) settings.CurrentLangGroup = options.window.currentLangGroup;
  if (options.rowGiven) settings.CurrentItemIndex = options.window.currentItemIndex;
  if (options.wordGiven) {
    settings.CurrentBoxWord = options.window.currentBoxWord.toStdU16String();
    settings.CurrentBoxWordLen = static_cast<std::int32_t>(settings.CurrentBoxWord.size());
  }
  if (options.interfaceLang >= 0) settings.InterfaceLang = options.interfaceLang;
}

}  // namespace lexmora::gui
