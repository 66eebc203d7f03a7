#include "main_window.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QThreadPool>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "dictionary/article_fonts.h"
#include "dictionary/article_view.h"
#include "dictionary/context_word.h"
#include "dictionary/group_combo_box.h"
#include "dictionary/word_list_frame.h"
#include "dictionary/word_list_model.h"
#include "interface_texts.h"
#include "lists_game/game_form.h"
#include "lists_game/game_pictures.h"
#include "platform/agent_launcher.h"

namespace lexmora::gui {

TLexmoraAzeriDictionaries::TLexmoraAzeriDictionaries(MainWindowOptions options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)) {
  // FormCreate.
  creating_ = true;
  setObjectName(QStringLiteral("TLexmoraAzeriDictionaries"));
  AdoptSettings();
  setWindowTitle(InterfaceText(3));
  setMinimumSize(200, 200);
  layouts_ = options_.keyboardLayouts ? options_.keyboardLayouts
                                      : std::shared_ptr<platform::KeyboardLayouts>(platform::CreateDesktopKeyboardLayouts());

  ConnectInstance();

  // The companion agent, unless this start only closes a running instance;
  // it starts once the window is up, so that its own start-up does not
  // compete with the window's.
  agentPending_ = !options_.offStart && options_.startAgent && settings_->DisplayIconOnTaskBar;

  // Every group of the table is loaded.
  session_ = std::make_unique<lexmora::Session>(options_.programDir.toStdString());
  session_->LoadAllGroups();

  // Widgets.
  model_ = new WordListModel(*session_, this);
  wordList_ = new WordListFrame(model_, this);
  article_ = new ArticleView(this);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setObjectName(QStringLiteral("Splitter1"));
  splitter_->addWidget(wordList_);
  splitter_->addWidget(article_);
  splitter_->setChildrenCollapsible(false);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({260, 640});

  panel2_ = new QWidget(this);
  panel2_->setObjectName(QStringLiteral("Panel2"));
  inputBox_ = new QLineEdit(panel2_);
  inputBox_->setObjectName(QStringLiteral("TntEdit1"));
  QFont inputFont = MappedFont(QStringLiteral("Arial"));
  inputFont.setPointSize(11);
  inputBox_->setFont(inputFont);
  inputBox_->setClearButtonEnabled(false);
  inputBox_->installEventFilter(this);
  auto* panelLayout = new QVBoxLayout(panel2_);
  panelLayout->setContentsMargins(0, 2, 0, 0);
  panelLayout->addWidget(inputBox_);
  SetupSuggestions();
  panelLayout->addWidget(suggestLine_);
  label1_ = new QLabel(this);
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->hide();

  CreateActions();
  QWidget* band = CreateToolBand();
  CreateMenus();
  SetupFullTextSearch();
  SetupGame();
  SetupHelp();
  SetupSound();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(band);
  layout->addWidget(splitter_, 1);
  layout->addWidget(panel2_);
  setCentralWidget(central);

  connect(wordList_, &WordListFrame::SelectionChanged, this, &TLexmoraAzeriDictionaries::Frame11DrawGrid1Click);
  connect(wordList_, &WordListFrame::RowRightClicked, this, [this](int row) { AddToList(row, 0); });
  connect(inputBox_, &QLineEdit::textChanged, this, &TLexmoraAzeriDictionaries::ListWordChanged);
  connect(inputBox_, &QLineEdit::returnPressed, inputBox_, &QLineEdit::clear);

  // The group box and the "Dictionaries group" submenu.
  FillGroupBoxAndMenu();
  session_->RestoreCurrentGroup(1);
  groupBox_->setCurrentIndex(groupBox_->count() > 0 ? 0 : -1);

  // Restored state: language, geometry, bars and group; then the word and the row.
  resize(kDefaultWindowWidth, kDefaultWindowHeight);  // the design-time size
  RestoreSystemOptions();
  if (options_.showSplash) ShowSplash();
  const int restoredGroup = session_->CurrentGroup();
  int item = 0;
  for (std::size_t i = 0; i < groupList_.size(); ++i)
    if (groupList_[i] == restoredGroup) item = static_cast<int>(i);
  groupBox_->setCurrentIndex(groupList_.empty() ? -1 : item);
  if (!groupList_.empty()) ComboBox1Change();
  Action(Command::ViewFull)->setChecked(true);
  RefreshVoclScreen(0);
  {
    const QSignalBlocker block(inputBox_);  // the restored row wins over the word
    inputBox_->setText(QString::fromStdU16String(settings_->CurrentBoxWord));
  }
  inputBox_->selectAll();
  const int row = settings_->CurrentItemIndex;
  wordList_->SelectRow(session_->RowToSelect(row));
  UpdateCommands();
  ScanGameWords();
  creating_ = false;
}

TLexmoraAzeriDictionaries::~TLexmoraAzeriDictionaries() {
  // A scan or an index still being made calls back to this window: they end first.
  scanPool_->clear();
  scanPool_->waitForDone();
  suggestPool_->clear();
  suggestPool_->waitForDone();
  // FormDestroy: the window's state into the settings, then the groups are
  // freed and the group table is written back.
  SetSystemOptions();
  SetInterfaceLanguage(nullptr);
  session_->Close();
}

void TLexmoraAzeriDictionaries::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  FocusInputBox();
  // The suggestion indexes are made once the window is up: made beside the
  // start-up, their worker slowed the start by half.
  if (!indexesStarted_) {
    indexesStarted_ = true;
    QTimer::singleShot(kIndexDelayMs, this, [this] { BuildSuggestionIndexes(); });
  }
  if (agentPending_) {
    agentPending_ = false;
    QTimer::singleShot(0, this, [this] { platform::StartAgent(options_.programDir); });
  }
}

bool TLexmoraAzeriDictionaries::eventFilter(QObject* watched, QEvent* event) {
  // The input box would take the edit keys for its own cut, copy and
  // paste (which turns line breaks into blanks); the window's edit
  // commands have rules of their own, so the keys go to them.
  if (watched == inputBox_ && event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    for (QKeySequence::StandardKey k : {QKeySequence::Cut, QKeySequence::Copy, QKeySequence::Paste, QKeySequence::SelectAll}) {
      if (key->matches(k)) {
        event->ignore();
        return true;
      }
    }
  }
  // The list is moved from the input box with the cursor and page keys.
  if (watched == inputBox_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_Down:
        if ((key->modifiers() & Qt::ControlModifier) && !suggestions_.empty()) {
          TakeSuggestion(0);
          return true;
        }
        QApplication::sendEvent(wordList_->Grid(), event);
        return true;
      case Qt::Key_Up: case Qt::Key_PageUp: case Qt::Key_PageDown:
        QApplication::sendEvent(wordList_->Grid(), event);
        return true;
      default:
        break;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

QToolButton* TLexmoraAzeriDictionaries::ViewButton(int tag) const {
  return viewButtons_ ? qobject_cast<QToolButton*>(viewButtons_->button(tag)) : nullptr;
}

int TLexmoraAzeriDictionaries::SelectedRow() const { return wordList_->SelectedRow(); }
int TLexmoraAzeriDictionaries::RowCount() const { return model_->rowCount(); }

QString TLexmoraAzeriDictionaries::SelectedHeadword() const {
  const int row = SelectedRow();
  return row >= 0 ? model_->index(row).data(Qt::DisplayRole).toString() : QString();
}

QString TLexmoraAzeriDictionaries::ArticlePlainText() const { return article_->PlainText(); }

void TLexmoraAzeriDictionaries::FocusInputBox() {
  if (inputBox_->isVisible()) inputBox_->setFocus(Qt::OtherFocusReason);
}

void TLexmoraAzeriDictionaries::LookupAgain() { ListWordChanged(inputBox_->text()); }

void TLexmoraAzeriDictionaries::SwitchKeyboardLayout() {
  if (auto layout = session_->KeyboardLayoutToActivate(settings_->SynchronizeLayout)) layouts_->Activate(*layout);
}

void TLexmoraAzeriDictionaries::ComboBox1Change() {
  const int index = groupBox_->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= groupList_.size()) return;
  const GroupChange change = session_->SelectGroup(groupList_[static_cast<std::size_t>(index)]);
  SwitchKeyboardLayout();
  UpdateCommands();
  if (change.fellBackToFull && followUp_) UpdateViewChecks();
  model_->Reset();
  const QList<QAction*> items = groupMenu_->actions();
  if (index < items.size()) items[index]->setChecked(true);
  RefreshVoclScreen(0);
  if (followUp_) LookupAgain();
  if (!creating_) FocusInputBox();
}

void TLexmoraAzeriDictionaries::Dictionary81Click(QAction* item) { SelectGroup(item->data().toInt()); }

bool TLexmoraAzeriDictionaries::SelectGroup(int group) {
  for (std::size_t i = 0; i < groupList_.size(); ++i) {
    if (groupList_[i] == group) {
      groupBox_->setCurrentIndex(static_cast<int>(i));
      ComboBox1Change();
      return true;
    }
  }
  return false;
}

void TLexmoraAzeriDictionaries::SetInputText(const QString& text) { inputBox_->setText(text); }

void TLexmoraAzeriDictionaries::SpeedButton1Click(int tag) {
  const bool changed = session_->SetView(tag);
  UpdateViewChecks();  // a view not offered leaves the checks where they were
  if (!changed) return;
  UpdateCommands();
  ActivateProc();
  FocusInputBox();
  RefreshVoclScreen(0);
  LookupAgain();
}

void TLexmoraAzeriDictionaries::UpdateViewChecks() {
  const int mode = session_->ViewMode();
  if (auto command = CommandForView(mode)) Action(*command)->setChecked(true);
  if (QToolButton* b = ViewButton(mode)) b->setChecked(true);
}

void TLexmoraAzeriDictionaries::UpdateCommands() {
  for (const CommandInfo& info : Commands()) Action(info.command)->setEnabled(CommandEnabled(info.command, *session_));
  if (QToolButton* b = ViewButton(kViewSearchList)) b->setEnabled(CommandEnabled(Command::ViewSearchList, *session_));
}

void TLexmoraAzeriDictionaries::RefreshVoclScreen(int row) {
  SetupSubDictButtons();  // the bar lays the shown buttons out before the group box
  model_->Reset();
  wordList_->SelectRow(session_->RowToSelect(row));
  if (model_->rowCount() <= 0 || wordList_->SelectedRow() < 0) {
    currentSubDict_ = -1;
    article_->Clear();
  }
  wordList_->Grid()->viewport()->update();
  ActivateProc();
}

std::vector<int> TLexmoraAzeriDictionaries::NewlyLoadedGroups(LoadCounts& seen) const {
  std::vector<int> groups;
  for (int g : session_->ListedGroups()) {
    const std::size_t slot = static_cast<std::size_t>(g - 1);
    const std::uint64_t load = session_->GroupLoadCount(g);
    if (seen[slot] == load || session_->Group(g).entries.empty()) continue;
    seen[slot] = load;
    groups.push_back(g);
  }
  return groups;
}

void TLexmoraAzeriDictionaries::ReloadVocl(int group) {
  session_->ReloadGroup(group);
  ScanGameWords();
  BuildSuggestionIndexes();
  UpdateCommands();
  model_->Reset();
}

void TLexmoraAzeriDictionaries::SubDict1_SBClick(int button) {
  const int k = subDictButtons_[static_cast<std::size_t>(button)]->property("Tag").toInt();
  session_->ToggleSubDict(k);  // the group is reloaded with its new set
  ScanGameWords();
  BuildSuggestionIndexes();
  UpdateCommands();
  model_->Reset();
  RefreshVoclScreen(0);
  LookupAgain();
}

void TLexmoraAzeriDictionaries::ActivateProc() {
  for (QToolButton* b : subDictButtons_) b->update();
  toolBar1_->update();
}

void TLexmoraAzeriDictionaries::AddToList(int row, int action) {
  if (row < 0) return;
  const ListChange change = session_->AddToList(row, action, SelectedRow());
  if (change.marksChanged) ScheduleListSave();
  if (change.closedUp) {
    model_->Reset();
    wordList_->SelectRow(change.selectRow);
    if (model_->rowCount() <= 0) article_->Clear();
  }
  // In the full view only the clicked row's mark changed. The model reads
  // marks as it paints, so repainting the row is enough; a change signal
  // would make the view lay out every row of the group again.
  if (change.marksChanged && !change.closedUp) wordList_->Grid()->update(model_->index(row));
  if (change.closedUp) wordList_->Grid()->viewport()->update();
}

void TLexmoraAzeriDictionaries::ListWordChanged(const QString& text) {
  const std::u16string typed(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
  const int row = session_->LookupRow(typed);
  if (row >= 0) wordList_->SelectRow(row);
  ShowSuggestions(text);
}

void TLexmoraAzeriDictionaries::Frame11DrawGrid1Click(int row) {
  const int entry = (row < 0 || model_->rowCount() == 0) ? -1 : session_->EntryForRow(row);
  SetWordInfo(entry);
  label1_->setText(QString::number(row + 1));
}

void TLexmoraAzeriDictionaries::SetWordInfo(int entry) {
  if (entry < 0) {
    currentSubDict_ = -1;
    article_->Clear();
    return;
  }
  const LoadedGroup& group = session_->Current();
  if (entry >= group.EntryCount()) return;
  currentSubDict_ = group.entries[static_cast<std::size_t>(entry)].SubDict();
  article_->ShowArticle(session_->ViewArticleText(entry), ArticleSounds(currentSubDict_));
}

void TLexmoraAzeriDictionaries::SearchInList(const QString& word) {
  const QString text = BeforeFirstReturn(word);
  ViewButton(0)->setChecked(true);
  SpeedButton1Click(kViewFull);
  inputBox_->setText(text);
}

void TLexmoraAzeriDictionaries::IdxSearch(const QString& word) {
  // servIdxSearchExecute: the word goes into the input box and is searched.
  const QString text = BeforeFirstReturn(word);
  if (text != inputBox_->text()) inputBox_->setText(text);
  SearchInIndex(session_->CurrentGroup(), text);
}

}  // namespace lexmora::gui
