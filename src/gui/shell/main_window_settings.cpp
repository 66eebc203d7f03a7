// The main window and the settings record: RestoreSystemOptions applies the
// loaded record when the window is created, SetSystemOptions captures the
// window's state into it when the window is destroyed (and when the session
// manager asks the program to save, CommitData). The bounds are the
// core's (window_restore_rules.h).
#include <algorithm>

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>

#include "dictionary/word_list_frame.h"
#include "interface_texts.h"
#include "main_window.h"
#include "session/saved_state.h"

namespace lexmora::gui {
namespace {

ScreenSize ScreenOf(const QWidget* window) {
  const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  return {screen->geometry().width(), screen->geometry().height()};
}

}  // namespace

void TLexmoraAzeriDictionaries::AdoptSettings() {
  settings_ = options_.settings ? options_.settings : &ownSettings_;
  language_ = options_.language ? options_.language : &ownLanguage_;
  if (options_.settings == nullptr) {
    // A window without the program's settings starts from the values given.
    ownSettings_.WindowPosX = -1;  // stays where the system puts it
    ownSettings_.WindowPosY = -1;
    ownSettings_.DisplayIconOnTaskBar = options_.displayIconOnTaskBar;
    ownSettings_.SynchronizeLayout = options_.synchronizeLayout;
    ownSettings_.CurrentLangGroup = options_.currentLangGroup;
    ownSettings_.CurrentItemIndex = options_.currentItemIndex;
    SetCurrentBoxWord(ownSettings_, options_.currentBoxWord.toStdU16String());
  }
  SetInterfaceLanguage(language_);
}

void TLexmoraAzeriDictionaries::RestoreSystemOptions() {
  OptionsRecord& o = *settings_;
  // 1. Interface language, then every text of the window.
  const std::filesystem::path folder = QDir(options_.programDir).filesystemAbsolutePath();
  language_->RestoreInterfaceLang(o.InterfaceLang, folder);
  LangRemake();

  // 2. Position and size, each only when it passes its test.
  const WindowRect designTime{x(), y(), width(), height()};
  const WindowRect rect = RestoreWindowRect(o, ScreenOf(this), designTime);
  move(rect.left, rect.top);
  resize(rect.width, rect.height);

  // 3. Only the maximised state is restored.
  if (RestoreMaximised(o)) setWindowState(windowState() | Qt::WindowMaximized);

  // 4. The word-list panel's width.
  if (SplitterPosAccepted(o.SplitterPos, width())) {
    // Before the window is laid out the splitter is as wide as the window
    // will make it, so that the panel keeps the pixels given; the article
    // view takes what the layout adds or removes later.
    if (splitter_->width() < width()) splitter_->resize(width(), splitter_->height());
    const int rest = splitter_->width() - o.SplitterPos - splitter_->handleWidth();
    splitter_->setSizes({o.SplitterPos, std::max(1, rest)});
  }

  // 5. The two bars; the band lays them out, so only their visibility applies.
  const ToolbarsCoordsRecord& bars = o.ToolbarsCoords;
  toolBar1_->setVisible(bars.mainVisible);
  toolBar2_->setVisible(bars.dictVisible);
  Action(Command::ViewToolbar)->setChecked(bars.mainVisible);
  Action(Command::ViewDictionariesBar)->setChecked(bars.dictVisible);

  // 6. The group, with the "Full Dictionary" button pressed.
  o.CurrentLangGroup = session_->RestoreCurrentGroup(o.CurrentLangGroup);
  if (QToolButton* full = ViewButton(0)) full->setChecked(true);
}

void TLexmoraAzeriDictionaries::SetSystemOptions() {
  WindowCapture window;
  const Qt::WindowStates state = windowState();
  const bool normal = !(state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
  const QRect r = normal ? QRect(pos(), size()) : normalGeometry();
  window.normalRect = {r.left(), r.top(), r.width(), r.height()};
  window.minimised = state & Qt::WindowMinimized;
  window.maximised = state & Qt::WindowMaximized;
  const QList<int> sizes = splitter_->sizes();
  window.splitterPos = sizes.isEmpty() ? 0 : sizes.first();
  window.bars.mainLeft = toolBar1_->x();
  window.bars.mainTop = toolBar1_->y();
  window.bars.mainVisible = !toolBar1_->isHidden();
  window.bars.dictLeft = toolBar2_->x();
  window.bars.dictTop = toolBar2_->y();
  window.bars.dictVisible = !toolBar2_->isHidden();
  window.selectedRow = wordList_->SelectedRow();
  window.boxWord = inputBox_->text().toStdU16String();
  CaptureWindowState(*settings_, window, *session_);
}

void TLexmoraAzeriDictionaries::CommitData() {
  SetSystemOptions();
  session_->SaveExitState();
  if (options_.saveSettings) options_.saveSettings();
}

}  // namespace lexmora::gui
