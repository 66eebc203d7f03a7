// The owner-drawn dictionary group box (DictGroupsCB): each item shows the
// group's bitmap at left + 2 and the group's interface text at left + 68,
// both vertically centred; item height 18, font Arial 12 px.
#pragma once

#include <QComboBox>
#include <QPixmap>
#include <QStyledItemDelegate>

namespace lexmora::gui {

class GroupComboBox : public QComboBox {
  Q_OBJECT
 public:
  enum Role { BitmapRole = Qt::UserRole + 1, GroupRole };
  static constexpr int kItemHeight = 18;
  static constexpr int kTextLeft = 68;

  explicit GroupComboBox(QWidget* parent = nullptr);

  // Appends a group: the stored name is the item's own text; the drawn text
  // is the interface text given.
  void AddGroup(int number, const QString& storedName, const QString& shownText, const QPixmap& bitmap);
  int GroupAt(int index) const;
  // Replaces the drawn text of an item (a new interface language).
  void SetShownText(int index, const QString& shownText);

  // Draws one item (ComboBox1DrawItem).
  static void DrawItem(QPainter* painter, const QRect& rect, const QModelIndex& index, bool selected,
                       const QPalette& palette);

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class GroupItemDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace lexmora::gui
