// The grid's table model.
#include "platform/qt/grid_table_model.h"

#include <QApplication>
#include <QColor>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <exception>

#include "platform/controls/form.h"
#include "platform/controls/image_list.h"
#include "platform/qt/busy.h"
#include "platform/qt/images.h"
#include "platform/qt/text.h"
#include "platform/text/numbers.h"

namespace platform::qt {
namespace {

using controls::GridColumn;

bool sameLayout(const GridColumn& a, const GridColumn& b) {
  return a.type == b.type && a.field == b.field && a.caption == b.caption && a.kind == b.kind && a.width == b.width &&
         a.visible == b.visible && a.alignment == b.alignment && a.imageList == b.imageList &&
         a.hasSelectAll == b.hasSelectAll;
}

QColor toQColor(const controls::Colour& colour) { return QColor(colour.red, colour.green, colour.blue); }

// Dark text on light cells, light text on dark ones.
QColor readableOn(const QColor& back) { return back.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black); }

QPixmap checkIndicator(bool checked) {
  QStyle* style = QApplication::style();
  const int size = style->pixelMetric(QStyle::PM_IndicatorWidth);
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QStyleOptionButton option;
  option.rect = QRect(0, 0, size, size);
  option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
  style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter);
  return pixmap;
}

QString withoutTrailingBlanks(QString text) {
  qsizetype end = text.size();
  while (end > 0 && text.at(end - 1) == QLatin1Char(' ')) --end;
  text.truncate(end);
  return text;
}

}  // namespace

GridTableModel::GridTableModel(controls::Grid& grid, const controls::Form* form, QObject* parent)
    : QAbstractTableModel(parent), m_grid(grid), m_form(form) {
  m_columns = m_grid.columns();
  m_rows = static_cast<int>(m_grid.rowCount());
  m_source = m_grid.dataSource().get();
}

int GridTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_rows; }

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_columns.size());
}

bool GridTableModel::sync() {
  const std::vector<GridColumn>& columns = m_grid.columns();
  const int rows = static_cast<int>(m_grid.rowCount());
  bool same = columns.size() == m_columns.size() && rows == m_rows && m_grid.dataSource().get() == m_source;
  for (std::size_t i = 0; same && i < columns.size(); ++i) same = sameLayout(columns[i], m_columns[i]);
  if (!same) {
    beginResetModel();
    m_columns = columns;
    m_rows = rows;
    m_source = m_grid.dataSource().get();
    m_cells.clear();
    endResetModel();
    return true;
  }
  m_columns = columns;  // the select-all boxes may have changed
  m_cells.clear();
  if (m_rows > 0 && !m_columns.empty()) {
    emit dataChanged(index(0, 0), index(m_rows - 1, columnCount() - 1));
  }
  if (!m_columns.empty()) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
  if (m_rows > 0 && hasRowMarks()) emit headerDataChanged(Qt::Vertical, 0, m_rows - 1);
  return false;
}

const controls::GridCell* GridTableModel::cell(const QModelIndex& index) const {
  if (!index.isValid() || index.row() >= m_rows || index.column() >= columnCount()) return nullptr;
  const long long key = static_cast<long long>(index.row()) * columnCount() + index.column();
  auto found = m_cells.find(key);
  if (found != m_cells.end()) return &found->second;
  try {
    const HoldRepaints reading;  // cells are read while the view paints
    controls::GridCell read = m_grid.cell(static_cast<std::size_t>(index.row()), column(index.column()).field);
    return &m_cells.emplace(key, std::move(read)).first->second;
  } catch (const std::exception& error) {
    // A row the record set lost since the last reset, or a failing display handler: the
    // cell shows empty rather than taking the window down.
    qWarning("grid %s: %s", m_grid.name().c_str(), error.what());
    return nullptr;
  }
}

QPixmap GridTableModel::image(const GridColumn& column, int index) const {
  if (m_form == nullptr) return {};
  const auto* list = dynamic_cast<const controls::ImageList*>(m_form->find(column.imageList));
  if (list == nullptr) return {};
  const std::optional<std::string> name = list->image(index);
  if (!name) return {};
  const QString key = toQString(*name);
  auto found = m_images.find(key);
  if (found == m_images.end()) found = m_images.insert(key, namedImage(*name, 16, qApp->devicePixelRatio()));
  return *found;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() >= columnCount()) return {};
  const GridColumn& col = column(index.column());
  if (role == Qt::TextAlignmentRole) {
    const Qt::Alignment horizontal = col.alignment == GridColumn::kAlignCentre ? Qt::AlignHCenter : Qt::AlignLeft;
    return static_cast<int>(horizontal | Qt::AlignVCenter);
  }
  if (role == kCellButtonRole) return col.hasCellButton();
  const controls::GridCell* shown = cell(index);
  if (shown == nullptr) return {};
  if (role == Qt::ToolTipRole) {
    const QString tip = toolTip(index);
    if (!tip.isEmpty()) return tip;
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      // Fixed-width columns pad their values with blanks: shown without them, so that a
      // fitted column is not widened (nor cut) by padding.
      if (col.type == GridColumn::Type::Text) {
        const QString plain = withoutTrailingBlanks(toQString(shown->text));
        return shown->number ? toQString(platform::text::italianDecimal(toStdString(plain))) : plain;
      }
      if (col.type == GridColumn::Type::Image && shown->image && image(col, *shown->image).isNull()) {
        return toQString(shown->text);  // no such image: the value itself still says something
      }
      return {};
    case Qt::DecorationRole:
      if (col.type == GridColumn::Type::Image && shown->image) {
        QPixmap pixmap = image(col, *shown->image);
        if (!pixmap.isNull()) return pixmap;
      }
      return {};
    case Qt::CheckStateRole:
      if (col.type != GridColumn::Type::CheckBox) return {};
      return shown->checked ? Qt::Checked : Qt::Unchecked;
    case Qt::BackgroundRole:
      if (shown->back) return toQColor(*shown->back);
      return {};
    case Qt::ForegroundRole:
      if (shown->back) return readableOn(toQColor(*shown->back));
      return {};
    default:
      return {};
  }
}

QString GridTableModel::toolTip(const QModelIndex& index) const {
  if (!m_grid.onToolTip.connected()) return {};
  try {
    const HoldRepaints reading;
    return toQString(m_grid.toolTip(static_cast<std::size_t>(index.row()), column(index.column()).field));
  } catch (const std::exception& error) {
    qWarning("grid %s: %s", m_grid.name().c_str(), error.what());
    return {};
  }
}

controls::RowMark GridTableModel::rowMark(int row) const {
  if (!hasRowMarks() || row < 0 || row >= m_rows) return {};
  try {
    const HoldRepaints reading;
    return m_grid.rowMark(static_cast<std::size_t>(row));
  } catch (const std::exception& error) {
    qWarning("grid %s: %s", m_grid.name().c_str(), error.what());
    return {};
  }
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical && (role == Qt::DisplayRole || role == Qt::ToolTipRole)) {
    const controls::RowMark mark = rowMark(section);
    return toQString(role == Qt::DisplayRole ? mark.sign : mark.meaning);
  }
  if (orientation == Qt::Vertical && (role == Qt::BackgroundRole || role == Qt::FontRole)) {
    // A marked row stands out in the margin, so that the eye finds it among the others.
    if (rowMark(section).sign.empty()) return {};
    if (role == Qt::BackgroundRole) return kMarkedRowColour;
    QFont bold = QApplication::font();
    bold.setBold(true);
    return bold;
  }
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const GridColumn& col = column(section);
  switch (role) {
    case Qt::DisplayRole: return toQString(col.caption);
    case Qt::DecorationRole:
      if (col.hasSelectAll) return checkIndicator(col.selectAllChecked);
      return {};
    case Qt::ToolTipRole:
      if (col.hasSelectAll) return QStringLiteral("Seleziona o deseleziona tutte le righe (Ctrl+A)");
      return toQString(col.caption);
    case Qt::TextAlignmentRole:
      return static_cast<int>((col.alignment == GridColumn::kAlignCentre ? Qt::AlignHCenter : Qt::AlignLeft) |
                              Qt::AlignVCenter);
    default: return {};
  }
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (!m_grid.isEnabled()) return Qt::ItemIsSelectable;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

}  // namespace platform::qt
