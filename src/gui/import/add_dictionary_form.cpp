#include "import/add_dictionary_form.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

#include "session/session.h"
#include "shell/interface_texts.h"

namespace lexmora::gui {

namespace {

constexpr int kNewGroup = 0;  // the group box's data for "New group"

struct CodePageChoice {
  int codePage;
  int textId;
};
constexpr CodePageChoice kCodePages[] = {{1254, 560}, {1252, 559}, {1250, 557}, {1251, 558}};

}  // namespace

TAddDictionaryForm::TAddDictionaryForm(const QString& file, const Session& session, QWidget* parent)
    : QDialog(parent), session_(session), file_(file) {
  setObjectName(QStringLiteral("AddDictionaryForm"));
  setWindowTitle(InterfaceText(544));
  const std::filesystem::path path = file.toStdU16String();
  format_ = DetectFormat(path);
  QString about = QFileInfo(file).fileName();
  if (format_) {
    try {
      info_ = ProbeDictionary(path, *format_);
    } catch (const std::exception& e) {
      error_ = QString::fromStdString(e.what());
    }
    if (!info_.name.empty()) about = QString::fromStdString(info_.name) + QStringLiteral("  (") + about + QStringLiteral(")");
  } else {
    error_ = InterfaceText(564);
  }
  auto* fileLabel = new QLabel(about, this);
  fileLabel->setObjectName(QStringLiteral("FileLabel"));
  fileLabel->setWordWrap(true);
  QFont bold = fileLabel->font();
  bold.setBold(true);
  fileLabel->setFont(bold);

  groupBox_ = new QComboBox(this);
  groupBox_->setObjectName(QStringLiteral("GroupBox"));
  for (int g : session_.ListedGroups())
    groupBox_->addItem(QString::fromStdU16String(session_.GroupTitle(g, LanguageText(220 + g).toStdU16String())), g);
  groupBox_->addItem(InterfaceText(547), kNewGroup);
  const int proposed = ProposeGroup(session_.Table(), info_);
  int index = groupBox_->findData(proposed != 0 && session_.Listed(proposed) ? proposed : session_.CurrentGroup());
  // A file whose languages no group has goes to a new group.
  if (proposed == 0 && !info_.fromLanguage.empty() && !info_.toLanguage.empty()) index = groupBox_->findData(kNewGroup);
  groupBox_->setCurrentIndex(std::max(index, 0));

  newName_ = new QLineEdit(this);
  newName_->setObjectName(QStringLiteral("NewGroupName"));
  newName_->setMaxLength(60);
  newName_->setText(QString::fromStdString(info_.name).left(60));
  codePageBox_ = new QComboBox(this);
  codePageBox_->setObjectName(QStringLiteral("CodePageBox"));
  for (const CodePageChoice& c : kCodePages) codePageBox_->addItem(InterfaceText(c.textId), c.codePage);
  codePageBox_->setCurrentIndex(std::max(0, codePageBox_->findData(HeadwordCodePageFor(info_.fromLanguage))));

  auto* form = new QFormLayout;
  form->addRow(InterfaceText(561), fileLabel);
  form->addRow(InterfaceText(546), groupBox_);
  newNameLabel_ = new QLabel(InterfaceText(548), this);
  codePageLabel_ = new QLabel(InterfaceText(549), this);
  form->addRow(newNameLabel_, newName_);
  form->addRow(codePageLabel_, codePageBox_);

  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("ImportProgress"));
  progress_->setRange(0, 1000);
  progress_->setValue(0);
  progress_->setTextVisible(false);
  status_ = new QLabel(error_, this);
  status_->setObjectName(QStringLiteral("StatusLabel"));
  status_->setWordWrap(true);

  addButton_ = new QPushButton(InterfaceText(550), this);
  addButton_->setObjectName(QStringLiteral("AddButton"));
  addButton_->setDefault(true);
  addButton_->setEnabled(format_.has_value() && error_.isEmpty());
  cancelButton_ = new QPushButton(InterfaceText(410), this);
  cancelButton_->setObjectName(QStringLiteral("CancelButton"));
  connect(addButton_, &QPushButton::clicked, this, &TAddDictionaryForm::StartImport);
  connect(cancelButton_, &QPushButton::clicked, this, &TAddDictionaryForm::reject);
  connect(groupBox_, &QComboBox::currentIndexChanged, this, &TAddDictionaryForm::ShowNewGroupFields);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(addButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addWidget(progress_);
  layout->addWidget(status_);
  layout->addStretch(1);
  layout->addLayout(buttons);
  ShowNewGroupFields();
  resize(480, sizeHint().height());
}

TAddDictionaryForm::~TAddDictionaryForm() {
  if (worker_) {
    cancel_ = true;
    worker_->wait();
  }
}

void TAddDictionaryForm::ShowNewGroupFields() {
  const bool newGroup = groupBox_->currentData().toInt() == kNewGroup;
  for (QWidget* w : {static_cast<QWidget*>(newNameLabel_), static_cast<QWidget*>(newName_),
                     static_cast<QWidget*>(codePageLabel_), static_cast<QWidget*>(codePageBox_)})
    w->setVisible(newGroup);
}

void TAddDictionaryForm::StartImport() {
  if (worker_ || !format_) return;
  ImportRequest request;
  request.programDir = session_.ProgramDir();
  request.file = file_.toStdU16String();
  request.format = format_;
  request.group = groupBox_->currentData().toInt();
  if (request.group == kNewGroup) {
    request.newGroupName = newName_->text().trimmed().toStdString();
    request.codePage = codePageBox_->currentData().toInt();
  }
  cancel_ = false;
  cancelled_ = false;
  error_.clear();
  progress_->setValue(0);
  status_->setText(InterfaceText(551));
  addButton_->setEnabled(false);
  groupBox_->setEnabled(false);
  newName_->setEnabled(false);
  codePageBox_->setEnabled(false);
  request.progress = [this](std::uint64_t done, std::uint64_t total) {
    const int value = total ? static_cast<int>(done * 1000 / total) : 0;
    QMetaObject::invokeMethod(progress_, [bar = progress_, value] { bar->setValue(value); }, Qt::QueuedConnection);
    return !cancel_.load();
  };
  worker_ = QThread::create([this, request] {
    try {
      result_ = ImportDictionary(request);
    } catch (const ImportCancelled&) {
      cancelled_ = true;
    } catch (const std::exception& e) {
      error_ = QString::fromStdString(e.what());
    }
  });
  worker_->setObjectName(QStringLiteral("ImportWorker"));
  connect(worker_, &QThread::finished, this, &TAddDictionaryForm::WorkerFinished);
  worker_->start();
}

void TAddDictionaryForm::WorkerFinished() {
  worker_->deleteLater();
  worker_ = nullptr;
  if (error_.isEmpty() && !cancelled_) {
    progress_->setValue(1000);
    QDialog::accept();
    return;
  }
  if (closeWhenStopped_) {
    QDialog::reject();
    return;
  }
  progress_->setValue(0);
  status_->setText(cancelled_ ? InterfaceText(563) : InterfaceText(553) + QStringLiteral("\n") + error_);
  addButton_->setEnabled(true);
  groupBox_->setEnabled(true);
  newName_->setEnabled(true);
  codePageBox_->setEnabled(true);
}

void TAddDictionaryForm::reject() {
  if (worker_) {
    cancel_ = true;
    closeWhenStopped_ = true;
    cancelButton_->setEnabled(false);
    return;
  }
  QDialog::reject();
}

}  // namespace lexmora::gui
