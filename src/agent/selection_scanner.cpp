#include "selection_scanner.h"

#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QProcess>

#include "dictionary/article_view.h"
#include "dictionary/speech_player.h"
#include "platform/instance_channel.h"
#include "session/session.h"
#include "sound/headword_voice.h"
#include "sound/sound_archive.h"
#include "text/code_page.h"

namespace lexmora::agent {

namespace {

std::u16string ToU16(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}

}  // namespace

SelectionScanner::SelectionScanner(Options options, platform::SoundOutput* sound, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
  session_ = std::make_unique<lexmora::Session>(QDir(options_.programDir).filesystemAbsolutePath());
  session_->LoadAllGroups();
  // The indexes are made from snapshots on a thread of their own and set
  // on this thread; a lookup before its group's index is ready makes it.
  std::vector<std::pair<int, std::shared_ptr<const LoadedGroup>>> groups;
  for (int g : session_->ListedGroups())
    if (!session_->Group(g).entries.empty()) groups.emplace_back(g, session_->Snapshot(g));
  indexer_ = std::thread([this, groups = std::move(groups)] {
    for (const auto& [g, snapshot] : groups) {
      auto index = lexmora::Session::MakeSuggestionIndex(*snapshot, session_->Table().Group(g));
      QMetaObject::invokeMethod(
          this, [this, g = g, index = std::move(index)]() mutable {
            session_->SetSuggestionIndex(g, session_->GroupLoadCount(g), std::move(index));
          },
          Qt::QueuedConnection);
    }
  });
  popup_ = new SelectionPopup(sound, options_.texts);
  speech_ = new gui::SpeechPlayer(sound, this);
  connect(popup_, &SelectionPopup::OpenRequested, this, &SelectionScanner::OpenInDictionary);
  connect(popup_, &SelectionPopup::PronounceRequested, this, &SelectionScanner::Pronounce);
  connect(popup_, &SelectionPopup::AddRequested, this, &SelectionScanner::AddToList);
}

SelectionScanner::~SelectionScanner() {
  if (indexer_.joinable()) indexer_.join();
  delete popup_;
}

void SelectionScanner::WaitForIndexes() {
  if (indexer_.joinable()) indexer_.join();
  QCoreApplication::sendPostedEvents(this);
}

bool SelectionScanner::SelectionAvailable() { return QGuiApplication::clipboard()->supportsSelection(); }

void SelectionScanner::SetScanning(bool on) {
  if (on == scanning_) return;
  scanning_ = on;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (on) connect(clipboard, &QClipboard::changed, this, [this](QClipboard::Mode mode) {
      if (mode == (SelectionAvailable() ? QClipboard::Selection : QClipboard::Clipboard)) SelectionChanged();
    });
  else disconnect(clipboard, &QClipboard::changed, this, nullptr);
}

void SelectionScanner::SelectionChanged() {
  const QClipboard::Mode mode = SelectionAvailable() ? QClipboard::Selection : QClipboard::Clipboard;
  const QString text = QGuiApplication::clipboard()->text(mode);
  // With Shift held the dictionary's own group is used as it is.
  const bool shift = QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
  // A selection that names no word takes the last popup away.
  if (!LookUp(text, shift)) popup_->hide();
}

bool SelectionScanner::LookUp(const QString& text, bool useLastGroup) {
  const std::u16string query = SelectionQuery(ToU16(text));
  if (query.empty()) return false;
  const int g = useLastGroup ? lastGroup_
                             : GroupForText(query, session_->Table(), session_->ListedGroups(), lastGroup_, scriptGroups_);
  if (!session_->Listed(g) || session_->Group(g).entries.empty()) return false;
  session_->SelectGroup(g);
  if (!session_->HasSuggestionIndex(g))
    session_->SetSuggestionIndex(g, session_->GroupLoadCount(g),
                                 lexmora::Session::MakeSuggestionIndex(session_->Group(g), session_->Table().Group(g)));
  const PopupLookup found = LookupForPopup(*session_->SuggestionIndexOf(g), session_->Group(g), query);
  if (found.row < 0) return false;
  PopupContent content;
  content.group = g;
  content.row = found.row;
  content.suggested = found.suggested;
  content.headword = QString::fromStdU16String(session_->Headword(content.row));
  content.typed = QString::fromStdU16String(query);
  content.article = session_->ArticleText(content.row);
  content.sounds.group = g;
  content.sounds.subDict = session_->Group(g).entries[static_cast<std::size_t>(content.row)].SubDict();
  content.sounds.archive =
      SoundArchiveFile(session_->ProgramDir(), session_->Table().Group(g).BaseName(), content.sounds.subDict);
  popup_->ShowContent(content, QCursor::pos());
  return true;
}

void SelectionScanner::OpenInDictionary(const PopupContent& content) {
  const QString request = QStringLiteral("show %1 %2").arg(content.group).arg(content.headword);
  if (platform::SendInstanceRequest(options_.dictionarySocket, request)) return;
  QStringList arguments = options_.dictionaryArguments;
  arguments << QStringLiteral("--group") << QString::number(content.group) << QStringLiteral("--word") << content.headword;
  QProcess::startDetached(options_.dictionary, arguments);
}

void SelectionScanner::Pronounce(const PopupContent& content) {
  // The article's recording when it has one, else the headword spoken.
  if (popup_->Article()->SoundButtonCount() > 0 && popup_->Article()->SoundButton(0)->Click()) return;
  speech_->Speak(HeadwordVoice(session_->Table().Group(content.group)), content.headword);
}

void SelectionScanner::AddToList(const PopupContent& content) {
  const QString request = QStringLiteral("mark %1 %2").arg(content.group).arg(content.headword);
  if (platform::SendInstanceRequest(options_.dictionarySocket, request)) return;
  session_->MarkInDefaultList(content.group, content.row);
}

}  // namespace lexmora::agent
