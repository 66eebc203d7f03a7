// The options dialog: the interface language, four behaviours and the
// sub-dictionaries of every group. It edits a working copy of the settings
// record and hands back one check mark per sub-dictionary line; the main
// window applies them when the dialog is accepted.
#pragma once

#include <QDialog>

#include <array>
#include <vector>

#include "session/sub_dict_checks.h"
#include "settings/interface_language.h"
#include "settings/options_record.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

namespace lexmora {
class Session;
}

namespace lexmora::gui {

class TOptionsForm : public QDialog {
  Q_OBJECT
 public:
  // The language list is filled once, here, with the display names of the
  // languages given, in their order.
  TOptionsForm(std::vector<AvailableLanguageRec> languages, const Session& session, const InterfaceLanguage& language,
               QWidget* parent);

  // The copy the controls read and write; set before each showing.
  OptionsRecord& WorkingCopy() { return work_; }
  // One mark per line of the dictionaries list, as the dialog was closed.
  const std::vector<SubDictCheck>& CheckMarks() const { return checks_; }
  // What each line of the dictionaries list stands for, as last filled.
  const std::vector<SubDictCheck>& Lines() const { return lines_; }

  // Showing: texts, the dictionaries list, the language and the check
  // boxes from the working copy.
  void FormActivate();
  // Closing, whatever closed it: the check marks of every line.
  void FormClose();
  // Re-reads every text in the interface language; the help file follows it.
  void LangRemake();
  // A language chosen in the list (its position in the list).
  void TntComboBox1Change(int position);
  void AutoSaveStateExecute(bool checked) { work_.AutoSaveState = checked; }
  void AutoSavePosExecute(bool checked) { work_.AutoSavePos = checked; }
  void AutoSaveSynchroExecute(bool checked) { work_.SynchronizeLayout = checked; }
  void DisplayIconOnTaskbarExecute(bool checked) { work_.DisplayIconOnTaskBar = checked; }

  // The help file of the interface language, relative to the program folder.
  const QString& HelpFile() const { return helpFile_; }
  QComboBox* LanguageBox() const { return languageBox_; }
  QListWidget* DictionariesList() const { return dictList_; }
  QTabWidget* Pages() const { return pages_; }
  QPushButton* OkButton() const { return okButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  QCheckBox* CheckBox(int i) const { return checkBoxes_[static_cast<std::size_t>(i)]; }
  QPushButton* RemoveButton() const { return removeButton_; }
  // The dictionaries list built again from the session (after a removal),
  // the marks the user set in it kept.
  void RefillDictionaries();

 signals:
  // Remove was clicked on the line of an imported sub-dictionary.
  void RemoveRequested(int group, int subDict, const QString& name);

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* CreateGeneralPage();
  QWidget* CreateDictionariesPage();
  void FillDictionaries();
  void UpdateRemoveButton();

  std::vector<AvailableLanguageRec> languages_;
  const Session& session_;
  const InterfaceLanguage& language_;
  OptionsRecord work_;
  std::vector<SubDictCheck> lines_;   // what each line of the list stands for
  std::vector<SubDictCheck> checks_;  // the marks as the dialog closed
  std::vector<bool> removable_;       // per line: added by an import
  QString helpFile_;

  QTabWidget* pages_ = nullptr;
  QWidget* generalPage_ = nullptr;
  QWidget* dictionariesPage_ = nullptr;
  QLabel* languageLabel_ = nullptr;
  QComboBox* languageBox_ = nullptr;
  std::array<QCheckBox*, 4> checkBoxes_{};
  QListWidget* dictList_ = nullptr;
  QPushButton* removeButton_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace lexmora::gui
