// The Help menu's windows and the splash: the help window at a help context
// of the interface language's page (Help -> "Help", tool button 11, F1 on
// the focused control), the home page in the user's browser, the about box,
// and the splash window of the start.
#include <QDesktopServices>
#include <QDir>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include "about/about_box.h"
#include "about/help_router.h"
#include "about/help_window.h"
#include "about/title_form.h"
#include "main_window.h"
#include "settings/help_contexts.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::SetupHelp() {
  if (auto* button = toolBar1_->findChild<QToolButton*>(QStringLiteral("TntSpeedButton11")))
    connect(button, &QToolButton::clicked, this, [this] { ShowHelp(kHelpContents); });
  // F1 opens the topic of the focused control; the menu item and the tool
  // button open the contents.
  helpRouter_ = new HelpRouter(Action(Command::Help), [this](int context) { ShowHelp(context); }, this);
}

void TLexmoraAzeriDictionaries::ShowHelp(int context) {
  if (helpForm_ == nullptr) helpForm_ = new HelpWindow(this);
  const std::string page = HelpPageName(language_->CurrentInterfaceLang());
  helpForm_->ShowContext(QDir(options_.programDir).filePath(QString::fromStdString(page)),
                         IsHelpContext(context) ? context : kHelpContents);
}

void TLexmoraAzeriDictionaries::OpenWebPage() {
  // Whether the browser starts is not reported.
  const QString page = QDir(options_.programDir).filePath(QString::fromLatin1(kHomePageName.data(),
                                                                              static_cast<qsizetype>(kHomePageName.size())));
  QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void TLexmoraAzeriDictionaries::ShowAboutBox() {
  TAboutBox box(this);
  box.exec();
}

void TLexmoraAzeriDictionaries::ShowSplash() {
  titleForm_ = new TTitleForm(this);
  titleForm_->exec();
}

}  // namespace lexmora::gui
