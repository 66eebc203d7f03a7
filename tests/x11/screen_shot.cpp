// Saves a picture of the whole X screen, for the X session tests and for
// looking at windows of other processes (popups):  lexmora-screen-shot FILE.png
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: lexmora-screen-shot FILE.png\n");
    return 2;
  }
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || !screen->grabWindow(0).save(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "lexmora-screen-shot: cannot save %s\n", argv[1]);
    return 1;
  }
  return 0;
}
