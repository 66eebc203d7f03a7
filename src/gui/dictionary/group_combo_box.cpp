#include "group_combo_box.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include "article_fonts.h"

namespace lexmora::gui {

namespace {
constexpr int kShownTextRole = Qt::UserRole + 3;
}

GroupComboBox::GroupComboBox(QWidget* parent) : QComboBox(parent) {
  setObjectName(QStringLiteral("DictGroupsCB"));
  QFont f = MappedFont(QStringLiteral("Arial"));
  f.setPixelSize(12);
  setFont(f);
  setItemDelegate(new GroupItemDelegate(this));
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  setFocusPolicy(Qt::NoFocus);
}

void GroupComboBox::AddGroup(int number, const QString& storedName, const QString& shownText, const QPixmap& bitmap) {
  addItem(storedName);
  const int i = count() - 1;
  setItemData(i, number, GroupRole);
  setItemData(i, bitmap, BitmapRole);
  setItemData(i, shownText, kShownTextRole);
}

void GroupComboBox::SetShownText(int index, const QString& shownText) {
  if (index >= 0 && index < count()) setItemData(index, shownText, kShownTextRole);
}

int GroupComboBox::GroupAt(int index) const { return index >= 0 && index < count() ? itemData(index, GroupRole).toInt() : 0; }

void GroupComboBox::DrawItem(QPainter* painter, const QRect& rect, const QModelIndex& index, bool selected,
                             const QPalette& palette) {
  painter->save();
  painter->fillRect(rect, selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
  const QPixmap bitmap = index.data(BitmapRole).value<QPixmap>();
  if (!bitmap.isNull()) {
    const int offset = std::max(0, (rect.height() - bitmap.height()) / 2);
    painter->drawPixmap(rect.left() + 2, rect.top() + offset, bitmap);
  }
  painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
  const QRect textRect(rect.left() + kTextLeft, rect.top(), std::max(0, rect.width() - kTextLeft), rect.height());
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    index.data(kShownTextRole).toString());
  painter->restore();
}

QSize GroupComboBox::sizeHint() const {
  int widest = 0;
  const QFontMetrics metrics(font());
  for (int i = 0; i < count(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(itemData(i, kShownTextRole).toString()));
  return {kTextLeft + widest + 36, std::max(kItemHeight + 6, QComboBox::sizeHint().height())};
}

void GroupComboBox::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText.clear();
  option.currentIcon = QIcon();
  painter.drawComplexControl(QStyle::CC_ComboBox, option);
  if (currentIndex() < 0) return;
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
  painter.setFont(font());
  DrawItem(&painter, field, model()->index(currentIndex(), modelColumn(), rootModelIndex()), false, palette());
}

void GroupItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  painter->setFont(option.font);
  GroupComboBox::DrawItem(painter, option.rect, index, option.state & QStyle::State_Selected, option.palette);
}

QSize GroupItemDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return {QStyledItemDelegate::sizeHint(option, index).width() + GroupComboBox::kTextLeft,
          GroupComboBox::kItemHeight};
}

}  // namespace lexmora::gui
