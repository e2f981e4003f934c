// A grid with its wrapper.
#include "platform/controls/grid.h"

#include <stdexcept>
#include <utility>

#include "platform/controls/record_editor.h"
#include "platform/controls/record_position.h"
#include "platform/text/ascii.h"
#include "platform/text/letter_case.h"

namespace platform::controls {
namespace {

bool isWholeNumberText(const std::string& text) {
  std::size_t start = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
  if (start == text.size()) return false;
  for (std::size_t i = start; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

bool isNumberText(const std::string& text) {
  std::string digits;
  bool point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
    } else {
      digits += c;
    }
  }
  return isWholeNumberText(digits);
}

// Cell values against the values the form gave as text ("1", "0"): a number stored as 1,
// 1.0 or "1" is the same cell value.
bool sameCellValue(const Variant& value, const Variant& given) {
  const std::string givenText = given.toText();
  if (value.isNumeric() && (given.isNumeric() || isNumberText(givenText))) {
    return value.toDouble() == given.toDouble();
  }
  return text::sameCode(value.toText(), givenText);
}

}  // namespace

Grid::Grid(std::string name) : Control(std::move(name), ControlKind::Grid) {}

Grid::~Grid() {
  if (m_editor != nullptr) m_editor->forgetGrid();
}

bool Grid::applyDesignProperty(std::string_view name, const Variant& value) {
  if (text::equalsIgnoringCase(name, "frozen")) {
    m_frozenColumns = static_cast<int>(value.toInteger());
    return true;
  }
  if (text::equalsIgnoringCase(name, "stretch")) {
    m_stretchColumn = value.toText();
    return true;
  }
  return Control::applyDesignProperty(name, value);
}

void Grid::setWrapper(GridWrapper wrapper) {
  m_wrapper = std::move(wrapper);
  notifyChanged();
}

void Grid::resetColumns() {
  m_columns.clear();
  m_closed = false;
  m_finished = false;
  notifyChanged();
}

GridColumn& Grid::addColumn(GridColumn column) {
  if (m_closed) throw std::logic_error("grid " + name() + ": column " + column.field + " added after the definition was closed");
  if (column.field.empty()) throw std::invalid_argument("grid " + name() + ": a column needs a field");
  if (findColumn(column.field) != nullptr) {
    throw std::invalid_argument("grid " + name() + ": column " + column.field + " is defined twice");
  }
  m_columns.push_back(std::move(column));
  notifyChanged();
  return m_columns.back();
}

void Grid::addTextColumn(std::string field, std::string caption, int kind, int width, bool visible) {
  GridColumn column;
  column.type = GridColumn::Type::Text;
  column.field = std::move(field);
  column.caption = std::move(caption);
  column.kind = kind;
  column.width = width;
  column.visible = visible;
  addColumn(std::move(column));
}

void Grid::addImageColumn(std::string field, std::string caption, std::string imageList, Variant text, Variant option,
                          int width) {
  GridColumn column;
  column.type = GridColumn::Type::Image;
  column.field = std::move(field);
  column.caption = std::move(caption);
  column.imageList = std::move(imageList);
  column.imageText = std::move(text);
  column.imageOption = std::move(option);
  column.width = width;
  addColumn(std::move(column));
}

void Grid::addCheckBoxColumn(std::string field, std::string caption, int width, Variant checkedValue,
                             Variant uncheckedValue, bool selectAll) {
  GridColumn column;
  column.type = GridColumn::Type::CheckBox;
  column.field = std::move(field);
  column.caption = std::move(caption);
  column.width = width;
  column.checkedValue = std::move(checkedValue);
  column.uncheckedValue = std::move(uncheckedValue);
  column.hasSelectAll = selectAll;
  addColumn(std::move(column));
}

void Grid::setColumnAlignment(std::string_view field, int alignment) {
  GridColumn* column = findColumn(field);
  if (column == nullptr) throw std::invalid_argument("grid " + name() + " has no column " + std::string(field));
  column->alignment = alignment;
  notifyChanged();
}

void Grid::setColumnVisible(std::string_view field, bool visible) {
  GridColumn* column = findColumn(field);
  if (column == nullptr) throw std::invalid_argument("grid " + name() + " has no column " + std::string(field));
  column->visible = visible;
  notifyChanged();
}

void Grid::closeDefinition() {
  m_closed = true;
  notifyChanged();
}

void Grid::finish() {
  m_closed = true;
  m_finished = true;
  notifyChanged();
}

const GridColumn* Grid::column(std::string_view field) const {
  for (const GridColumn& column : m_columns) {
    if (text::equalsIgnoringCase(column.field, field)) return &column;
  }
  return nullptr;
}

GridColumn* Grid::findColumn(std::string_view field) { return const_cast<GridColumn*>(std::as_const(*this).column(field)); }

void Grid::setDataSource(std::shared_ptr<db::Recordset> rows) {
  m_rows = std::move(rows);
  if (m_rows && m_rows->Bof() && m_rows->RecordCount() > 0) m_rows->MoveFirst();
  notifyChanged();
  if (!m_rows) return;
  if (m_editor != nullptr) m_editor->showCurrentRow();
  onRowChanged.raise();
}

void Grid::refresh() { notifyChanged(); }

std::size_t Grid::rowCount() const { return m_rows ? m_rows->RecordCount() : 0; }

std::optional<std::size_t> Grid::currentRow() const {
  if (!m_rows || m_rows->Eof() || m_rows->Bof()) return std::nullopt;
  return m_rows->AbsolutePosition() - 1;
}

bool Grid::setCurrentRow(std::size_t row) {
  if (row >= rowCount()) return false;
  if (currentRow() == row) return true;
  bool cancel = false;
  onBeforeRowChange.raise(cancel);
  if (cancel) return false;
  // The editor drops a new row it was entering before the grid leaves it.
  if (m_editor != nullptr) m_editor->leavingRow();
  if (row >= rowCount()) return false;
  m_rows->SetAbsolutePosition(row + 1);
  notifyChanged();
  if (m_editor != nullptr) m_editor->showCurrentRow();
  onRowChanged.raise();
  return true;
}

std::optional<std::size_t> Grid::findRowByKey(const Variant& key) const {
  if (!m_rows || m_wrapper.keyField.empty() || m_rows->RecordCount() == 0) return std::nullopt;
  RecordPosition keep(*m_rows);
  std::size_t index = 0;
  for (m_rows->MoveFirst(); !m_rows->Eof(); m_rows->MoveNext(), ++index) {
    if (sameCellValue(m_rows->Field(m_wrapper.keyField), key)) return index;
  }
  return std::nullopt;
}

bool Grid::clickCheckBox(std::size_t row, std::string_view field) {
  const GridColumn* column = this->column(field);
  if (column == nullptr || column->type != GridColumn::Type::CheckBox || !isEnabled()) return false;
  if (!setCurrentRow(row)) return false;
  const Variant current = m_rows->Field(column->field);
  const Variant& next = isChecked(*column, current) ? column->uncheckedValue : column->checkedValue;
  bool cancel = false;
  onBeforeCellChange.raise(column->field, next.toText(), current, cancel);
  if (cancel) {
    notifyChanged();
    return false;
  }
  m_rows->SetField(column->field, storedValue(next, current));
  notifyChanged();
  return true;
}

bool Grid::clickSelectAll(std::string_view field) {
  GridColumn* column = findColumn(field);
  if (column == nullptr || !column->hasSelectAll || !isEnabled()) return false;
  // The header box follows the click even when the form does the work itself and cancels;
  // otherwise a form that always cancels could never untick all.
  column->selectAllChecked = !column->selectAllChecked;
  bool cancel = false;
  onSelectAll.raise(column->field, column->selectAllChecked, cancel);
  if (cancel || !m_rows || m_rows->RecordCount() == 0) {
    notifyChanged();
    return false;
  }
  const Variant& value = column->selectAllChecked ? column->checkedValue : column->uncheckedValue;
  {
    RecordPosition keep(*m_rows);
    for (m_rows->MoveFirst(); !m_rows->Eof(); m_rows->MoveNext()) {
      m_rows->SetField(column->field, storedValue(value, m_rows->Field(column->field)));
    }
  }
  notifyChanged();
  return true;
}

bool Grid::pressCellButton(std::size_t row, std::string_view field) {
  const GridColumn* column = this->column(field);
  if (column == nullptr || !column->hasCellButton() || !isEnabled()) return false;
  if (!setCurrentRow(row)) return false;
  onCellButton.raise(column->field, m_rows->Field(column->field));
  return true;
}

bool Grid::doubleClick(std::size_t row, std::string_view field) {
  const GridColumn* column = this->column(field);
  if (column == nullptr || !isEnabled()) return false;
  if (!setCurrentRow(row)) return false;
  onDoubleClick.raise(column->field);
  return true;
}

RowValues Grid::rowValues(std::size_t row) const {
  if (row >= rowCount()) throw std::out_of_range("grid " + name() + " has no row " + std::to_string(row));
  RecordPosition keep(*m_rows);
  m_rows->SetAbsolutePosition(row + 1);
  return RowValues::current(*m_rows);
}

Variant Grid::cellValue(std::size_t row, std::string_view field) const { return rowValues(row)[field]; }

GridCell Grid::cell(std::size_t row, std::string_view field) const {
  const GridColumn* column = this->column(field);
  if (column == nullptr) throw std::invalid_argument("grid " + name() + " has no column " + std::string(field));
  return cellOfCurrentRow(*column, rowValues(row));
}

GridCell Grid::cellOfCurrentRow(const GridColumn& column, const RowValues& values) const {
  GridCell cell;
  cell.value = values[column.field];
  cell.text = cell.value.toText();
  switch (column.type) {
    case GridColumn::Type::Text:
      onDisplayFormat.raise(cell.text, column.field, values);
      cell.number = cell.value.type() == Variant::Type::Decimal || cell.value.type() == Variant::Type::Double;
      onNumberCell.raise(cell.number, column.field, values);
      break;
    case GridColumn::Type::Image:
      if (!cell.text.empty()) cell.image = static_cast<int>(cell.value.toInteger());
      break;
    case GridColumn::Type::CheckBox:
      cell.checked = isChecked(column, cell.value);
      break;
  }
  onCellColour.raise(column.field, cell.value, cell.back, values);
  return cell;
}

std::string Grid::toolTip(std::size_t row, std::string_view field) const {
  const GridColumn* column = this->column(field);
  if (column == nullptr) throw std::invalid_argument("grid " + name() + " has no column " + std::string(field));
  std::string tip;
  onToolTip.raise(tip, column->field, rowValues(row));
  return tip;
}

RowMark Grid::rowMark(std::size_t row) const {
  RowMark mark;
  onRowMark.raise(mark, rowValues(row));
  return mark;
}

std::vector<std::vector<std::string>> Grid::displayedRows() const {
  std::vector<std::vector<std::string>> shown;
  forEachDisplayedRow([&](const std::vector<std::string>& texts) { shown.push_back(texts); });
  return shown;
}

void Grid::forEachDisplayedRow(const std::function<void(const std::vector<std::string>&)>& visit) const {
  if (!m_rows || m_rows->RecordCount() == 0) return;
  // The values are copied first, so that nothing a display handler does to the record set
  // moves the iteration.
  std::vector<RowValues> all;
  {
    RecordPosition keep(*m_rows);
    for (m_rows->MoveFirst(); !m_rows->Eof(); m_rows->MoveNext()) all.push_back(RowValues::current(*m_rows));
  }
  // Only the texts: the colours are not asked for.
  std::vector<std::string> texts;
  for (const RowValues& values : all) {
    texts.clear();
    for (const GridColumn& column : m_columns) {
      if (!column.visible) continue;
      std::string text = values[column.field].toText();
      if (column.type == GridColumn::Type::Text) onDisplayFormat.raise(text, column.field, values);
      texts.push_back(std::move(text));
    }
    visit(texts);
  }
}

bool Grid::isChecked(const GridColumn& column, const Variant& value) const {
  return sameCellValue(value, column.checkedValue);
}

Variant Grid::storedValue(const Variant& wanted, const Variant& current) const {
  // Check-box values come as texts ("1"); a numeric column keeps numbers.
  if (current.isNumeric() && wanted.isText() && isWholeNumberText(wanted.text())) {
    return Variant(std::stoll(wanted.text()));
  }
  return wanted;
}

}  // namespace platform::controls
