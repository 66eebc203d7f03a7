// Help requests by the F1 key: whichever window has the focus, the request
// goes to the nearest help context of the focused component (an open
// menu's highlighted item, else the menu; else the focus widget and its
// parents up to its window).
#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QAction;

namespace lexmora::gui {

// The object names from the object (a widget or a menu item) up through
// its parents to its window, the window last. An open menu counts as part
// of the window it drops from.
std::vector<std::string> ComponentChain(QObject* object);

// The component a help request is about now: the highlighted item of an
// open menu, else that menu, else the focus widget, else the active window.
QObject* FocusedComponent();

// The help context of a component (0 when neither it nor a parent has one).
int HelpContextOf(QObject* component);

class HelpRouter : public QObject {
  Q_OBJECT
 public:
  // helpAction is the window's help command, whose F1 shortcut the router
  // takes over; show opens the help at a context.
  HelpRouter(QAction* helpAction, std::function<void(int context)> show, QObject* parent);
  ~HelpRouter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Request();

  QAction* helpAction_;
  std::function<void(int)> show_;
};

}  // namespace lexmora::gui
