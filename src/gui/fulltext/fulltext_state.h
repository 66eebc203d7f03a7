// What the main window keeps for the full-text search: the open progress
// windows and the question asked before indexing (replaceable, so that
// tests can answer it). The results belong to the session.
#pragma once

#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>

#include <functional>


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

  Confirmation confirm;
  QPointer<TIndexingForm> indexing;  // the indexing run's window while it runs
  QPointer<TSearchForm> search;      // the search's window while it runs
  QElapsedTimer startTime;
  // Handed to every worker started from here; tests use it to hold them.
  std::function<void()> workerStart;

  // The question box: Yes, No and Cancel over the window.
  static QMessageBox::StandardButton AskQuestion(QWidget* parent, const QString& text, const QString& caption);
};

}  // namespace lexmora::gui
