// A grid with its wrapper: columns defined by the form, rows from a client-side record set,
// the current row kept by the record set itself. The grid asks its form for each cell's
// text (display format) and back colour, and tells it about row changes, cell buttons,
// double-clicks and check-box clicks, which the form may cancel.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/colour.h"
#include "platform/controls/control.h"
#include "platform/controls/event.h"
#include "platform/controls/grid_column.h"
#include "platform/controls/row_values.h"
#include "platform/db/recordset.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class RecordEditor;

//! The wrapper's settings: the host interface, a record set of its own or none, the field
//! that identifies rows, and an option value passed as the form gives it.
struct GridWrapper {
  std::weak_ptr<Object> host;  // held weakly: the host owns the module, never the reverse
  std::shared_ptr<db::Recordset> recordset;
  std::string keyField;
  int option = 0;
};

//! A cell as the renderer shows it.
struct GridCell {
  Variant value;
  std::string text;              // text columns: after the display-format event
  std::optional<Colour> back;    // after the cell-colour event; nullopt = the grid's default
  std::optional<int> image;      // image columns: the image index; nullopt for a blank value
  bool checked = false;          // check-box columns
  bool number = false;           // text columns: the text is a number, shown in the reader's form
};

//! A short sign beside a row ("!" for a row that fails, "*" for one changed and not saved)
//! and what it means.
struct RowMark {
  std::string sign;
  std::string meaning;
};

class Grid : public Control {
 public:
  explicit Grid(std::string name);
  ~Grid() override;

  bool canTakeFocus() const override { return true; }

  // --- Definition ---------------------------------------------------------------------
  void setWrapper(GridWrapper wrapper);
  const GridWrapper& wrapper() const { return m_wrapper; }

  //! Removes every column and opens the definition again.
  void resetColumns();
  //! A text column; `kind` is GridColumn::kTextKind or kButtonKind.
  void addTextColumn(std::string field, std::string caption, int kind, int width, bool visible = true);
  void addImageColumn(std::string field, std::string caption, std::string imageList, Variant text, Variant option,
                      int width);
  void addCheckBoxColumn(std::string field, std::string caption, int width, Variant checkedValue,
                         Variant uncheckedValue, bool selectAll = false);
  //! Aligns a column's cells (GridColumn::kAlignCentre centres them).
  void setColumnAlignment(std::string_view field, int alignment);
  void setColumnVisible(std::string_view field, bool visible);
  //! Ends the column definition: adding a column afterwards is an error until resetColumns.
  void closeDefinition();
  void finish();
  bool isDefinitionClosed() const { return m_closed; }
  bool isFinished() const { return m_finished; }

  const std::vector<GridColumn>& columns() const { return m_columns; }
  //! How many leading columns stay in place while the others scroll across them (the design's
  //! "frozen"): the columns that say which row is which.
  int frozenColumns() const { return m_frozenColumns; }
  //! The column that takes the width the others leave free (the design's "stretch"); empty
  //! for none.
  const std::string& stretchColumn() const { return m_stretchColumn; }
  //! A column by field name, without regard to letter case; null when there is none.
  const GridColumn* column(std::string_view field) const;

  // --- Data ---------------------------------------------------------------------------
  //! Shows a record set (or nothing). The current row is the record set's; a record set at
  //! its start is moved to its first row. Raises onRowChanged when there is a record set.
  void setDataSource(std::shared_ptr<db::Recordset> rows);
  const std::shared_ptr<db::Recordset>& dataSource() const { return m_rows; }
  //! Tells the renderer to read the rows again (after the record set was changed directly).
  void refresh();

  std::size_t rowCount() const;
  //! The 0-based current row; nullopt when the record set is at its start or end, or absent.
  std::optional<std::size_t> currentRow() const;
  //! The user moves to a row: onBeforeRowChange (which may cancel), then the move and
  //! onRowChanged. Moving to the current row raises nothing. False when cancelled or out of
  //! range.
  bool setCurrentRow(std::size_t row);
  //! The row whose key field holds `key`.
  std::optional<std::size_t> findRowByKey(const Variant& key) const;

  // --- What the user does on cells ----------------------------------------------------
  //! Clicks a check-box cell: the row becomes current, then onBeforeCellChange with the
  //! value the cell would take; unless cancelled the cell takes it (a client-side edit of
  //! the record set). False when nothing changed.
  bool clickCheckBox(std::size_t row, std::string_view field);
  //! Clicks the select-all box of a check-box column: its state toggles and onSelectAll is
  //! raised; unless cancelled every row takes the checked or unchecked value. False when the
  //! cells were not changed by the grid.
  bool clickSelectAll(std::string_view field);
  //! Presses the button of a kind-13 cell: the row becomes current, then onCellButton.
  bool pressCellButton(std::size_t row, std::string_view field);
  //! Double-clicks a cell: the row becomes current, then onDoubleClick.
  bool doubleClick(std::size_t row, std::string_view field);

  // --- What the renderer reads --------------------------------------------------------
  RowValues rowValues(std::size_t row) const;
  Variant cellValue(std::size_t row, std::string_view field) const;
  //! The cell as shown: text through onDisplayFormat, colour through onCellColour.
  GridCell cell(std::size_t row, std::string_view field) const;
  //! What a cell's tool tip says: onToolTip's text, empty when no handler gives one.
  std::string toolTip(std::size_t row, std::string_view field) const;
  //! The mark of a row (a short text beside it, and what it means): through onRowMark.
  RowMark rowMark(std::size_t row) const;
  //! The texts of every row, visible columns only, as the grid shows them.
  std::vector<std::vector<std::string>> displayedRows() const;
  //! The same texts one row at a time, without holding them all.
  void forEachDisplayedRow(const std::function<void(const std::vector<std::string>&)>& visit) const;

  // --- Events -------------------------------------------------------------------------
  //! (text, column field, row values): text starts as the stored value's text.
  Event<std::string&, const std::string&, const RowValues&> onDisplayFormat;
  //! (column field, cell value, back colour, row values): colour starts as nullopt.
  Event<const std::string&, const Variant&, std::optional<Colour>&, const RowValues&> onCellColour;
  //! (number, column field, row values): whether a text cell holds a number, which the screen
  //! shows in the reader's form (what is exported keeps the stored form). Starts true for a
  //! decimal value; the form may say that a text holds one.
  Event<bool&, const std::string&, const RowValues&> onNumberCell;
  //! (tip, column field, row values): tip starts empty, asked when the user rests on a cell.
  Event<std::string&, const std::string&, const RowValues&> onToolTip;
  //! (mark, row values): mark starts empty; a row that needs the eye gets a short mark.
  Event<RowMark&, const RowValues&> onRowMark;
  //! (cancel)
  Event<bool&> onBeforeRowChange;
  Event<> onRowChanged;
  //! (column field, cell value)
  Event<const std::string&, const Variant&> onCellButton;
  //! (column field)
  Event<const std::string&> onDoubleClick;
  //! (column field, new value as text, current value, cancel)
  Event<const std::string&, const std::string&, const Variant&, bool&> onBeforeCellChange;
  //! (column field, new state: true = all checked, cancel)
  Event<const std::string&, bool, bool&> onSelectAll;

 protected:
  bool applyDesignProperty(std::string_view name, const Variant& value) override;

 private:
  friend class RecordEditor;

  GridColumn& addColumn(GridColumn column);
  GridColumn* findColumn(std::string_view field);
  GridCell cellOfCurrentRow(const GridColumn& column, const RowValues& values) const;
  bool isChecked(const GridColumn& column, const Variant& value) const;
  Variant storedValue(const Variant& wanted, const Variant& current) const;

  GridWrapper m_wrapper;
  std::vector<GridColumn> m_columns;
  bool m_closed = false;
  bool m_finished = false;
  std::shared_ptr<db::Recordset> m_rows;
  RecordEditor* m_editor = nullptr;  // the record editor that shows this grid's current row
  int m_frozenColumns = 0;
  std::string m_stretchColumn;
};

}  // namespace platform::controls
