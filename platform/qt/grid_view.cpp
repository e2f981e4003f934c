// The grid's table view and the delegate that paints its cells.
#include "platform/qt/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>

#include "platform/qt/grid_table_model.h"

namespace platform::qt {
namespace {

using controls::GridColumn;

// Fitting a column to its contents reads this many rows, not a whole catalogue.
constexpr int kRowsMeasured = 200;
// Room between a cell's edges and its text.
constexpr int kCellPadding = 4;

QRect buttonRectIn(const QRect& cell) {
  const int width = qMin(cell.height() + 2, 22);
  return QRect(cell.right() - width + 1, cell.top() + 1, width - 1, cell.height() - 2);
}

QColor blend(const QColor& under, const QColor& over, double amount) {
  return QColor::fromRgbF(static_cast<float>(under.redF() * (1 - amount) + over.redF() * amount),
                          static_cast<float>(under.greenF() * (1 - amount) + over.greenF() * amount),
                          static_cast<float>(under.blueF() * (1 - amount) + over.blueF() * amount));
}

// Paints cells itself so that the form's back colours stay visible on the current row (a
// verdict colour must not disappear under the selection), images and check boxes sit where
// the column's alignment puts them, and kind-13 cells get their button.
class GridCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    QStyle* style = opt.widget != nullptr ? opt.widget->style() : QApplication::style();
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                            : QPalette::Inactive;
    const bool selected = (opt.state & QStyle::State_Selected) != 0;
    const QVariant formBack = index.data(Qt::BackgroundRole);
    const QVariant formFore = index.data(Qt::ForegroundRole);
    const QColor highlight = opt.palette.color(group, QPalette::Highlight);

    painter->save();
    QColor back = formBack.isValid() ? formBack.value<QColor>() : opt.palette.color(group, QPalette::Base);
    QColor text = formFore.isValid() ? formFore.value<QColor>() : opt.palette.color(group, QPalette::Text);
    if (selected && !formBack.isValid()) {
      back = highlight;
      text = opt.palette.color(group, QPalette::HighlightedText);
    } else if (selected) {
      back = blend(back, highlight, 0.3);
      text = back.lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black);
    }
    painter->fillRect(opt.rect, back);
    if (selected && formBack.isValid()) {
      // The row stays marked as current across its coloured cells.
      painter->setPen(QPen(highlight, 2));
      painter->drawLine(opt.rect.topLeft() + QPoint(0, 1), opt.rect.topRight() + QPoint(0, 1));
      painter->drawLine(opt.rect.bottomLeft(), opt.rect.bottomRight());
    }

    const Qt::Alignment alignment = opt.displayAlignment;
    QRect content = opt.rect.adjusted(kCellPadding, 0, -kCellPadding, 0);
    const bool button = index.data(GridTableModel::kCellButtonRole).toBool();
    if (button) content.setRight(buttonRectIn(opt.rect).left() - 3);

    const QVariant check = index.data(Qt::CheckStateRole);
    if (check.isValid()) {
      QStyleOptionViewItem box(opt);
      const QSize size(style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, opt.widget),
                       style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, opt.widget));
      box.rect = QStyle::alignedRect(opt.direction, Qt::AlignCenter, size, opt.rect);
      box.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected);
      box.state |= check.toInt() == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
      style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, opt.widget);
    }
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.canConvert<QPixmap>()) {
      const QPixmap pixmap = decoration.value<QPixmap>();
      const QSize size = pixmap.deviceIndependentSize().toSize();
      const Qt::Alignment where = (alignment & Qt::AlignHCenter) ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignVCenter);
      painter->drawPixmap(QStyle::alignedRect(opt.direction, where, size, content), pixmap);
    }
    if (!opt.text.isEmpty()) {
      painter->setPen(text);
      painter->setFont(opt.font);
      const QString shown = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, content.width());
      painter->drawText(content, static_cast<int>(alignment | Qt::AlignVCenter), shown);
    }
    if (button) {
      QStyleOptionButton press;
      press.rect = buttonRectIn(opt.rect);
      press.state = QStyle::State_Raised | (opt.state & QStyle::State_Enabled);
      press.palette = opt.palette;
      press.text = QStringLiteral("…");
      press.fontMetrics = opt.fontMetrics;
      style->drawControl(QStyle::CE_PushButton, &press, painter, opt.widget);
    }
    if (opt.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.QStyleOption::operator=(opt);
      focus.rect = opt.rect.adjusted(1, 1, -1, -1);
      focus.backgroundColor = back;
      style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, opt.widget);
    }
    painter->restore();
  }
};

}  // namespace

GridView::GridView(controls::Grid& grid, const controls::Form* form, TwipsScale scale, ActionRunner runner,
                   QWidget* parent)
    : QTableView(parent), m_grid(grid), m_model(new GridTableModel(grid, form, this)), m_scale(scale),
      m_run(std::move(runner)) {
  setObjectName(QString::fromStdString(grid.name()));
  setModel(m_model);
  setItemDelegate(new GridCellDelegate(this));
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
  setTabKeyNavigation(false);  // Tab leaves the grid for the next control
  setWordWrap(false);
  setCornerButtonEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(8);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
    if (section < 0 || section >= m_model->columnCount() || !m_model->column(section).hasSelectAll) return;
    const std::string field = fieldAt(section);
    run([this, field] { m_grid.clickSelectAll(field); });
  });

  m_grid.onChanged.connect([view = QPointer<GridView>(this)] {
    if (view.isNull()) return;
    if (view->m_painting) {
      // A display handler changed the grid while it is painted: read it again afterwards.
      QMetaObject::invokeMethod(view.data(), &GridView::syncFromGrid, Qt::QueuedConnection);
      return;
    }
    view->syncFromGrid();
  });
  applyColumns();
  fitToRows();
  showGridRow();
}

void GridView::run(const UserAction& action) { m_run(action); }

std::string GridView::fieldAt(int section) const { return m_model->column(section).field; }

int GridView::gridRow() const {
  const std::optional<std::size_t> row = m_grid.currentRow();
  if (!row || static_cast<int>(*row) >= m_model->rowCount()) return -1;
  return static_cast<int>(*row);
}

bool GridView::tryRow(int row) {
  bool moved = false;
  run([&] { moved = m_grid.setCurrentRow(static_cast<std::size_t>(row)); });
  return moved;
}

void GridView::syncFromGrid() {
  const bool wasSyncing = m_syncing;
  m_syncing = true;
  if (m_model->sync()) {
    applyColumns();
    fitToRows();
  }
  showGridRow();
  m_syncing = wasSyncing;
}

int GridView::contentWidth(int section) const {
  // Measured from the texts themselves rather than from the rows on screen: the view may be
  // hidden (its page not shown yet) when its rows arrive.
  int widest = 0;
  const int rows = std::min(m_model->rowCount(), kRowsMeasured);
  for (int row = 0; row < rows; ++row) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(m_model->index(row, section).data().toString()));
  }
  return std::max(widest + 2 * kCellPadding + 4, captionWidth(section));
}

void GridView::fitToRows() {
  if (m_model->rowCount() == 0) return;
  ensurePolished();  // measured in the font the view paints with
  // The key column shows the row's identity (the item code): it is never cut, whatever the
  // design gave it.
  const std::string& key = m_grid.wrapper().keyField;
  for (int section = 0; section < m_model->columnCount(); ++section) {
    if (isColumnHidden(section)) continue;
    const GridColumn& column = m_model->column(section);
    if (!key.empty() && column.field == key && column.type == GridColumn::Type::Text) {
      int width = contentWidth(section);
      if (column.hasCellButton()) width += buttonRectIn(QRect(0, 0, width, verticalHeader()->defaultSectionSize())).width();
      setColumnWidth(section, width);
    }
  }
  giveFreeWidth();
}

void GridView::giveFreeWidth() {
  if (m_model->rowCount() == 0) return;
  int used = 0;
  for (int section = 0; section < m_model->columnCount(); ++section) {
    if (!isColumnHidden(section)) used += columnWidth(section);
  }
  // Room the columns leave free goes to the text columns whose values it would show whole.
  int free = viewport()->width() - used;
  for (int section = 0; free > 0 && section < m_model->columnCount(); ++section) {
    if (isColumnHidden(section) || m_model->column(section).type != GridColumn::Type::Text) continue;
    const int missing = contentWidth(section) - columnWidth(section);
    if (missing <= 0) continue;
    const int given = std::min(missing, free);
    setColumnWidth(section, columnWidth(section) + given);
    free -= given;
  }
}

void GridView::applyColumns() {
  // A narrow margin beside the rows for their marks (a failing row, an unsaved change).
  verticalHeader()->setVisible(m_model->hasRowMarks());
  verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("WW")));
  for (int section = 0; section < m_model->columnCount(); ++section) {
    const GridColumn& column = m_model->column(section);
    setColumnHidden(section, !column.visible);
    if (column.visible) {
      // The design's width, plus room for a cell button so the text keeps what was designed
      // for it, and widened where the caption would not fit: a user reads every heading whole.
      int designed = column.width > 0 ? m_scale.toPixelsX(column.width) : horizontalHeader()->defaultSectionSize();
      if (column.hasCellButton()) designed += buttonRectIn(QRect(0, 0, designed, verticalHeader()->defaultSectionSize())).width();
      setColumnWidth(section, std::max(designed, captionWidth(section)));
    }
  }
}

int GridView::captionWidth(int section) const {
  const QHeaderView& header = *horizontalHeader();
  const QString caption = m_model->headerData(section, Qt::Horizontal, Qt::DisplayRole).toString();
  const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
  return header.fontMetrics().horizontalAdvance(caption) + 2 * margin + 2;
}

void GridView::showGridRow() {
  const bool wasSyncing = m_syncing;
  m_syncing = true;
  const int row = gridRow();
  if (row < 0) {
    selectionModel()->clear();
  } else {
    int column = currentIndex().isValid() ? currentIndex().column() : -1;
    if (column < 0 || isColumnHidden(column)) {
      column = 0;
      while (column < m_model->columnCount() - 1 && isColumnHidden(column)) ++column;
    }
    const QModelIndex target = m_model->index(row, column);
    // Only a row that moved (or rows read anew) is scrolled into view: a grid that merely
    // changed (it took the focus, a cell was repainted) leaves the user's scrolling alone, or
    // the row under a click would no longer be the one clicked.
    if (target.isValid() && (currentIndex() != target || !selectionModel()->isRowSelected(row, {}))) {
      selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      scrollTo(target);
    }
  }
  m_syncing = wasSyncing;
}

QRect GridView::cellButtonRect(const QModelIndex& index) const {
  if (!index.isValid() || !index.data(GridTableModel::kCellButtonRole).toBool()) return {};
  return buttonRectIn(visualRect(index));
}

void GridView::mousePressEvent(QMouseEvent* event) {
  QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() != Qt::LeftButton || !index.isValid()) {
    QTableView::mousePressEvent(event);
    return;
  }
  if (index.row() != gridRow()) {
    if (!tryRow(index.row())) {
      event->accept();  // the form kept its row
      return;
    }
    // The form's handlers may have given the grid other rows or columns meanwhile.
    index = indexAt(event->position().toPoint());
    if (!index.isValid() || index.row() != gridRow()) {
      event->accept();
      return;
    }
  }
  const GridColumn& column = m_model->column(index.column());
  const std::size_t row = static_cast<std::size_t>(index.row());
  const std::string field = column.field;
  if (column.type == GridColumn::Type::CheckBox) {
    m_syncing = true;
    setCurrentIndex(index);
    m_syncing = false;
    run([this, row, field] { m_grid.clickCheckBox(row, field); });
    event->accept();
    return;
  }
  if (column.hasCellButton() && cellButtonRect(index).contains(event->position().toPoint())) {
    run([this, row, field] { m_grid.pressCellButton(row, field); });
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() != Qt::LeftButton || !index.isValid()) {
    QTableView::mouseDoubleClickEvent(event);
    return;
  }
  event->accept();
  if (index.row() != gridRow()) return;  // the first click was refused: so is this one
  const GridColumn& column = m_model->column(index.column());
  const std::size_t row = static_cast<std::size_t>(index.row());
  const std::string field = column.field;
  if (column.type == GridColumn::Type::CheckBox) {
    run([this, row, field] { m_grid.clickCheckBox(row, field); });  // the second click of two
    return;
  }
  if (column.hasCellButton() && cellButtonRect(index).contains(event->position().toPoint())) return;
  run([this, row, field] { m_grid.doubleClick(row, field); });
}

void GridView::keyPressEvent(QKeyEvent* event) {
  const int row = gridRow();
  const QModelIndex current = currentIndex();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (row >= 0 && current.isValid() && plain) {
    const GridColumn& column = m_model->column(current.column());
    const std::size_t at = static_cast<std::size_t>(row);
    switch (event->key()) {
      case Qt::Key_Return:
      case Qt::Key_Enter: {
        const std::string field = column.field;
        run([this, at, field] { m_grid.doubleClick(at, field); });
        event->accept();
        return;
      }
      case Qt::Key_Space: {
        // A check box is clicked; any other cell is double-clicked, as Enter does.
        const std::string field = column.field;
        if (column.type == GridColumn::Type::CheckBox) {
          run([this, at, field] { m_grid.clickCheckBox(at, field); });
        } else {
          run([this, at, field] { m_grid.doubleClick(at, field); });
        }
        event->accept();
        return;
      }
      case Qt::Key_F4: {
        std::string field = column.hasCellButton() ? column.field : std::string();
        for (int section = 0; field.empty() && section < m_model->columnCount(); ++section) {
          if (m_model->column(section).hasCellButton() && !isColumnHidden(section)) field = fieldAt(section);
        }
        if (!field.empty()) run([this, at, field] { m_grid.pressCellButton(at, field); });
        event->accept();
        return;
      }
      default: break;
    }
  }
  if (event->key() == Qt::Key_A && event->modifiers() == Qt::ControlModifier) {
    for (int section = 0; section < m_model->columnCount(); ++section) {
      if (!m_model->column(section).hasSelectAll || isColumnHidden(section)) continue;
      const std::string field = fieldAt(section);
      run([this, field] { m_grid.clickSelectAll(field); });
      break;
    }
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

QModelIndex GridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  const QModelIndex next = QTableView::moveCursor(action, modifiers);
  if (m_syncing || !next.isValid() || next.row() == gridRow()) return next;
  if (!tryRow(next.row())) return currentIndex();
  return next;
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (m_syncing || !current.isValid() || current.row() == gridRow()) return;
  // Reached without a click or a key (accessibility, a programmatic move): the grid decides.
  if (!tryRow(current.row())) QMetaObject::invokeMethod(this, &GridView::showGridRow, Qt::QueuedConnection);
}

void GridView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  if (event->size().width() > event->oldSize().width()) giveFreeWidth();
}

bool GridView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::Paint) return QTableView::viewportEvent(event);
  m_model->forgetCells();  // one display-format and cell-colour call per painted cell
  m_painting = true;
  const bool handled = QTableView::viewportEvent(event);
  m_painting = false;
  return handled;
}

}  // namespace platform::qt
