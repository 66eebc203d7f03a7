// The agent's icon in the system tray, with its menu: "Open the dictionary"
// starts the dictionary of the agent's program folder, the selection items
// follow, "Quit" ends the agent. Where the desktop has no tray (yet) the agent runs without an
// icon and looks for a tray again now and then.
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QIcon;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace lexmora::agent {

struct AgentTexts {
  QString open;  // the menu item that starts the dictionary
  QString quit;
  QString tip;   // the icon's tool tip
};

class AgentTray : public QObject {
  Q_OBJECT
 public:
  // dictionary: the program the menu starts; arguments: its command line;
  // extra: items the menu shows between "open" and "quit".
  AgentTray(QString dictionary, QStringList arguments, AgentTexts texts, QList<QAction*> extra = {},
            QObject* parent = nullptr);
  ~AgentTray() override;

  bool IconShown() const;
  void OpenDictionary();

 private:
  void ShowWhenTrayAvailable();

  QString dictionary_;
  QStringList arguments_;
  AgentTexts texts_;
  QList<QAction*> extra_;
  QMenu* menu_ = nullptr;
  QSystemTrayIcon* icon_ = nullptr;
  QTimer* retry_ = nullptr;
};

// The book the agent shows, drawn for any size.
QIcon BookIcon();

}  // namespace lexmora::agent
