// Sounds of the shown article: its buttons play the sub-dictionary's
// recordings; Pronounce speaks the headword or the selection.
#include "dictionary/article_view.h"
#include "dictionary/speech_player.h"
#include "main_window.h"
#include "sound/headword_voice.h"
#include "sound/sound_archive.h"
#include "text/code_page.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::SetupSound() {
  article_->SetSoundOutput(options_.soundOutput);
  speech_ = new SpeechPlayer(options_.soundOutput, this);
  connect(article_, &ArticleView::PronounceRequested, this, &TLexmoraAzeriDictionaries::Pronounce);
}

SoundSource TLexmoraAzeriDictionaries::ArticleSounds(int subDict) const {
  SoundSource source;
  source.group = session_->CurrentGroup();
  source.subDict = subDict;
  source.archive = SoundArchiveFile(session_->ProgramDir(), session_->Table().Group(source.group).BaseName(), subDict);
  return source;
}

void TLexmoraAzeriDictionaries::Pronounce(const QString& selection) {
  QString text = selection.trimmed();
  if (text.isEmpty()) {
    const int row = SelectedRow();
    const int entry = row < 0 ? -1 : session_->EntryForRow(row);
    if (entry < 0) return;
    // A recording of the headword is preferred to the synthesizer; while it
    // is being started the word is not spoken over it.
    if (article_->SoundButtonCount() > 0) {
      TSoundButton* recording = article_->SoundButton(0);
      if (recording->PlayingFlag() || recording->Click()) return;
    }
    text = QString::fromStdU16String(session_->Headword(entry));
  }
  speech_->Speak(HeadwordVoice(session_->Table().Group(session_->CurrentGroup())), text);
}

}  // namespace lexmora::gui
