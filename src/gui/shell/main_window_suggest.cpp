// The suggestion line under the input box: while the typed text is not a
// headword of the current group, up to five headwords it may mean (typed
// without the Azeri letters, in another alphabet, inflected or misspelt)
// as links; a click, or Ctrl+Down for the first, selects that row as if
// its headword had been typed. The indexes behind it are made on a worker
// after each load.
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QThreadPool>

#include "dictionary/word_list_frame.h"
#include "interface_texts.h"
#include "main_window.h"

namespace lexmora::gui {

void TLexmoraAzeriDictionaries::SetupSuggestions() {
  suggestPool_ = new QThreadPool(this);
  suggestPool_->setMaxThreadCount(1);
  suggestLine_ = new QLabel(panel2_);
  suggestLine_->setObjectName(QStringLiteral("SuggestLine"));
  suggestLine_->setTextFormat(Qt::RichText);
  suggestLine_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  suggestLine_->setContentsMargins(4, 1, 4, 1);
  suggestLine_->hide();
  connect(suggestLine_, &QLabel::linkActivated, this, [this](const QString& link) {
    bool ok = false;
    const int i = link.toInt(&ok);
    if (ok) TakeSuggestion(i);
  });
}

void TLexmoraAzeriDictionaries::BuildSuggestionIndexes() {
  for (int g : NewlyLoadedGroups(indexedLoads_)) {
    const std::uint64_t load = session_->GroupLoadCount(g);
    std::shared_ptr<const LoadedGroup> snapshot = session_->Snapshot(g);
    const DictGroupRecord record = session_->Table().Group(g);
    suggestPool_->start([this, snapshot, record, g, load] {
      auto index = Session::MakeSuggestionIndex(*snapshot, record);
      QMetaObject::invokeMethod(
          this,
          [this, g, load, index = std::move(index)]() mutable {
            session_->SetSuggestionIndex(g, load, std::move(index));
            if (g == session_->CurrentGroup()) ShowSuggestions(inputBox_->text());
          },
          Qt::QueuedConnection);
    });
  }
}

void TLexmoraAzeriDictionaries::WaitForSuggestionIndexes() {
  BuildSuggestionIndexes();  // those not yet asked for
  suggestPool_->waitForDone();
  QCoreApplication::sendPostedEvents(this);
}

void TLexmoraAzeriDictionaries::ShowSuggestions(const QString& text) {
  suggestions_.clear();
  // Suggestions are rows of the full word list.
  if (session_->ViewMode() == kViewFull) {
    const std::u16string typed(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    // Homonyms share a headword: the line offers each headword once.
    suggestions_ = session_->SuggestHeadwords(typed, kSuggestionsShown);
  }
  if (suggestions_.empty() || suggestions_.front().how == SuggestionKind::Exact) {
    suggestions_.clear();
    suggestLine_->hide();
    return;
  }
  QStringList links;
  for (std::size_t i = 0; i < suggestions_.size(); ++i) {
    const QString headword = QString::fromStdU16String(session_->Headword(suggestions_[i].row));
    links << QStringLiteral("<a href=\"%1\">%2</a>").arg(i).arg(headword.toHtmlEscaped());
  }
  const QString prefix = InterfaceText(504);
  suggestLine_->setText((prefix.isEmpty() ? QString() : prefix.toHtmlEscaped() + QStringLiteral(" ")) +
                        links.join(QStringLiteral(" · ")));
  suggestLine_->setToolTip(InterfaceText(505));
  suggestLine_->show();
}

void TLexmoraAzeriDictionaries::TakeSuggestion(int i) {
  if (i < 0 || static_cast<std::size_t>(i) >= suggestions_.size()) return;
  const int row = suggestions_[static_cast<std::size_t>(i)].row;
  {
    // The headword goes into the box as typed; the row is the one chosen,
    // not the one its lookup would land on among homonyms.
    const QSignalBlocker block(inputBox_);
    inputBox_->setText(QString::fromStdU16String(session_->Headword(row)));
  }
  wordList_->SelectRow(row);
  suggestions_.clear();
  suggestLine_->hide();
  FocusInputBox();
}

}  // namespace lexmora::gui
