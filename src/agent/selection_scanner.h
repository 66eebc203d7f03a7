// The agent's lookups: the groups of the program folder loaded once (with
// their suggestion indexes, made on a worker), the selection watched while
// scanning is on, and each query turned into a popup when it names a
// headword: exactly, or through a suggestion (folded, transliterated,
// inflected, misspelt). The popup's buttons go to the running dictionary
// through its instance channel, or work without it.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <thread>

#include "popup/selection_lookup.h"
#include "selection_popup.h"

class QClipboard;

namespace lexmora {
class Session;
}
namespace lexmora::gui {
class SpeechPlayer;
}

namespace lexmora::agent {

class SelectionScanner : public QObject {
  Q_OBJECT
 public:
  struct Options {
    QString programDir;
    QString dictionary;            // the dictionary program
    QStringList dictionaryArguments;
    QString dictionarySocket;      // its instance channel
    PopupTexts texts;
  };
  SelectionScanner(Options options, platform::SoundOutput* sound, QObject* parent = nullptr);
  ~SelectionScanner() override;

  // Whether changes of the selection (the clipboard where the desktop has
  // no selection for other programs) are looked up.
  void SetScanning(bool on);
  bool Scanning() const { return scanning_; }
  // Whether the desktop offers the primary selection.
  static bool SelectionAvailable();

  // Looks a text up as a selection would and shows the popup near the
  // mouse; false (and no popup) when it names no headword. The group is
  // chosen from the text, unless useLastGroup.
  bool LookUp(const QString& text, bool useLastGroup = false);
  // The group last used in the dictionary (from the settings store).
  void SetLastGroup(int group) { lastGroup_ = group; }
  void SetScriptGroups(const std::array<int, kTextScriptCount>& groups) { scriptGroups_ = groups; }

  SelectionPopup* Popup() const { return popup_; }
  lexmora::Session& Session() { return *session_; }
  // Waits until every group's suggestion index is made.
  void WaitForIndexes();

 private:
  void SelectionChanged();
  void OpenInDictionary(const PopupContent& content);
  void Pronounce(const PopupContent& content);
  void AddToList(const PopupContent& content);

  Options options_;
  std::unique_ptr<lexmora::Session> session_;
  std::thread indexer_;
  SelectionPopup* popup_ = nullptr;
  gui::SpeechPlayer* speech_ = nullptr;
  bool scanning_ = false;
  int lastGroup_ = 1;
  std::array<int, kTextScriptCount> scriptGroups_{};
};

}  // namespace lexmora::agent
