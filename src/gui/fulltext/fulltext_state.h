// What the main window keeps for the full-text search: the results of each
// group's last search, the open progress windows and the question asked
// before indexing (replaceable, so that tests can answer it).
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <array>
#include <functional>

#include "dictionary/dict_group_record.h"
#include "fulltext/searcher.h"

namespace lexmora::gui {

class TIndexingForm;
class TSearchForm;

class FullTextState : public QObject {
  Q_OBJECT
 public:
  // Asks the question before indexing; returns the button pressed.
  using Confirmation =
      std::function<QMessageBox::StandardButton(QWidget* parent, const QString& text, const QString& caption)>;

  explicit FullTextState(QObject* parent);
  ~FullTextState() override;  // frees the progress windows (their workers end first)

  SearchResultsArray& Results(int group) { return results_[Slot(group)]; }
  const SearchResultsArray& Results(int group) const { return results_[Slot(group)]; }

  Confirmation confirm;
  QPointer<TIndexingForm> indexing;  // IndexingActive while set
  QPointer<TSearchForm> search;      // SearchActive while set
  int searchGroup = 0;
  QElapsedTimer startTime;
  // Handed to every worker started from here; tests use it to hold them.
  std::function<void()> workerStart;

  // The question box: Yes, No and Cancel over the window.
  static QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text, const QString& caption);

 private:
  static std::size_t Slot(int g) {
    return static_cast<std::size_t>(g >= 1 && g <= GroupTable::kMaxGroups ? g - 1 : 0);
  }
  std::array<SearchResultsArray, GroupTable::kMaxGroups> results_{};
};

}  // namespace lexmora::gui
