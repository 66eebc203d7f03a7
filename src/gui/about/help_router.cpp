#include "about/help_router.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

#include "settings/help_contexts.h"

namespace lexmora::gui {
namespace {

std::string NameOf(const QObject* object) { return object->objectName().toStdString(); }

void AddWidgetChain(QWidget* widget, std::vector<std::string>& chain) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    chain.push_back(NameOf(w));
    // A menu is a window of its own; it belongs to the window it opens from.
    if (w->isWindow() && qobject_cast<QMenu*>(w) == nullptr) break;
  }
}

}  // namespace

std::vector<std::string> ComponentChain(QObject* object) {
  std::vector<std::string> chain;
  if (auto* action = qobject_cast<QAction*>(object)) {
    chain.push_back(NameOf(action));
    object = action->parent();
  }
  if (auto* widget = qobject_cast<QWidget*>(object)) AddWidgetChain(widget, chain);
  return chain;
}

QObject* FocusedComponent() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
    if (QAction* item = menu->activeAction(); item && item->menu() == nullptr) return item;
    if (QAction* item = menu->activeAction()) return item->menu();  // a submenu's own entry
    return menu;
  }
  if (QWidget* focus = QApplication::focusWidget()) return focus;
  return QApplication::activeWindow();
}

int HelpContextOf(QObject* component) {
  if (component == nullptr) return 0;
  const std::vector<std::string> chain = ComponentChain(component);
  return NearestHelpContext(chain);
}

HelpRouter::HelpRouter(QAction* helpAction, std::function<void(int)> show, QObject* parent)
    : QObject(parent), helpAction_(helpAction), show_(std::move(show)) {
  qApp->installEventFilter(this);
}

HelpRouter::~HelpRouter() { qApp->removeEventFilter(this); }

bool HelpRouter::eventFilter(QObject* watched, QEvent* event) {
  // F1 in the window that holds the help command arrives as its shortcut;
  // in the other windows (modal ones included) as a key.
  if (event->type() == QEvent::Shortcut && watched == helpAction_) {
    Request();
    return true;
  }
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
      Request();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void HelpRouter::Request() {
  const int found = HelpContextOf(FocusedComponent());
  // An open menu closes before the help comes up.
  while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  show_(found > 0 ? found : kHelpContents);
}

}  // namespace lexmora::gui
