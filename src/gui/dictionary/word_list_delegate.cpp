#include "word_list_delegate.h"

#include <QPainter>
#include <QPixmap>

#include "word_list_model.h"

namespace lexmora::gui {

namespace {

struct RowColours {
  QColor background;
  QColor text;
};

RowColours ColoursFor(bool marked, bool selected) {
  if (selected) return {QColor(0x00, 0x00, 0x80), marked ? QColor(0xFF, 0xFF, 0x00) : QColor(0xFF, 0xFF, 0xFF)};
  return {QColor(0xFF, 0xFF, 0xFF), marked ? QColor(0x21, 0x1C, 0x2D) : QColor(0x00, 0x00, 0x00)};
}

}  // namespace

void WordListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QString text = index.data(Qt::DisplayRole).toString();
  const bool marked = index.data(WordListModel::MarkedRole).toBool();
  const bool selected = option.state & QStyle::State_Selected;
  const RowColours colours = ColoursFor(marked, selected);
  const QRect rect = option.rect;

  painter->save();
  painter->fillRect(rect, colours.background);
  const QVariant glyphValue = index.data(WordListModel::GlyphRole);
  if (glyphValue.isValid()) {
    const QPixmap glyph = glyphValue.value<QPixmap>();
    const int offset = std::max(0, (rect.height() - glyph.height()) / 2);
    painter->drawPixmap(rect.left() + 4, rect.top() + offset, glyph);
  }
  QFont font = option.font;
  font.setBold(marked);
  painter->setFont(font);
  painter->setPen(colours.text);
  const QRect textRect(rect.left() + 20, rect.top(), std::max(0, rect.width() - 20), rect.height());
  painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
  painter->restore();
}

QSize WordListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
  return {option.rect.width(), rowHeight_};
}

}  // namespace lexmora::gui
