#include "word_list_frame.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "article_fonts.h"
#include "word_list_delegate.h"
#include "word_list_model.h"

namespace lexmora::gui {

WordListGrid::WordListGrid(QWidget* parent) : QListView(parent) {}

void WordListGrid::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid()) emit RowRightClicked(index.row());
    event->accept();
    return;
  }
  QListView::mousePressEvent(event);
}

WordListFrame::WordListFrame(WordListModel* model, QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Frame11"));
  setMinimumWidth(50);
  grid_ = new WordListGrid(this);
  grid_->setObjectName(QStringLiteral("DrawGrid1"));
  QFont font = MappedFont(QStringLiteral("Arial"));
  font.setPixelSize(12);
  grid_->setFont(font);
  rowHeight_ = QFontMetrics(font).height() + 4;
  delegate_ = new WordListDelegate(grid_);
  delegate_->SetRowHeight(rowHeight_);
  grid_->setItemDelegate(delegate_);
  grid_->setUniformItemSizes(true);
  grid_->setLayoutMode(QListView::SinglePass);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->setTextElideMode(Qt::ElideNone);
  QPalette palette = grid_->palette();
  palette.setColor(QPalette::Base, Qt::white);
  grid_->setPalette(palette);
  grid_->setModel(model);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_);

  connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { emit SelectionChanged(current.isValid() ? current.row() : -1); });
  connect(grid_, &WordListGrid::RowRightClicked, this, &WordListFrame::RowRightClicked);
}

int WordListFrame::SelectedRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() : -1;
}

void WordListFrame::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!scrollPending_) return;
  scrollPending_ = false;
  const QModelIndex current = grid_->currentIndex();
  if (current.isValid()) grid_->scrollTo(current, QAbstractItemView::PositionAtCenter);
}

void WordListFrame::SelectRow(int row) {
  QAbstractItemModel* model = grid_->model();
  if (row < 0 || row >= model->rowCount()) {
    grid_->selectionModel()->clear();
    return;
  }
  const QModelIndex index = model->index(row, 0);
  if (grid_->currentIndex() == index) {
    // The same row again: it is shown anew (the group or list changed under it).
    grid_->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    emit SelectionChanged(row);
  } else {
    grid_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  }
  if (!grid_->isVisible()) {
    scrollPending_ = true;
    return;
  }
  scrollPending_ = false;
  const QRect visible = grid_->viewport()->rect();
  const QRect rowRect = grid_->visualRect(index);
  grid_->scrollTo(index, visible.contains(rowRect) ? QAbstractItemView::EnsureVisible
                                                   : QAbstractItemView::PositionAtCenter);
}

}  // namespace lexmora::gui
