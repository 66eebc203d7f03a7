// The word list pane (Frame11): a one-column virtual list (DrawGrid1) over
// WordListModel. Selecting a row reports its row; a right click on a row
// reports that row for the user list.
#pragma once

#include <QListView>
#include <QWidget>

namespace lexmora::gui {

class WordListModel;
class WordListDelegate;

class WordListGrid : public QListView {
  Q_OBJECT
 public:
  explicit WordListGrid(QWidget* parent = nullptr);

 signals:
  void RowRightClicked(int row);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

class WordListFrame : public QWidget {
  Q_OBJECT
 public:
  WordListFrame(WordListModel* model, QWidget* parent = nullptr);

  WordListGrid* Grid() const { return grid_; }
  int RowHeight() const { return rowHeight_; }
  // The selected row, -1 when none.
  int SelectedRow() const;
  // Selects a row (or clears the selection for -1) and brings it into view;
  // the selection change is reported like a user's. While the list is
  // hidden the scrolling waits for its showing: placing a row lays out
  // every row, which a hidden list would do again when shown.
  void SelectRow(int row);

 protected:
  void showEvent(QShowEvent* event) override;

 signals:
  void SelectionChanged(int row);
  void RowRightClicked(int row);

 private:
  WordListGrid* grid_;
  WordListDelegate* delegate_;
  int rowHeight_ = 18;
  bool scrollPending_ = false;
};

}  // namespace lexmora::gui
