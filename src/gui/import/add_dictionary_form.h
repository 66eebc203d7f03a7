// The Add dictionary dialog: a dictionary file of another program becomes a
// sub-dictionary of a group. It shows what the file says of itself, proposes
// the group of the file's languages (or the current one), offers a new
// group with its name and headword letters, and runs the import on a worker
// with a progress bar that Cancel stops.
#pragma once

#include <QDialog>

#include <atomic>
#include <optional>

#include "import/dictionary_import.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QThread;

namespace lexmora {
class Session;
}

namespace lexmora::gui {

class TAddDictionaryForm : public QDialog {
  Q_OBJECT
 public:
  TAddDictionaryForm(const QString& file, const Session& session, QWidget* parent);
  ~TAddDictionaryForm() override;

  // What the import did, once the dialog was accepted.
  const ImportResult& Result() const { return result_; }

  QComboBox* GroupBox() const { return groupBox_; }
  QLineEdit* NewGroupName() const { return newName_; }
  QComboBox* CodePageBox() const { return codePageBox_; }
  QProgressBar* Progress() const { return progress_; }
  QLabel* StatusLabel() const { return status_; }
  QPushButton* AddButton() const { return addButton_; }
  QPushButton* CancelButton() const { return cancelButton_; }
  bool Running() const { return worker_ != nullptr; }

  // Starts the import with the choices made (the Add button).
  void StartImport();

 public slots:
  void reject() override;  // while running: cancels, and closes once the worker has stopped

 private:
  void ShowNewGroupFields();
  void WorkerFinished();

  const Session& session_;
  QString file_;
  std::optional<ImportFormat> format_;
  DictionaryInfo info_;
  ImportResult result_;
  QString error_;
  bool cancelled_ = false;
  bool closeWhenStopped_ = false;
  std::atomic<bool> cancel_{false};
  QThread* worker_ = nullptr;

  QComboBox* groupBox_ = nullptr;
  QLabel* newNameLabel_ = nullptr;
  QLineEdit* newName_ = nullptr;
  QLabel* codePageLabel_ = nullptr;
  QComboBox* codePageBox_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* addButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace lexmora::gui
