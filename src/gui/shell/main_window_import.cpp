// Tools -> Add dictionary: another program's dictionary file becomes a
// sub-dictionary of a group (the Add dictionary dialog runs the import);
// the group is loaded again and shown with its new sub-dictionary button.
// The options dialog's Remove takes an imported sub-dictionary out again.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>

#include "import/add_dictionary_form.h"
#include "import/dictionary_import.h"
#include "interface_texts.h"
#include "main_window.h"
#include "options/options_form.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::AddDictionary() {
  const QString filter = InterfaceText(545) +
                         QStringLiteral(" (*.ifo *.dsl *.dsl.dz *.xdxf *.xdxf.dz *.jsonl *.index *.tab *.txt);;") +
                         InterfaceText(562) + QStringLiteral(" (*)");
  const QString file = QFileDialog::getOpenFileName(this, InterfaceText(544), importFolder_, filter);
  if (file.isEmpty()) return;
  importFolder_ = QFileInfo(file).absolutePath();
  AddDictionaryFile(file);
}

bool TLexmoraAzeriDictionaries::AddDictionaryFile(const QString& file) {
  TAddDictionaryForm form(file, *session_, this);
  if (form.exec() != QDialog::Accepted) return false;
  const ImportResult& r = form.Result();
  session_->AdoptSubDictChange(r.group, r.subDict, true);
  FillGroupBoxAndMenu();
  if (!SelectGroup(r.group)) RefreshVoclScreen(0);
  QString message = InterfaceText(552).arg(r.entries).arg(QString::fromStdString(r.name));
  if (!r.skipped.empty()) message += QStringLiteral(" ") + InterfaceText(556).arg(r.skipped.size());
  statusBar()->showMessage(message);
  return true;
}

void TLexmoraAzeriDictionaries::RemoveDictionary(int group, int subDict, const QString& name) {
  QWidget* owner = optionsForm_ && optionsForm_->isVisible() ? static_cast<QWidget*>(optionsForm_) : this;
  if (QMessageBox::question(owner, InterfaceText(554), InterfaceText(555).arg(name)) != QMessageBox::Yes) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QString error;
  try {
    RemoveImportedDictionary(session_->ProgramDir(), group, subDict);
  } catch (const std::exception& e) {
    error = QString::fromStdString(e.what());
  }
  QApplication::restoreOverrideCursor();
  if (!error.isEmpty()) {
    QMessageBox::warning(owner, InterfaceText(554), error);
    return;
  }
  session_->AdoptSubDictChange(group, subDict, false);
  statusBar()->clearMessage();  // no longer true if it told of this dictionary
  FillGroupBoxAndMenu();
  if (!SelectGroup(session_->CurrentGroup()) && !groupList_.empty()) SelectGroup(groupList_.front());
  if (optionsForm_) optionsForm_->RefillDictionaries();
}

}  // namespace lexmora::gui
