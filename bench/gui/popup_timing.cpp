// Times the agent's selection popup on a program folder: from a change of
// the primary selection to the popup painted, for right, inflected,
// misspelt and Cyrillic words, and the agent's memory with every group
// loaded against the size of the word indexes.
//   lexmora-popup-timing PROGRAM_FOLDER      (needs an X display)
#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "audio/audio_output.h"
#include "selection_scanner.h"

namespace {

long ResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: lexmora-popup-timing PROGRAM_FOLDER\n");
    return 2;
  }
  if (!QGuiApplication::clipboard()->supportsSelection()) {
    std::fprintf(stderr, "lexmora-popup-timing: this display has no primary selection\n");
    return 2;
  }
  const long before = ResidentKb();
  QElapsedTimer load;
  load.start();
  lexmora::agent::SelectionScanner::Options options;
  options.programDir = QString::fromLocal8Bit(argv[1]);
  lexmora::agent::SelectionScanner scanner(options, nullptr);
  const double loaded = load.nsecsElapsed() / 1e6;
  scanner.WaitForIndexes();
  const double indexed = load.nsecsElapsed() / 1e6;
  qint64 wif = 0;
  for (QDirIterator it(options.programDir + QStringLiteral("/DICT"), {QStringLiteral("*.wif")}); it.hasNext();)
    wif += QFileInfo(it.next()).size();
  std::printf("groups loaded in %.0f ms, indexes made by %.0f ms; resident +%.1f MB for %.1f MB of word indexes (%.2fx)\n",
              loaded, indexed, (ResidentKb() - before) / 1024.0, wif / 1e6, (ResidentKb() - before) * 1024.0 / wif);

  scanner.SetScanning(true);
  const char* words[] = {"houses", "house", "definately", "kitablarımızdan", "şəhərlərdə", "книги", "Häuser",
                         "computer", "gedirəm", "running", "hosue", "the quick brown fox"};
  // The first pass also loads the hunspell dictionaries the words need
  // (once per process); the later passes are the steady state.
  std::vector<double> first, ms;
  for (int pass = 0; pass < 5; ++pass) {
    for (const char* word : words) {
      scanner.Popup()->hide();
      QElapsedTimer t;
      t.start();
      QGuiApplication::clipboard()->setText(QString::fromUtf8(word), QClipboard::Selection);
      QCoreApplication::processEvents();
      if (scanner.Popup()->isVisible()) scanner.Popup()->repaint();
      (pass == 0 ? first : ms).push_back(t.nsecsElapsed() / 1e6);
      if (pass == 0)
        std::printf("  %-20s -> %s\n", word,
                    scanner.Popup()->isVisible() ? qPrintable(scanner.Popup()->windowTitle()) : "(no popup)");
    }
  }
  std::sort(ms.begin(), ms.end());
  std::printf("selection to popup painted (%zu): median %.1f ms, 95th %.1f ms, max %.1f ms\n", ms.size(),
              ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
  std::printf("first pass, with the hunspell loads: max %.1f ms\n", *std::max_element(first.begin(), first.end()));
  std::printf("resident after the lookups: +%.1f MB (%.2fx the word indexes)\n", (ResidentKb() - before) / 1024.0,
              (ResidentKb() - before) * 1024.0 / wif);
  return 0;
}
