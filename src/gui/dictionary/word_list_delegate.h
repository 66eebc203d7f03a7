// Draws one row of the word list: list glyph at left + 4, headword at
// left + 20, colours and bold by selection and user-list mark.
#pragma once

#include <QFont>
#include <QStyledItemDelegate>

namespace lexmora::gui {

class WordListDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit WordListDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

  void SetRowHeight(int height) { rowHeight_ = height; }
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  int rowHeight_ = 18;
};

}  // namespace lexmora::gui
