// The Options command (Tools menu, tool button 10, Ctrl+O): the options
// dialog on a working copy of the settings record; when it is accepted the
// record takes the copy, the sub-dictionary sets take the check marks,
// every loaded group is reloaded, the interface language follows, the
// settings are saved and the companion agent is started or closed.
#include <QDir>

#include "main_window.h"
#include "options/options_form.h"
#include "platform/agent_launcher.h"

namespace lexmora::gui {

TLexmoraAzeriDictionaries::AgentControl TLexmoraAzeriDictionaries::DesktopAgentControl() {
  AgentControl control;
  control.start = [](const QString& programDir, const QStringList& arguments) {
    platform::StartAgent(programDir, arguments);
  };
  control.close = [] { platform::CloseAgent(); };
  return control;
}

TOptionsForm* TLexmoraAzeriDictionaries::OptionsForm() {
  if (optionsForm_ == nullptr) CreateOptionsForm();
  return optionsForm_;
}

void TLexmoraAzeriDictionaries::CreateOptionsForm() {
  std::vector<AvailableLanguageRec> languages;
  if (options_.availableLanguages) {
    languages = *options_.availableLanguages;
  } else {
    // A window without the program's settings lists the languages of its
    // folder itself, without touching the language in force.
    InterfaceLanguage probe;
    languages = probe.AvailableLanguages(QDir(options_.programDir).filesystemAbsolutePath());
  }
  optionsForm_ = new TOptionsForm(std::move(languages), *session_, *language_, this);
  optionsForm_->LangRemake();
  connect(optionsForm_, &TOptionsForm::RemoveRequested, this, &TLexmoraAzeriDictionaries::RemoveDictionary);
}

void TLexmoraAzeriDictionaries::aToolsOptionsExecute() {
  // 1-2. The working copy, shown modally; anything but OK discards it.
  OptionsForm();
  optionsForm_->WorkingCopy() = *settings_;
  if (optionsForm_->exec() != QDialog::Accepted) return;

  // 3. The record takes the copy.
  const bool iconBefore = settings_->DisplayIconOnTaskBar;
  *settings_ = optionsForm_->WorkingCopy();

  // 4-5. The sub-dictionary sets, then every loaded group with its set.
  session_->ApplySubDictChecks(optionsForm_->CheckMarks());
  for (int g : session_->LoadedGroups()) ReloadVocl(g);

  // 6. The interface language, whether or not its file loads.
  const std::filesystem::path folder = QDir(options_.programDir).filesystemAbsolutePath();
  if (language_->ChangeInterfaceLang(settings_->InterfaceLang, folder)) LangRemake();

  // 7. The settings are written.
  if (options_.saveSettings) options_.saveSettings();

  // 8. The agent, when the taskbar icon was switched.
  if (settings_->DisplayIconOnTaskBar != iconBefore) {
    if (settings_->DisplayIconOnTaskBar) {
      if (agent_.start) agent_.start(options_.programDir, {QStringLiteral("ON")});
    } else if (agent_.close) {
      agent_.close();
    }
  }

  // 9. The dictionary screen from row 0.
  RefreshVoclScreen(0);
}

}  // namespace lexmora::gui
