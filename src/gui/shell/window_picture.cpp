#include "window_picture.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>

namespace lexmora::gui {

bool SaveWindowPicture(QMainWindow& window, int menuIndex, const QString& file) {
  QMenu* menu = nullptr;
  const QList<QAction*> items = window.menuBar()->actions();
  if (menuIndex >= 0 && menuIndex < items.size() && items[menuIndex]->menu() != nullptr) {
    QAction* item = items[menuIndex];
    menu = item->menu();
    const QRect at = window.menuBar()->actionGeometry(item);
    menu->popup(window.menuBar()->mapToGlobal(at.bottomLeft()));
    for (int i = 0; i < 20; ++i) QApplication::processEvents();
  }
  const QPixmap picture = window.grab();
  if (menu == nullptr || !menu->isVisible()) return picture.save(file);
  // The menu is a window of its own: laid over the window's picture.
  const QPoint offset = window.mapFromGlobal(menu->mapToGlobal(QPoint(0, 0)));
  const QRect whole = QRect(QPoint(0, 0), picture.size()).united(QRect(offset, menu->size()));
  QPixmap canvas(whole.size());
  canvas.fill(Qt::white);
  QPainter painter(&canvas);
  painter.drawPixmap(-whole.topLeft(), picture);
  painter.drawPixmap(offset - whole.topLeft(), menu->grab());
  painter.end();
  return canvas.save(file);
}

}  // namespace lexmora::gui
