// The main window's list commands: Clear, Load, Save and Export list. The
// session does the work; this file asks for the file, shows the result and
// says when a file the user chose could not be written.
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include "dictionary/word_list_model.h"
#include "interface_texts.h"
#include "lists/flashcard_export.h"
#include "main_window.h"

namespace lexmora::gui {

namespace {

const QString kListFilter = QStringLiteral("User list files (*.npl);;All files (*)");
const QString kExportFilter = QStringLiteral("Text files (*.txt);;All files (*)");

QString AskForFile(QWidget* parent, bool save, const QString& caption, const QString& folder, const QString& filter,
                   const QString& suffix) {
  QFileDialog dialog(parent, caption, folder, filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

void Warn(QWidget* parent, const QString& caption, const QString& text) {
  QMessageBox::warning(parent, caption, text);
}

std::filesystem::path ToPath(const QString& file) { return std::filesystem::path(file.toStdU16String()); }

}  // namespace

TLexmoraAzeriDictionaries::ListDialogs TLexmoraAzeriDictionaries::DesktopListDialogs() { return {AskForFile, Warn}; }

QString TLexmoraAzeriDictionaries::ChooseListFile(bool save, const QString& caption, const QString& filter,
                                                  const QString& suffix) {
  // The dialogs start in the program folder's NOTEPADS, made when missing.
  const QString folder = QDir(options_.programDir).filePath(QStringLiteral("NOTEPADS"));
  QDir().mkpath(folder);
  return dialogs_.chooseFile(this, save, caption, folder, filter, suffix);
}

void TLexmoraAzeriDictionaries::ShowListChange() {
  if (session_->ViewMode() == kViewUserList) {
    RefreshVoclScreen(0);
    LookupAgain();
  } else {
    // The model reads the marks as it paints: a repaint shows them.
    wordList_->Grid()->viewport()->update();
  }
}

void TLexmoraAzeriDictionaries::ScheduleListSave() {
  if (!session_->AnyListChanged()) return;
  if (listSaveTimer_ == nullptr) {
    listSaveTimer_ = new QTimer(this);
    listSaveTimer_->setObjectName(QStringLiteral("ListSaveTimer"));
    listSaveTimer_->setSingleShot(true);
    listSaveTimer_->setInterval(kListSaveDelayMs);
    connect(listSaveTimer_, &QTimer::timeout, this, [this] { session_->SaveChangedLists(); });
  }
  // Not restarted by later changes: the first change of a burst is on disk
  // within the delay however long the burst goes on.
  if (!listSaveTimer_->isActive()) listSaveTimer_->start();
}

void TLexmoraAzeriDictionaries::ClearList() {
  session_->ClearList();
  ShowListChange();
  ScheduleListSave();
}

void TLexmoraAzeriDictionaries::LoadList() {
  const QString file = ChooseListFile(false, InterfaceText(134), kListFilter, QStringLiteral("npl"));
  if (file.isEmpty()) return;
  const ListLoad load = session_->LoadList(ToPath(file));
  ScheduleListSave();
  // A list of another group switches to it as the user's choice would.
  if (load.switchGroup) SelectGroup(load.group);
  else if (load.loaded) ShowListChange();
}

void TLexmoraAzeriDictionaries::SaveList() {
  const QString file = ChooseListFile(true, InterfaceText(135), kListFilter, QStringLiteral("npl"));
  if (file.isEmpty()) return;
  if (!session_->SaveList(ToPath(file))) dialogs_.warn(this, InterfaceText(135), InterfaceText(501));
}

void TLexmoraAzeriDictionaries::ExportList() {
  const QString file = ChooseListFile(true, InterfaceText(500), kExportFilter, QStringLiteral("txt"));
  if (file.isEmpty()) return;
  const FlashCardExport cards = ExportFlashCards(*session_, session_->ListOfView(session_->ViewMode()));
  if (!WriteFlashCardFile(ToPath(file), cards))
    dialogs_.warn(this, InterfaceText(500), InterfaceText(502));
}

}  // namespace lexmora::gui
