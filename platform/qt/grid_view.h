// A grid control as a table view. Clicks and keys become the grid's user actions (row
// change, which the form may refuse; double-click; cell button; check-box click; select-all)
// and the view repaints from the grid when it changes.
//
// Keys: arrows and Page Up/Down move the row, Enter and Space double-click the current cell
// (Space clicks a check-box cell), F4 presses the row's cell button, Ctrl+A clicks the select-all box.
//
// The grid's frozen leading columns are shown again by a second view laid over the left edge,
// which shares the model and the selection and scrolls down with this one: the others scroll
// across beneath it. Its clicks act as this view's do; the keyboard stays with this view.
#pragma once

#include <QTableView>

#include "platform/controls/grid.h"
#include "platform/qt/twips.h"
#include "platform/qt/user_action.h"

namespace platform::controls {
class Form;
}

namespace platform::qt {

class GridTableModel;

class GridView : public QTableView {
  Q_OBJECT

 public:
  GridView(controls::Grid& grid, const controls::Form* form, TwipsScale scale, ActionRunner run,
           QWidget* parent = nullptr);

  controls::Grid& grid() const { return m_grid; }
  GridTableModel& tableModel() const { return *m_model; }

  //! Reads the grid again: columns, rows, cells and the current row.
  void syncFromGrid();

  //! Where the cell button of a kind-13 cell is drawn and clicked, in viewport coordinates.
  QRect cellButtonRect(const QModelIndex& index) const;

  //! The view over the frozen columns; null when the grid freezes none.
  QTableView* frozenView() const { return m_frozen; }
  //! The view a user sees a column in: the frozen one for a frozen column while it shows.
  QTableView& viewShowing(int section);

  //! A frozen column is always in view: only the rows scroll to it. Another one is brought
  //! out from under the frozen columns.
  void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void updateGeometries() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  bool viewportEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  //! The grid's current row as a model row, or -1.
  int gridRow() const;
  //! Asks the grid to make `row` current; false when the form refused.
  bool tryRow(int row);
  void showGridRow();
  void applyColumns();
  //! After new rows: the key column fitted to its values, the free width to the text columns
  //! that their values would fill.
  void fitToRows();
  //! The width the columns leave free goes to the text columns whose values are cut.
  void giveFreeWidth();
  //! The grid's stretch column takes what the others leave, and never less than its design.
  void fitStretchColumn();
  //! Pixels a column is designed to take: its design width, a cell button and its caption.
  int designedWidth(int section) const;
  //! A user's press or double-click on a cell of `view` (this one or the frozen one): true when
  //! it was handled as the grid's action, false when the view's own handling goes on.
  bool pressOn(QTableView& view, QMouseEvent* event);
  bool doubleClickOn(QTableView& view, QMouseEvent* event);
  QRect cellButtonRectIn(const QTableView& view, const QModelIndex& index) const;
  void buildFrozenView();
  //! Which columns the frozen view shows, at this view's widths, and where it lies.
  void syncFrozenView();
  int frozenCount() const;
  int frozenWidth() const;
  //! Pixels the column's caption and its values (the first rows) need.
  int contentWidth(int section) const;
  //! Pixels the column's caption needs in the header.
  int captionWidth(int section) const;
  std::string fieldAt(int section) const;
  void run(const UserAction& action);

  controls::Grid& m_grid;
  GridTableModel* m_model;
  TwipsScale m_scale;
  ActionRunner m_run;
  bool m_syncing = false;
  bool m_painting = false;
  QTableView* m_frozen = nullptr;
};

}  // namespace platform::qt
