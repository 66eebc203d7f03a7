// The main window: tool band (ToolBar1 with the view and tool buttons,
// ToolBar2 with the sub-dictionary buttons and the group box), the word
// list, the article view and the input box. It connects these widgets to
// the core's working session (session/session.h): a handler turns a user
// action into a call on it and its result into widgets.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "session/commands.h"
#include "session/session.h"
#include "platform/keyboard_layouts.h"
#include "settings/interface_language.h"
#include "settings/options_record.h"

class QAction;
class QActionGroup;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QMenu;
class QSplitter;
class QToolBar;
class QThreadPool;
class QTimer;
class QToolButton;

namespace lexmora::platform {
class InstanceChannel;
class SoundOutput;
}

namespace lexmora::gui {

class ArticleView;
class GroupComboBox;
class WordListFrame;
class WordListModel;
class FullTextState;
class GamePictureSet;
class TGameForm;
class HelpWindow;
class HelpRouter;
class TTitleForm;
class SpeechPlayer;
struct SoundSource;
class TOptionsForm;

// What the window starts with: the program folder and the values the
// settings store will restore.
struct MainWindowOptions {
  QString programDir;
  bool offStart = false;             // first argument "OFF"
  bool displayIconOnTaskBar = true;  // start the companion agent
  bool startAgent = true;            // false: this run never starts the agent
  bool synchronizeLayout = true;     // switch the keyboard layout with the group
  int currentLangGroup = 1;
  int currentItemIndex = 0;
  QString currentBoxWord;
  // The platform's keyboard layouts; the desktop's when null.
  std::shared_ptr<platform::KeyboardLayouts> keyboardLayouts;
  // The program's settings record and interface language, restored at
  // creation and captured at destruction. When null the window keeps its
  // own, filled from the values above.
  OptionsRecord* settings = nullptr;
  InterfaceLanguage* language = nullptr;
  // Where sound buttons and spoken words play; silent when null.
  platform::SoundOutput* soundOutput = nullptr;
  // Shows the splash window during creation (the program does; tests and
  // screenshots go without).
  bool showSplash = false;
  // The first instance's channel: the window answers the requests of later
  // starts ("activate", "close"). None: the window is not reachable.
  platform::InstanceChannel* instance = nullptr;
  // Writes the settings record (SaveSettings) after the options dialog is
  // accepted; nothing is written when null.
  std::function<void()> saveSettings;
  // The interface languages whose files load; when null the window lists
  // those of the program folder itself.
  const std::vector<AvailableLanguageRec>* availableLanguages = nullptr;
};

class TLexmoraAzeriDictionaries : public QMainWindow {
  Q_OBJECT
 public:
  explicit TLexmoraAzeriDictionaries(MainWindowOptions options, QWidget* parent = nullptr);
  ~TLexmoraAzeriDictionaries() override;

  // Handlers of the window's components.
  void ComboBox1Change();
  void Dictionary81Click(QAction* item);
  // A view button or View item: the view mode is the button's Tag.
  void SpeedButton1Click(int tag);
  void RefreshVoclScreen(int row);
  void ReloadVocl(int group);
  void SubDict1_SBClick(int button);
  void ActivateProc();
  void AddToList(int row, int action);
  void ListWordChanged(const QString& text);
  void Frame11DrawGrid1Click(int row);
  void SetWordInfo(int entry);
  // Instances (main_window_instance.cpp): the application's activation, a
  // later start's "activate" (restore or raise) and its "close" (closes
  // exactly as the user would).
  void AppActivating();
  void BringToFront();
  void WMCloseVocl();
  // Settings and interface language (main_window_settings.cpp,
  // main_window_language.cpp).
  void RestoreSystemOptions();
  void SetSystemOptions();
  // Every write of the exit, with the window staying open: the session
  // manager's request to save before the desktop ends (Qt's commitData).
  void CommitData();
  void LangRemake();
  OptionsRecord& Settings() { return *settings_; }
  InterfaceLanguage& Language() { return *language_; }
  // The help file of the interface language, relative to the program folder.
  const QString& HelpFile() const { return helpFile_; }
  QToolBar* ToolBar1() const { return toolBar1_; }
  QToolBar* ToolBar2() const { return toolBar2_; }
  QSplitter* Splitter() const { return splitter_; }

  // Makes group g current as the group box would (no-op when not listed).
  bool SelectGroup(int group);
  // The input box text, put there as by typing.
  void SetInputText(const QString& text);
  // Full-text search (main_window_search.cpp): the search tool button, the
  // search of a group (offering to index it first), and its results.
  void SpeedButton9Click();
  void SearchInIndex(int group, const QString& text);
  FullTextState& FullText() { return *fullText_; }

  // The game (main_window_game.cpp): the game button and Ctrl+G open the
  // game window on the current list; the window itself.
  void SpeedButton2Click();
  TGameForm* GameForm() const { return gameForm_; }

  // Help and about (main_window_help.cpp): the help window at a help
  // context of the interface language's page, the home page in the user's
  // browser, the about box shown modally.
  void ShowHelp(int context);
  void OpenWebPage();
  void ShowAboutBox();
  HelpWindow* HelpForm() const { return helpForm_; }
  TTitleForm* TitleForm() const { return titleForm_; }

  // The options command (main_window_options.cpp): the options dialog on a
  // working copy of the settings, then everything it changed applied at once.
  void aToolsOptionsExecute();
  // Tools -> Add dictionary: a file dialog, then the Add dictionary dialog.
  void AddDictionary();
  // The Add dictionary dialog for this file; true when the file was added.
  bool AddDictionaryFile(const QString& file);
  // The options dialog's Remove: asks, takes the sub-dictionary out, reloads.
  void RemoveDictionary(int group, int subDict, const QString& name);
  // Made on first use: the start does not wait for it.
  TOptionsForm* OptionsForm();
  // How the options command starts and closes the companion agent;
  // replaceable, so that tests can watch it.
  struct AgentControl {
    std::function<void(const QString& programDir, const QStringList& arguments)> start;
    std::function<void()> close;
  };
  AgentControl& Agent() { return agent_; }
  static AgentControl DesktopAgentControl();

  // Pronounce (main_window_sound.cpp): the selected text, or else the
  // shown headword (its recorded sound when the article has one that
  // plays), spoken in the group's headword language in the background.
  void Pronounce(const QString& selection);
  SpeechPlayer* Speech() const { return speech_; }

  // The list commands (main_window_lists.cpp): Clear list, Load list, Save
  // List and Export list.
  void ClearList();
  void LoadList();
  void SaveList();
  void ExportList();
  // The file dialogs and the message of the list commands; replaceable, so
  // that tests can answer them. A dialog returns the chosen path or an empty
  // text.
  struct ListDialogs {
    std::function<QString(QWidget* parent, bool save, const QString& caption, const QString& folder,
                          const QString& filter, const QString& suffix)>
        chooseFile;
    std::function<void(QWidget* parent, const QString& caption, const QString& text)> warn;
  };
  ListDialogs& Dialogs() { return dialogs_; }
  static constexpr int kListSaveDelayMs = 2000;
  QTimer* ListSaveTimer() const { return listSaveTimer_; }
  // The desktop's file dialogs and message box.
  static ListDialogs DesktopListDialogs();

  // The suggestion line (main_window_suggest.cpp): shown while the typed
  // text is not a headword; TakeSuggestion selects the i-th one offered.
  static constexpr std::size_t kSuggestionsShown = 5;
  QLabel* SuggestLine() const { return suggestLine_; }
  const std::vector<Suggestion>& Suggestions() const { return suggestions_; }
  void TakeSuggestion(int i);
  // Waits until the suggestion indexes under way are made and taken.
  void WaitForSuggestionIndexes();

  // Runs a command of the menus, tool buttons, shortcuts and popups.
  void RunCommand(Command command);
  QAction* Action(Command command) const { return actions_[static_cast<std::size_t>(command)]; }

  // State, for the tool bar, the tests and the timing tools.
  lexmora::Session& Session() { return *session_; }
  int CurrentGroup() const { return session_->CurrentGroup(); }
  int ViewMode() const { return session_->ViewMode(); }
  int SelectedRow() const;
  int RowCount() const;
  QString SelectedHeadword() const;
  QString ArticlePlainText() const;
  QLineEdit* InputBox() const { return inputBox_; }
  WordListFrame* WordList() const { return wordList_; }
  ArticleView* Article() const { return article_; }
  GroupComboBox* GroupBox() const { return groupBox_; }
  QToolButton* SubDictButton(int i) const { return subDictButtons_[static_cast<std::size_t>(i)]; }
  QToolButton* ViewButton(int tag) const;
  const std::vector<int>& GroupList() const { return groupList_; }

 protected:
  QMenu* createPopupMenu() override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // Building (main_window_bars.cpp, main_window_menus.cpp).
  void CreateActions();
  void CreateMenus();
  QWidget* CreateToolBand();
  QToolBar* CreateToolBar1();
  QToolBar* CreateToolBar2();
  void FillGroupBoxAndMenu();

  // The activation handler and the answers to later starts.
  void ConnectInstance();
  void AnswerInstance(const QString& request);
  void AnswerWordRequest(const QString& request);
  // Takes the settings record and language given, or the window's own.
  void AdoptSettings();
  int SetupSubDictButtons();
  void UpdateViewChecks();
  // Every command's enabled state (actions and their tool buttons) from the
  // session.
  void UpdateCommands();
  void FocusInputBox();
  void LookupAgain();
  void SwitchKeyboardLayout();
  void EditCommand(Command command);
  void SearchInList(const QString& word);
  void IdxSearch(const QString& word);
  void SetupFullTextSearch();
  void SetupGame();
  void SetupHelp();
  void ShowSplash();
  void SetupSound();
  // The sound archive of a sub-dictionary of the current group.
  SoundSource ArticleSounds(int subDict) const;
  void CreateOptionsForm();
  // Finds the game words of every loaded group whose load has not been
  // scanned yet, on a worker, so that the game never reads articles on the
  // window thread for that.
  void ScanGameWords();
  // The listed groups holding words whose load is not the one `seen`
  // records for them; records it. A worker's job per load goes to these.
  using LoadCounts = std::array<std::uint64_t, GroupTable::kMaxGroups>;
  std::vector<int> NewlyLoadedGroups(LoadCounts& seen) const;
  // Makes the suggestion index of every loaded group whose load has none
  // yet, on a worker.
  void BuildSuggestionIndexes();
  void SetupSuggestions();
  void ShowSuggestions(const QString& text);
  void DoIndexing(int group);
  void EndOfIndexing();
  void EndOfSearch(int group);
  QString GroupText(int group) const;
  QString ChooseListFile(bool save, const QString& caption, const QString& filter, const QString& suffix);
  // The word list after its marks changed: the user-list view is built anew.
  void ShowListChange();
  // After a change of a user list its group's default list file is written
  // within kListSaveDelayMs, once for a burst of changes.
  void ScheduleListSave();

  MainWindowOptions options_;
  OptionsRecord ownSettings_;
  InterfaceLanguage ownLanguage_;
  OptionsRecord* settings_ = nullptr;
  InterfaceLanguage* language_ = nullptr;
  QString helpFile_;
  std::unique_ptr<lexmora::Session> session_;
  std::shared_ptr<platform::KeyboardLayouts> layouts_;
  bool creating_ = true;
  bool agentPending_ = false;
  QString importFolder_;  // where the last added dictionary came from  // the agent starts at the first showing
  bool indexesStarted_ = false;  // the suggestion indexes are asked for after the first showing
  static constexpr int kIndexDelayMs = 300;
  bool followUp_ = true;
  std::vector<int> groupList_;
  int currentSubDict_ = -1;

  // Widgets.
  QWidget* toolBand_ = nullptr;  // TntControlBar1
  QToolBar* toolBar1_ = nullptr;
  QToolBar* toolBar2_ = nullptr;
  QButtonGroup* viewButtons_ = nullptr;
  std::array<QToolButton*, 12> subDictButtons_{};
  std::array<QAction*, 12> subDictButtonActions_{};
  GroupComboBox* groupBox_ = nullptr;
  QSplitter* splitter_ = nullptr;
  WordListModel* model_ = nullptr;
  WordListFrame* wordList_ = nullptr;
  ArticleView* article_ = nullptr;
  QWidget* panel2_ = nullptr;
  QLineEdit* inputBox_ = nullptr;
  QLabel* label1_ = nullptr;

  // Actions and menus.
  QActionGroup* viewActions_ = nullptr;
  QMenu* groupMenu_ = nullptr;  // "Dictionaries group"
  QActionGroup* groupMenuActions_ = nullptr;
  std::array<QAction*, kCommandCount> actions_{};
  FullTextState* fullText_ = nullptr;  // a child of the window
  ListDialogs dialogs_ = DesktopListDialogs();
  std::unique_ptr<GamePictureSet> gamePictures_;
  TGameForm* gameForm_ = nullptr;  // a child of the window
  HelpWindow* helpForm_ = nullptr;  // a child of the window, made on first use
  HelpRouter* helpRouter_ = nullptr;
  TTitleForm* titleForm_ = nullptr;  // the splash, kept until the window goes
  SpeechPlayer* speech_ = nullptr;  // a child of the window
  TOptionsForm* optionsForm_ = nullptr;  // a child of the window
  AgentControl agent_ = DesktopAgentControl();
  QTimer* listSaveTimer_ = nullptr;  // made on the first change of a list
  QThreadPool* scanPool_ = nullptr;  // one scan at a time; waited for at destruction
  LoadCounts scannedLoads_{};
  QThreadPool* suggestPool_ = nullptr;  // one index at a time; waited for at destruction
  LoadCounts indexedLoads_{};
  QLabel* suggestLine_ = nullptr;
  std::vector<Suggestion> suggestions_;  // those the line shows
};

}  // namespace lexmora::gui
