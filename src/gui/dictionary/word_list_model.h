// The word list as a virtual model over the current group's entry table (or
// the filtered list of the view mode): rows are computed on demand.
#pragma once

#include <QAbstractListModel>
#include <QPixmap>

#include <array>

#include "session/session.h"

namespace lexmora::gui {

class WordListModel : public QAbstractListModel {
  Q_OBJECT
 public:
  enum Role { MarkedRole = Qt::UserRole + 1, GlyphRole, EntryRole };

  explicit WordListModel(const Session& session, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // The session's group, view mode or list changed: the rows are re-read.
  // Marks are read as rows are painted; a repaint of the view shows them.
  void Reset();

 private:
  const Session& session_;
  int rows_ = 0;
  // List glyphs of the current group, by sub-dictionary number.
  std::array<QPixmap, 256> glyphs_;
};

}  // namespace lexmora::gui
