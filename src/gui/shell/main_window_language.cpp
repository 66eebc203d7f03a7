// Re-texting the main window in the interface language in force
// (LangRemake): title, menus, pop-ups, group names, tool-button hints and
// the help file.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "dictionary/article_view.h"
#include "dictionary/group_combo_box.h"
#include "interface_texts.h"
#include "main_window.h"
#include "settings/help_contexts.h"
#include "options/options_form.h"

namespace lexmora::gui {
namespace {

// Depth-first in item order: an item with a positive Tag takes the text of
// its Tag when there is one; an empty text leaves the caption.
void RetextMenu(const QList<QAction*>& items) {
  for (QAction* item : items) {
    const int tag = item->property("Tag").toInt();
    if (tag > 0) {
      const QString text = LanguageText(tag);
      if (!text.isEmpty()) item->setText(text);
    }
    if (QMenu* sub = item->menu()) RetextMenu(sub->actions());
  }
}

// The ten tool buttons with a hint, and the id of each.
struct HintedButton {
  const char* name;
  int id;
};
constexpr HintedButton kHintedButtons[] = {
    {"TntSpeedButton1", 121}, {"TntSpeedButton2", 122}, {"TntSpeedButton3", 123}, {"TntSpeedButton8", 124},
    {"TntSpeedButton4", 133}, {"TntSpeedButton5", 134}, {"TntSpeedButton6", 135}, {"TntSpeedButton7", 141},
    {"TntSpeedButton9", 142}, {"TntSpeedButton10", 143},
};

}  // namespace

void TLexmoraAzeriDictionaries::LangRemake() {
  SetInterfaceLanguage(language_);
  // 1. The title (the window keeps its own when the file has none).
  const QString title = LanguageText(3);
  if (!title.isEmpty()) setWindowTitle(title);

  // 2. The main menu, the article view's two pop-ups and the tool band's
  // pop-up (made of the View menu's bar items, re-texted with it).
  RetextMenu(menuBar()->actions());
  for (const char* name : {"TntPopupMenu1", "TntPopupMenu2"})
    if (auto* popup = article_->findChild<QMenu*>(QLatin1String(name))) RetextMenu(popup->actions());

  // 3. The options dialog.
  if (optionsForm_) optionsForm_->LangRemake();

  // 4. The group box draws group n with text 220 + n.
  for (int i = 0; i < groupBox_->count(); ++i) groupBox_->SetShownText(i, GroupText(groupBox_->GroupAt(i)));
  groupBox_->updateGeometry();
  groupBox_->update();

  // 5. The hints of the ten tool buttons, assigned whatever the text; the
  // sub-dictionary buttons name their dictionaries in the language.
  for (const HintedButton& b : kHintedButtons)
    if (auto* button = toolBar1_->findChild<QToolButton*>(QLatin1String(b.name))) button->setToolTip(LanguageText(b.id));
  SetupSubDictButtons();

  // 6. The help file of the language.
  const int lang = language_->CurrentInterfaceLang();
  helpFile_ = QString::fromStdString(HelpPageName(lang));
}

}  // namespace lexmora::gui
