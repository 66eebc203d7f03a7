// The main window as the first instance: the application's activation
// handler, and the requests of later starts that reach it through the
// instance channel.
#include <QGuiApplication>
#include <QSessionManager>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include "main_window.h"
#include "platform/instance_channel.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::ConnectInstance() {
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state == Qt::ApplicationActive) AppActivating();
  });
  // The desktop is about to end: write what the exit would.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { CommitData(); });
  if (options_.instance == nullptr) return;
  // The channel outlives the window: a request after the window is gone is dropped.
  options_.instance->SetHandler([self = QPointer<TLexmoraAzeriDictionaries>(this)](const QString& request) {
    if (self) self->AnswerInstance(request);
  });
}

void TLexmoraAzeriDictionaries::AnswerInstance(const QString& request) {
  // A request that comes while the window is still being created or not yet
  // shown waits until it is shown: a close before the first show would be
  // undone by that show.
  if (creating_ || !isVisible()) {
    QTimer::singleShot(50, this, [this, request] { AnswerInstance(request); });
    return;
  }
  if (request == QLatin1String("activate")) BringToFront();
  else if (request == QLatin1String("close")) WMCloseVocl();
}

void TLexmoraAzeriDictionaries::AppActivating() {
  if (inputBox_ == nullptr) return;
  inputBox_->selectAll();
  if (!creating_) FocusInputBox();
  ActivateProc();
}

void TLexmoraAzeriDictionaries::BringToFront() {
  if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

void TLexmoraAzeriDictionaries::WMCloseVocl() {
  BringToFront();
  close();  // the normal exit: FormDestroy and the settings follow the loop's end
}

}  // namespace lexmora::gui
