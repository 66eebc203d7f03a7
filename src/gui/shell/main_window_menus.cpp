// The main window's actions, menus and the tool-band popup.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include "interface_texts.h"
#include "main_window.h"

namespace lexmora::gui {

namespace {

QAction* MakeAction(QObject* parent, std::vector<QAction*>& all, const char* name, int tag,
                    const QKeySequence& shortcut = {}) {
  auto* action = new QAction(InterfaceText(tag), parent);
  action->setObjectName(QLatin1String(name));
  action->setProperty("Tag", tag);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  all.push_back(action);
  return action;
}

QAction* Find(const std::vector<QAction*>& all, const char* name) {
  for (QAction* a : all)
    if (a->objectName() == QLatin1String(name)) return a;
  return nullptr;
}

}  // namespace

void TLexmoraAzeriDictionaries::CreateActions() {
  auto& all = actions_;
  // Edit: act on the input box or the article view.
  const std::pair<const char*, int> edit[] = {{"aEditCut", 111}, {"aEditCopy", 112}, {"aEditPaste", 113}, {"aEditSelectAll", 114}};
  const QKeySequence editKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::CTRL | Qt::Key_C),
                                   QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::CTRL | Qt::Key_A)};
  for (int i = 0; i < 4; ++i) {
    QAction* a = MakeAction(this, all, edit[i].first, edit[i].second, editKeys[i]);
    const int tag = edit[i].second;
    connect(a, &QAction::triggered, this, [this, tag] { EditCommand(tag); });
  }

  // View: the four list sources are radio items of one group.
  viewActions_ = new QActionGroup(this);
  viewActions_->setExclusive(true);
  const char* viewNames[] = {"aViewFull", "aViewUserList", "aViewGameList", "aViewSearchList"};
  const QKeySequence viewKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_D), QKeySequence(Qt::CTRL | Qt::Key_L), {}, {}};
  for (int mode = 0; mode < 4; ++mode) {
    QAction* a = MakeAction(this, all, viewNames[mode], 121 + mode, viewKeys[mode]);
    a->setCheckable(true);
    viewActions_->addAction(a);
    viewAction_[static_cast<std::size_t>(mode)] = a;
    connect(a, &QAction::triggered, this, [this, mode] {
      if (QToolButton* button = ViewButton(mode)) {
        if (!button->isEnabled()) {
          UpdateViewChecks();
          return;
        }
        button->setChecked(true);
      }
      SpeedButton1Click(mode);
    });
  }
  aViewToolbarVisible_ = MakeAction(this, all, "aViewToolbarVisible", 126);
  aViewDictLineVisible_ = MakeAction(this, all, "aViewDictLineVisible", 127);
  for (QAction* a : {aViewToolbarVisible_, aViewDictLineVisible_}) {
    a->setCheckable(true);
    a->setChecked(true);
  }
  connect(aViewToolbarVisible_, &QAction::triggered, this, [this](bool on) { toolBar1_->setVisible(on); });
  connect(aViewDictLineVisible_, &QAction::triggered, this, [this](bool on) { toolBar2_->setVisible(on); });

  // Lists (the list files come with the user lists).
  QAction* add = MakeAction(this, all, "aListAdd", 131);
  connect(add, &QAction::triggered, this, [this] { AddToList(SelectedRow(), 2); });
  QAction* remove = MakeAction(this, all, "aListRemove", 132);
  connect(remove, &QAction::triggered, this, [this] { AddToList(SelectedRow(), 1); });
  MakeAction(this, all, "aListClear", 133);
  MakeAction(this, all, "aListLoad", 134);
  MakeAction(this, all, "aListSave", 135);

  // Tools.
  QAction* search = MakeAction(this, all, "aToolsIdxSearch", 141, QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(search, &QAction::triggered, this, [this] { SpeedButton9Click(); });
  MakeAction(this, all, "aToolsGame", 142, QKeySequence(Qt::CTRL | Qt::Key_G));
  MakeAction(this, all, "aToolsOptions", 143, QKeySequence(Qt::CTRL | Qt::Key_O));

  // Help.
  MakeAction(this, all, "aHelp", 151, QKeySequence(Qt::Key_F1));
  MakeAction(this, all, "aHelpWeb", 153);
  MakeAction(this, all, "aHelpAbout", 152);

  // The article popups' services.
  QAction* clip = MakeAction(this, all, "servSetClipBoard", 0);
  connect(clip, &QAction::triggered, this,
          [this] { QApplication::clipboard()->setText(article_->ContextWord()); });
  QAction* inList = MakeAction(this, all, "servSearchInList", 0);
  connect(inList, &QAction::triggered, this, [this] { SearchInList(article_->ContextWord()); });
  QAction* inDicts = MakeAction(this, all, "servIdxSearch", 0);
  connect(inDicts, &QAction::triggered, this, [this] { IdxSearch(article_->ContextWord()); });

  for (QAction* a : all) addAction(a);  // shortcuts work wherever the focus is
}

void TLexmoraAzeriDictionaries::CreateMenus() {
  auto& all = actions_;
  auto menu = [this](int tag, const char* name) {
    QMenu* m = menuBar()->addMenu(InterfaceText(tag));
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setProperty("Tag", tag);
    return m;
  };
  QMenu* edit = menu(101, "Edit1");
  for (const char* n : {"aEditCut", "aEditCopy", "aEditPaste", "aEditSelectAll"}) edit->addAction(Find(all, n));

  QMenu* view = menu(102, "View1");
  for (QAction* a : viewAction_) view->addAction(a);
  view->addSeparator();
  groupMenu_ = view->addMenu(InterfaceText(125));
  groupMenu_->setObjectName(QStringLiteral("Dictionariesgroup1"));
  groupMenu_->menuAction()->setProperty("Tag", 125);
  groupMenuActions_ = new QActionGroup(this);
  groupMenuActions_->setExclusive(true);
  connect(groupMenuActions_, &QActionGroup::triggered, this, &TLexmoraAzeriDictionaries::Dictionary81Click);
  view->addSeparator();
  view->addAction(aViewToolbarVisible_);
  view->addAction(aViewDictLineVisible_);

  QMenu* lists = menu(103, "Lists1");
  for (const char* n : {"aListAdd", "aListRemove", "aListClear", "aListLoad", "aListSave"}) lists->addAction(Find(all, n));
  QMenu* tools = menu(104, "Tools1");
  for (const char* n : {"aToolsIdxSearch", "aToolsGame", "aToolsOptions"}) tools->addAction(Find(all, n));
  QMenu* help = menu(105, "Help1");
  help->addAction(Find(all, "aHelp"));
  help->addAction(Find(all, "aHelpWeb"));
  help->addSeparator();
  help->addAction(Find(all, "aHelpAbout"));

  // The article popups run the window's services.
  connect(article_, &ArticleView::CopyRequested, Find(all, "servSetClipBoard"), &QAction::trigger);
  connect(article_, &ArticleView::SearchInListRequested, Find(all, "servSearchInList"), &QAction::trigger);
  connect(article_, &ArticleView::IdxSearchRequested, Find(all, "servIdxSearch"), &QAction::trigger);
}

QMenu* TLexmoraAzeriDictionaries::createPopupMenu() {
  // TntPanelsPopupMenu: the two bars of the tool band.
  auto* popup = new QMenu(this);
  popup->setObjectName(QStringLiteral("TntPanelsPopupMenu"));
  aViewToolbarVisible_->setChecked(toolBar1_->isVisible());
  aViewDictLineVisible_->setChecked(toolBar2_->isVisible());
  popup->addAction(aViewToolbarVisible_);
  popup->addAction(aViewDictLineVisible_);
  return popup;
}

void TLexmoraAzeriDictionaries::EditCommand(int tag) {
  QWidget* focus = QApplication::focusWidget();
  const bool inArticle = focus && (focus == article_->View() || article_->isAncestorOf(focus));
  if (inArticle) {
    if (tag == 112) article_->View()->copy();
    if (tag == 114) article_->View()->selectAll();
    return;
  }
  switch (tag) {
    case 111: inputBox_->cut(); break;
    case 112: inputBox_->copy(); break;
    case 113: inputBox_->paste(); break;
    case 114: inputBox_->selectAll(); break;
    default: break;
  }
}

}  // namespace lexmora::gui
