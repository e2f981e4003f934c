// The thin table model between a grid control and its view: rows and cells are read through
// the grid (texts after its display-format event, colours after its cell-colour event, images
// from the form's image lists), never from the record set directly.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QPixmap>
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "platform/controls/grid.h"

namespace platform::controls {
class Form;
}

namespace platform::qt {

//! The margin of a row the form marks ("!", "*"): it stands out from the others.
inline const QColor kMarkedRowColour(255, 214, 120);

class GridTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  //! True for a text cell with a cell button (kind 13).
  static constexpr int kCellButtonRole = Qt::UserRole + 1;

  //! `form` gives the image lists that image columns name; it may be null.
  GridTableModel(controls::Grid& grid, const controls::Form* form, QObject* parent = nullptr);

  controls::Grid& grid() const { return m_grid; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  //! The column shown in `section`: the grid's columns in definition order, hidden ones too.
  const controls::GridColumn& column(int section) const { return m_columns.at(static_cast<std::size_t>(section)); }

  //! Reads the grid again after it changed. Returns true when the columns or the rows are not
  //! those shown before (the model was reset), false when only cells may differ.
  bool sync();
  //! True when the grid's form marks rows: the view then shows the marks beside the rows.
  bool hasRowMarks() const { return m_grid.onRowMark.connected(); }

  //! Drops the cells read so far: the next paint asks the grid again, once per cell.
  void forgetCells() const { m_cells.clear(); }

 private:
  const controls::GridCell* cell(const QModelIndex& index) const;
  QPixmap image(const controls::GridColumn& column, int index) const;
  //! The form's tool tip for a cell; empty when it gives none.
  QString toolTip(const QModelIndex& index) const;
  controls::RowMark rowMark(int row) const;

  controls::Grid& m_grid;
  const controls::Form* m_form;
  std::vector<controls::GridColumn> m_columns;  // as last read: the view's columns
  int m_rows = 0;
  const db::Recordset* m_source = nullptr;
  mutable std::unordered_map<long long, controls::GridCell> m_cells;
  mutable QHash<QString, QPixmap> m_images;
};

}  // namespace platform::qt
