// The main window's actions, menus and the tool-band popup.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTextDocumentFragment>
#include <QToolBar>
#include <QToolButton>

#include "dictionary/article_view.h"
#include "dictionary/word_list_frame.h"
#include "interface_texts.h"
#include "main_window.h"
#include "session/edit_commands.h"
#include "settings/help_contexts.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::CreateActions() {
  // One action per command of the table, with its caption, shortcut and Tag
  // (the text id LangRemake re-texts it with).
  viewActions_ = new QActionGroup(this);
  viewActions_->setExclusive(true);
  for (const CommandInfo& info : Commands()) {
    auto* action = new QAction(info.textId ? InterfaceText(info.textId) : QString(), this);
    action->setObjectName(QString::fromLatin1(info.action.data(), static_cast<qsizetype>(info.action.size())));
    action->setProperty("Tag", info.textId);
    if (!info.shortcut.empty())
      action->setShortcut(QKeySequence(QString::fromLatin1(info.shortcut.data(), static_cast<qsizetype>(info.shortcut.size()))));
    action->setCheckable(info.checkable);
    if (ViewOfCommand(info.command) >= 0) viewActions_->addAction(action);
    const Command command = info.command;
    connect(action, &QAction::triggered, this, [this, command] { RunCommand(command); });
    actions_[static_cast<std::size_t>(command)] = action;
    addAction(action);  // shortcuts work wherever the focus is
  }
  for (Command c : {Command::ViewToolbar, Command::ViewDictionariesBar}) Action(c)->setChecked(true);
}

void TLexmoraAzeriDictionaries::RunCommand(Command command) {
  if (const int view = ViewOfCommand(command); view >= 0) {
    SpeedButton1Click(view);
    return;
  }
  switch (command) {
    case Command::EditCut:
    case Command::EditCopy:
    case Command::EditPaste:
    case Command::EditSelectAll: EditCommand(command); break;
    case Command::ViewToolbar: toolBar1_->setVisible(Action(command)->isChecked()); break;
    case Command::ViewDictionariesBar: toolBar2_->setVisible(Action(command)->isChecked()); break;
    case Command::ListAdd: AddToList(SelectedRow(), 2); break;
    case Command::ListRemove: AddToList(SelectedRow(), 1); break;
    case Command::ListClear: ClearList(); break;
    case Command::ListLoad: LoadList(); break;
    case Command::ListSave: SaveList(); break;
    case Command::ListExport: ExportList(); break;
    case Command::ToolsIdxSearch: SpeedButton9Click(); break;
    case Command::ToolsGame: SpeedButton2Click(); break;
    case Command::ToolsAddDictionary: AddDictionary(); break;
    case Command::Help: ShowHelp(kHelpContents); break;
    case Command::HelpWeb: OpenWebPage(); break;
    case Command::HelpAbout: ShowAboutBox(); break;
    case Command::ToolsOptions: aToolsOptionsExecute(); break;
    case Command::Pronounce: Pronounce(article_->View()->textCursor().selectedText()); break;
    case Command::SetClipBoard: QApplication::clipboard()->setText(article_->ContextWord()); break;
    case Command::SearchInList: SearchInList(article_->ContextWord()); break;
    case Command::IdxSearch: IdxSearch(article_->ContextWord()); break;
    default: break;  // commands whose windows come later
  }
}

void TLexmoraAzeriDictionaries::CreateMenus() {
  auto menu = [this](int tag, const char* name) {
    QMenu* m = menuBar()->addMenu(InterfaceText(tag));
    m->setObjectName(QLatin1String(name));
    m->menuAction()->setProperty("Tag", tag);
    return m;
  };
  QMenu* edit = menu(101, "Edit1");
  for (Command c : {Command::EditCut, Command::EditCopy, Command::EditPaste, Command::EditSelectAll})
    edit->addAction(Action(c));
  edit->addSeparator();
  edit->addAction(Action(Command::Pronounce));

  QMenu* view = menu(102, "View1");
  for (Command c : {Command::ViewFull, Command::ViewUserList, Command::ViewGameList, Command::ViewSearchList})
    view->addAction(Action(c));
  view->addSeparator();
  groupMenu_ = view->addMenu(InterfaceText(125));
  groupMenu_->setObjectName(QStringLiteral("Dictionariesgroup1"));
  groupMenu_->menuAction()->setProperty("Tag", 125);
  groupMenuActions_ = new QActionGroup(this);
  groupMenuActions_->setExclusive(true);
  connect(groupMenuActions_, &QActionGroup::triggered, this, &TLexmoraAzeriDictionaries::Dictionary81Click);
  view->addSeparator();
  view->addAction(Action(Command::ViewToolbar));
  view->addAction(Action(Command::ViewDictionariesBar));

  QMenu* lists = menu(103, "Lists1");
  for (Command c : {Command::ListAdd, Command::ListRemove, Command::ListClear, Command::ListLoad, Command::ListSave})
    lists->addAction(Action(c));
  lists->addSeparator();
  lists->addAction(Action(Command::ListExport));
  QMenu* tools = menu(104, "Tools1");
  for (Command c : {Command::ToolsIdxSearch, Command::ToolsGame}) tools->addAction(Action(c));
  tools->addSeparator();
  tools->addAction(Action(Command::ToolsAddDictionary));
  tools->addAction(Action(Command::ToolsOptions));
  QMenu* help = menu(105, "Help1");
  help->addAction(Action(Command::Help));
  help->addAction(Action(Command::HelpWeb));
  help->addSeparator();
  help->addAction(Action(Command::HelpAbout));

  // The article popups run the window's services.
  connect(article_, &ArticleView::CopyRequested, Action(Command::SetClipBoard), &QAction::trigger);
  connect(article_, &ArticleView::SearchInListRequested, Action(Command::SearchInList), &QAction::trigger);
  connect(article_, &ArticleView::IdxSearchRequested, Action(Command::IdxSearch), &QAction::trigger);
}

QMenu* TLexmoraAzeriDictionaries::createPopupMenu() {
  // TntPanelsPopupMenu: the two bars of the tool band.
  auto* popup = new QMenu(this);
  popup->setObjectName(QStringLiteral("TntPanelsPopupMenu"));
  for (auto [command, bar] : {std::pair{Command::ViewToolbar, toolBar1_}, std::pair{Command::ViewDictionariesBar, toolBar2_}}) {
    Action(command)->setChecked(bar->isVisible());
    popup->addAction(Action(command));
  }
  return popup;
}

void TLexmoraAzeriDictionaries::EditCommand(Command command) {
  QWidget* focus = QApplication::focusWidget();
  const EditFocus place = focus == inputBox_                                                  ? EditFocus::InputBox
                          : focus && (focus == article_->View() || article_->isAncestorOf(focus)) ? EditFocus::Article
                                                                                              : EditFocus::Elsewhere;
  QClipboard* clipboard = QApplication::clipboard();
  switch (EditActionFor(command, place)) {
    case EditAction::CopyInputSelection: clipboard->setText(inputBox_->selectedText()); break;
    case EditAction::CopyArticleSelection: {
      // Plain text; the sound buttons' placeholders are left out.
      QString text = article_->View()->textCursor().selection().toPlainText();
      text.remove(QChar::ObjectReplacementCharacter);
      clipboard->setText(text);
      break;
    }
    case EditAction::CopyNothing: clipboard->setText(QString()); break;
    case EditAction::CutInputSelection:
      clipboard->setText(inputBox_->selectedText());
      if (inputBox_->hasSelectedText()) inputBox_->del();  // del() alone would take the next character
      break;
    case EditAction::PasteIntoInput: {
      // Only text is taken; a clipboard with none (a picture, say) deletes
      // the selection.
      const QMimeData* data = clipboard->mimeData();
      const QString text = data && data->hasText() ? data->text() : QString();
      inputBox_->insert(QString::fromStdU16String(PastedText(text.toStdU16String())));
      break;
    }
    case EditAction::SelectAllInput: inputBox_->selectAll(); break;
    case EditAction::SelectAllArticle:
      article_->View()->selectAll();
      article_->View()->viewport()->update();
      break;
    case EditAction::None: break;
  }
}

}  // namespace lexmora::gui
