#include "options/options_form.h"

#include <map>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include "import/import_registry.h"
#include "session/session.h"
#include "settings/interface_text_ids.h"
#include "shell/interface_texts.h"

namespace lexmora::gui {
namespace {

// The four check boxes, in their order: object name and text id.
struct CheckBoxInfo {
  const char* name;
  int textId;
};
constexpr CheckBoxInfo kCheckBoxes[] = {
    {"AutoSaveState", 412}, {"AutoSavePos", 413}, {"SynchronizeLayout", 414}, {"DisplayIconOnTaskBar", 415}};

constexpr int kHelpContext = 19;
constexpr int kDictionariesHelpContext = 22;

}  // namespace

TOptionsForm::TOptionsForm(std::vector<AvailableLanguageRec> languages, const Session& session,
                           const InterfaceLanguage& language, QWidget* parent)
    : QDialog(parent), languages_(std::move(languages)), session_(session), language_(language) {
  setObjectName(QStringLiteral("TOptionsForm"));
  setProperty("HelpContext", kHelpContext);
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("PageControl1"));
  generalPage_ = CreateGeneralPage();
  dictionariesPage_ = CreateDictionariesPage();
  pages_->addTab(generalPage_, InterfaceText(401));
  pages_->addTab(dictionariesPage_, InterfaceText(402));

  okButton_ = new QPushButton(InterfaceText(409), this);
  okButton_->setObjectName(QStringLiteral("Button1"));
  okButton_->setDefault(true);
  cancelButton_ = new QPushButton(InterfaceText(410), this);
  cancelButton_->setObjectName(QStringLiteral("Button2"));
  connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(okButton_);
  buttons->addWidget(cancelButton_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(pages_, 1);
  layout->addLayout(buttons);

  // Dialog creation: the language list, once.
  for (const AvailableLanguageRec& l : languages_) languageBox_->addItem(QString::fromStdU16String(l.displayName));
  resize(418, 307);
}

QWidget* TOptionsForm::CreateGeneralPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet1"));
  languageLabel_ = new QLabel(InterfaceText(411), page);
  languageLabel_->setObjectName(QStringLiteral("Label1"));
  languageBox_ = new QComboBox(page);
  languageBox_->setObjectName(QStringLiteral("TntComboBox1"));
  languageBox_->setEditable(false);
  languageBox_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  languageBox_->setMinimumWidth(160);
  languageLabel_->setBuddy(languageBox_);
  // Only a choice of the user counts; FormActivate's selection does not.
  connect(languageBox_, &QComboBox::activated, this, &TOptionsForm::TntComboBox1Change);

  auto* languageRow = new QHBoxLayout;
  languageRow->addWidget(languageLabel_);
  languageRow->addWidget(languageBox_);
  languageRow->addStretch(1);

  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(8);
  layout->addLayout(languageRow);
  layout->addSpacing(8);
  void (TOptionsForm::*handlers[])(bool) = {&TOptionsForm::AutoSaveStateExecute, &TOptionsForm::AutoSavePosExecute,
                                            &TOptionsForm::AutoSaveSynchroExecute,
                                            &TOptionsForm::DisplayIconOnTaskbarExecute};
  for (std::size_t i = 0; i < checkBoxes_.size(); ++i) {
    auto* box = new QCheckBox(InterfaceText(kCheckBoxes[i].textId), page);
    box->setObjectName(QLatin1String(kCheckBoxes[i].name));
    // A click stores the new state at once; setting it from the working
    // copy does not count as a click.
    connect(box, &QCheckBox::clicked, this, handlers[i]);
    layout->addWidget(box);
    checkBoxes_[i] = box;
  }
  layout->addStretch(1);
  return page;
}

QWidget* TOptionsForm::CreateDictionariesPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TabSheet2"));
  dictList_ = new QListWidget(page);
  dictList_->setObjectName(QStringLiteral("CheckListBox1"));
  dictList_->setProperty("HelpContext", kDictionariesHelpContext);
  dictList_->setSelectionMode(QAbstractItemView::SingleSelection);
  dictList_->setUniformItemSizes(true);
  // Sub-dictionaries that an import added can be taken out again.
  removeButton_ = new QPushButton(InterfaceText(554), page);
  removeButton_->setObjectName(QStringLiteral("RemoveButton"));
  removeButton_->setEnabled(false);
  connect(dictList_, &QListWidget::currentRowChanged, this, &TOptionsForm::UpdateRemoveButton);
  connect(removeButton_, &QPushButton::clicked, this, [this] {
    const int row = dictList_->currentRow();
    if (row < 0 || static_cast<std::size_t>(row) >= lines_.size()) return;
    const SubDictCheck& line = lines_[static_cast<std::size_t>(row)];
    emit RemoveRequested(line.group, line.subDict, dictList_->item(row)->text());
  });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(removeButton_);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(dictList_);
  layout->addLayout(buttons);
  return page;
}

void TOptionsForm::LangRemake() {
  auto text = [this](int id) { return QString::fromStdU16String(language_.LangText(id)); };
  setWindowTitle(text(306));
  pages_->setTabText(pages_->indexOf(generalPage_), text(401));
  pages_->setTabText(pages_->indexOf(dictionariesPage_), text(402));
  okButton_->setText(text(409));
  cancelButton_->setText(text(410));
  languageLabel_->setText(text(411));
  removeButton_->setText(InterfaceText(554));  // a language file older than the button lacks its text
  for (std::size_t i = 0; i < checkBoxes_.size(); ++i) checkBoxes_[i]->setText(text(kCheckBoxes[i].textId));
  const std::string file = LanguageFileName(language_.CurrentInterfaceLang());
  helpFile_ = file.empty() ? QString()
                           : QStringLiteral("help/%1.html").arg(QString::fromStdString(file).section(u'.', 0, 0));
}

void TOptionsForm::FormActivate() {
  // 1. Texts.
  LangRemake();

  // 2. The dictionaries list, built anew from the group table.
  FillDictionaries();

  // 3. The language in force (the first entry when it is not listed).
  int position = 0;
  for (std::size_t i = 0; i < languages_.size(); ++i)
    if (languages_[i].index == language_.CurrentInterfaceLang()) position = static_cast<int>(i);
  languageBox_->setCurrentIndex(languages_.empty() ? -1 : position);

  // 4. The check boxes from the working copy.
  const bool states[] = {work_.AutoSaveState, work_.AutoSavePos, work_.SynchronizeLayout, work_.DisplayIconOnTaskBar};
  for (std::size_t i = 0; i < checkBoxes_.size(); ++i) checkBoxes_[i]->setChecked(states[i]);
}

void TOptionsForm::FillDictionaries() {
  const int lang = language_.CurrentInterfaceLang();
  const auto lines = SubDictCheckLines(session_, lang, [this](int group) {
    return language_.LangText(kGroupNameTextBase + group);
  });
  dictList_->clear();
  lines_.clear();
  for (const SubDictCheckLine& line : lines) {
    auto* item = new QListWidgetItem(QString::fromStdU16String(line.text), dictList_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(line.check.checked ? Qt::Checked : Qt::Unchecked);
    lines_.push_back(line.check);
  }
  // Which lines an import added, each group's list read once.
  removable_.assign(lines_.size(), false);
  std::map<int, std::vector<ImportedSubDict>> imported;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const int g = lines_[i].group;
    if (!session_.Table().Valid(g)) continue;
    if (!imported.count(g)) imported[g] = LoadImportRegistry(session_.ProgramDir(), session_.Table().Group(g).BaseName());
    for (const ImportedSubDict& e : imported[g]) removable_[i] = removable_[i] || e.subDict == lines_[i].subDict;
  }
  UpdateRemoveButton();
}

void TOptionsForm::RefillDictionaries() {
  FormClose();
  const std::vector<SubDictCheck> marks = checks_;
  FillDictionaries();
  for (std::size_t i = 0; i < lines_.size(); ++i)
    for (const SubDictCheck& m : marks)
      if (m.group == lines_[i].group && m.subDict == lines_[i].subDict)
        dictList_->item(static_cast<int>(i))->setCheckState(m.checked ? Qt::Checked : Qt::Unchecked);
}

void TOptionsForm::UpdateRemoveButton() {
  const int row = dictList_->currentRow();
  removeButton_->setEnabled(row >= 0 && static_cast<std::size_t>(row) < removable_.size() &&
                            removable_[static_cast<std::size_t>(row)]);
}

void TOptionsForm::TntComboBox1Change(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= languages_.size()) return;
  work_.InterfaceLang = languages_[static_cast<std::size_t>(position)].index;
}

void TOptionsForm::FormClose() {
  const int count = dictList_->count();
  checks_.assign(static_cast<std::size_t>(count), SubDictCheck{});
  for (int i = 0; i < count && static_cast<std::size_t>(i) < lines_.size(); ++i) {
    checks_[static_cast<std::size_t>(i)] = lines_[static_cast<std::size_t>(i)];
    checks_[static_cast<std::size_t>(i)].checked = dictList_->item(i)->checkState() == Qt::Checked;
  }
}

void TOptionsForm::done(int result) {
  FormClose();
  QDialog::done(result);
}

void TOptionsForm::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) FormActivate();
  QDialog::showEvent(event);
}

}  // namespace lexmora::gui
