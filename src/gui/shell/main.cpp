// The lexmora window program.
#include <QApplication>
#include <QTimer>
#include <QWindow>

#include <cstdio>

#include "dictionary/article_view.h"
#include "main_window.h"
#include "start_options.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lexmora"));
  QApplication::setOrganizationName(QStringLiteral("Lexmora"));
  QApplication::setStyle(QStringLiteral("Fusion"));

  lexmora::gui::StartOptions options =
      lexmora::gui::ParseStartOptions(QApplication::arguments(), QApplication::applicationDirPath());
  if (!options.error.isEmpty()) {
    std::fprintf(stderr, "lexmora: %s\n", qPrintable(options.error));
    return 2;
  }

  lexmora::gui::TLexmoraAzeriDictionaries window(options.window);
  if (options.window.offStart) return 0;  // this start only closes a running instance
  if (options.viewMode != 0) window.SpeedButton1Click(options.viewMode);
  // A word given on the command line is looked up as if typed.
  if (!options.window.currentBoxWord.isEmpty()) window.ListWordChanged(options.window.currentBoxWord);
  window.show();

  if (!options.screenshotFile.isEmpty()) {
    QTimer::singleShot(700, &window, [&window, &options] {
      const bool saved = window.grab().save(options.screenshotFile);
      if (!saved) std::fprintf(stderr, "lexmora: cannot write %s\n", qPrintable(options.screenshotFile));
      QApplication::exit(saved ? 0 : 1);
    });
  }
  return QApplication::exec();
}
