#include "word_list_model.h"

#include "glyph_image.h"

namespace lexmora::gui {

WordListModel::WordListModel(const Session& session, QObject* parent)
    : QAbstractListModel(parent), session_(session) {}

int WordListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

QVariant WordListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rows_) return {};
  const int entry = session_.EntryForRow(index.row());
  if (entry < 0) return {};
  const VoclIndexRecord& record = session_.Current().entries[static_cast<std::size_t>(entry)];
  switch (role) {
    case Qt::DisplayRole: {
      const std::u16string text = session_.Headword(entry);
      return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    }
    case MarkedRole:
      return session_.RowMarked(index.row());
    case GlyphRole: {
      const QPixmap& glyph = glyphs_[static_cast<std::size_t>(record.SubDict())];
      return glyph.isNull() ? QVariant() : QVariant(glyph);
    }
    case EntryRole:
      return entry;
    default:
      return {};
  }
}

void WordListModel::Reset() {
  beginResetModel();
  rows_ = session_.RowCount();
  const LoadedGroup& group = session_.Current();
  for (int k = 0; k < 256; ++k) {
    const SubVoclHeaderRecord* header = group.HeaderFor(k);
    glyphs_[static_cast<std::size_t>(k)] = header ? GlyphPixmap(header->ListGlyph()) : QPixmap();
  }
  endResetModel();
}


}  // namespace lexmora::gui
