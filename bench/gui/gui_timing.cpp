// Times the window on real data:
//   lexmora-gui-timing --startup DIR         start-up to the first shown article
//   lexmora-gui-timing --typing DIR [GROUP]  key press to the selected row and
//                                            its article painted, per key
//   lexmora-gui-timing --right-click DIR [GROUP]  right click on a row to the
//                                            row repainted, in the full view
//                                            (mark, unmark) and in the
//                                            user-list view (the list closes up)
// Run with a display or QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include "shell/main_window.h"

using lexmora::gui::MainWindowOptions;
using lexmora::gui::TLexmoraAzeriDictionaries;

namespace {

MainWindowOptions Options(const QString& dir, int group) {
  MainWindowOptions o;
  o.programDir = dir;
  o.displayIconOnTaskBar = false;
  o.currentLangGroup = group;
  o.keyboardLayouts = std::make_shared<lexmora::platform::NullKeyboardLayouts>();
  return o;
}

void PaintNow(TLexmoraAzeriDictionaries& w) {
  w.WordList()->Grid()->viewport()->repaint();
  w.Article()->View()->viewport()->repaint();
}

int Startup(const QString& dir) {
  QElapsedTimer timer;
  timer.start();
  TLexmoraAzeriDictionaries w(Options(dir, 1));
  const qint64 built = timer.nsecsElapsed();
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  PaintNow(w);
  const qint64 shown = timer.nsecsElapsed();
  std::printf("start-up: window built %.1f ms, first article shown %.1f ms (%d rows, article %lld chars)\n",
              built / 1e6, shown / 1e6, w.RowCount(), static_cast<long long>(w.ArticlePlainText().size()));
  return 0;
}

int Typing(const QString& dir, int group) {
  QElapsedTimer load;
  load.start();
  TLexmoraAzeriDictionaries w(Options(dir, group));
  w.resize(920, 640);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  PaintNow(w);
  std::printf("typing: group %d, %d rows, window shown after %.1f ms\n", w.CurrentGroup(), w.RowCount(),
              load.nsecsElapsed() / 1e6);
  const char* words[] = {"house", "zebra", "abandon", "quick", "mother", "yesterday", "light", "water",
                         "computer", "nation", "garden", "kettle", "umbrella", "violin", "xylophone"};
  std::vector<double> ms;
  for (const char* word : words) {
    w.InputBox()->clear();
    for (const char* c = word; *c; ++c) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (*c - 'a'), Qt::NoModifier, QString(QChar(*c)));
      QElapsedTimer t;
      t.start();
      QApplication::sendEvent(w.InputBox(), &press);
      QCoreApplication::processEvents();
      PaintNow(w);
      ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::printf("  %-10s -> %s\n", word, qPrintable(w.SelectedHeadword()));
  }
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double v : ms) sum += v;
  std::printf("typing: %zu keys, mean %.2f ms, median %.2f ms, 95th %.2f ms, max %.2f ms\n", ms.size(),
              sum / ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
  return 0;
}

void PrintTimes(const char* what, std::vector<double> ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  double sum = 0;
  for (double v : ms) sum += v;
  std::printf("%s: %zu clicks, mean %.2f ms, median %.2f ms, 95th %.2f ms, max %.2f ms\n", what, ms.size(),
              sum / ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
}

double RightClick(TLexmoraAzeriDictionaries& w, int row) {
  QListView* grid = w.WordList()->Grid();
  const QPoint centre = grid->visualRect(grid->model()->index(row, 0)).center();
  QElapsedTimer t;
  t.start();
  QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, centre);
  QCoreApplication::processEvents();
  grid->viewport()->repaint();
  return t.nsecsElapsed() / 1e6;
}

int RightClicks(const QString& dir, int group) {
  TLexmoraAzeriDictionaries w(Options(dir, group));
  w.resize(920, 640);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return 1;
  w.SetInputText(QStringLiteral("house"));
  PaintNow(w);
  const int first = w.SelectedRow();
  std::printf("right click: group %d, %d rows, from row %d\n", w.CurrentGroup(), w.RowCount(), first);
  std::vector<double> mark, unmark;
  // Rows of the visible page: each marked, then unmarked again.
  for (int i = 0; i < 20; ++i) mark.push_back(RightClick(w, first + i));
  for (int i = 0; i < 20; ++i) unmark.push_back(RightClick(w, first + i));
  PrintTimes("right click, full view, mark", mark);
  PrintTimes("right click, full view, unmark", unmark);
  for (int i = 0; i < 20; ++i) RightClick(w, first + i);
  w.SpeedButton1Click(1);
  std::vector<double> remove;
  while (w.RowCount() > 0) remove.push_back(RightClick(w, 0));
  PrintTimes("right click, user-list view, row leaves the list", remove);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  const QStringList args = QApplication::arguments();
  if (args.size() >= 3 && args[1] == QLatin1String("--startup")) return Startup(args[2]);
  if (args.size() >= 3 && args[1] == QLatin1String("--typing")) return Typing(args[2], args.size() > 3 ? args[3].toInt() : 1);
  if (args.size() >= 3 && args[1] == QLatin1String("--right-click"))
    return RightClicks(args[2], args.size() > 3 ? args[3].toInt() : 1);
  std::fprintf(stderr, "usage: lexmora-gui-timing --startup DIR | --typing DIR [GROUP] | --right-click DIR [GROUP]\n");
  return 2;
}
