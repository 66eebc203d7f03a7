// The main window's side of the game: the picture bases of the program
// folder for the session, the game window, and opening it.
#include <QThreadPool>
#include <QToolBar>
#include <QToolButton>

#include "dictionary/word_list_frame.h"
#include "interface_texts.h"
#include "lists_game/game_form.h"
#include "lists_game/game_pictures.h"
#include "main_window.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::SetupGame() {
  gamePictures_ = std::make_unique<GamePictureSet>(std::filesystem::path(options_.programDir.toStdU16String()));
  session_->SetGamePictures(gamePictures_.get());
  gameForm_ = new TGameForm(*session_, *gamePictures_, this);
  gameForm_->switchKeyboardLayout = [this] { SwitchKeyboardLayout(); };
  if (auto* button = toolBar1_->findChild<QToolButton*>(QStringLiteral("TntSpeedButton9")))
    connect(button, &QToolButton::clicked, this, [this] { RunCommand(Command::ToolsGame); });
  scanPool_ = new QThreadPool(this);
  scanPool_->setMaxThreadCount(1);
}

void TLexmoraAzeriDictionaries::ScanGameWords() {
  for (int g : NewlyLoadedGroups(scannedLoads_)) {
    const std::uint64_t load = session_->GroupLoadCount(g);
    // The worker reads its own copy; the window takes the result only when
    // the group has not been loaded again meanwhile. The window waits for
    // the pool before it goes, so the worker may call back to it.
    std::shared_ptr<const LoadedGroup> snapshot = session_->Snapshot(g);
    scanPool_->start([this, snapshot, g, load] {
      GameWordTable table = lexmora::ScanGameWords(*snapshot);
      QMetaObject::invokeMethod(
          this, [this, g, load, table = std::move(table)]() mutable { session_->SetGameWordTable(g, load, std::move(table)); },
          Qt::QueuedConnection);
    });
  }
}

void TLexmoraAzeriDictionaries::SpeedButton2Click() {
  if (session_->GameWordCount() <= 0) {
    dialogs_.warn(this, InterfaceText(305), InterfaceText(307));
    return;
  }
  gameForm_->LangRemake();
  gameForm_->exec();
  FocusInputBox();
}

}  // namespace lexmora::gui
