// The main window's side of the game: the picture bases of the program
// folder for the session, the game window, and opening it.
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
