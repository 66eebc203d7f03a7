// The main window as the first instance: the application's activation
// handler, and the requests that reach it through the instance channel:
// later starts ("activate", "close") and the agent's popup ("show G WORD",
// "mark G WORD").
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
  else if (request.startsWith(QLatin1String("show ")) || request.startsWith(QLatin1String("mark "))) AnswerWordRequest(request);
}

void TLexmoraAzeriDictionaries::AnswerWordRequest(const QString& request) {
  // "show G WORD": the group and the word, as if chosen and typed;
  // "mark G WORD": the word's row marked in that group's user list.
  const QString verb = request.section(QLatin1Char(' '), 0, 0);
  bool ok = false;
  const int g = request.section(QLatin1Char(' '), 1, 1).toInt(&ok);
  const QString word = request.section(QLatin1Char(' '), 2);
  if (!ok || word.isEmpty()) return;
  const std::u16string text(reinterpret_cast<const char16_t*>(word.utf16()), static_cast<std::size_t>(word.size()));
  if (verb == QLatin1String("show")) {
    if (!SelectGroup(g)) return;
    if (session_->ViewMode() != kViewFull) SpeedButton1Click(kViewFull);
    inputBox_->setText(word);
    BringToFront();
    return;
  }
  if (session_->AddMark(g, session_->ExactRow(g, text))) {
    ScheduleListSave();
    if (g == session_->CurrentGroup()) ShowListChange();
  }
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
