// The grid's table view and the delegate that paints its cells.
#include "platform/qt/grid_view.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
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

// The view over the frozen columns. Its cells run the form's display handlers too, so it
// paints under the grid view's flag: a grid changed by a handler is read again afterwards.
class FrozenColumnsView : public QTableView {
 public:
  FrozenColumnsView(bool& painting, QWidget* parent) : QTableView(parent), m_painting(painting) {}

 protected:
  bool viewportEvent(QEvent* event) override {
    if (event->type() != QEvent::Paint) return QTableView::viewportEvent(event);
    const bool was = m_painting;
    m_painting = true;
    const bool handled = QTableView::viewportEvent(event);
    m_painting = was;
    return handled;
  }

 private:
  bool& m_painting;
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
  if (m_grid.frozenColumns() > 0) buildFrozenView();
  applyColumns();
  fitToRows();
  showGridRow();
}

void GridView::buildFrozenView() {
  m_frozen = new FrozenColumnsView(m_painting, this);
  m_frozen->setObjectName(objectName() + QStringLiteral(".frozen"));
  m_frozen->setModel(m_model);
  m_frozen->setSelectionModel(selectionModel());
  m_frozen->setItemDelegate(new GridCellDelegate(m_frozen));
  m_frozen->setSelectionBehavior(SelectRows);
  m_frozen->setSelectionMode(SingleSelection);
  m_frozen->setEditTriggers(NoEditTriggers);
  m_frozen->setWordWrap(false);
  m_frozen->setCornerButtonEnabled(false);
  m_frozen->setFrameShape(QFrame::NoFrame);
  m_frozen->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_frozen->setHorizontalScrollMode(ScrollPerPixel);
  m_frozen->setVerticalScrollMode(verticalScrollMode());
  m_frozen->verticalHeader()->hide();
  m_frozen->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_frozen->verticalHeader()->setDefaultSectionSize(verticalHeader()->defaultSectionSize());
  m_frozen->horizontalHeader()->setHighlightSections(false);
  m_frozen->horizontalHeader()->setDefaultAlignment(horizontalHeader()->defaultAlignment());
  m_frozen->horizontalHeader()->setMinimumSectionSize(horizontalHeader()->minimumSectionSize());
  // A click gives the focus to this view, which keeps the keyboard.
  m_frozen->setFocusPolicy(Qt::ClickFocus);
  m_frozen->setFocusProxy(this);
  m_frozen->viewport()->installEventFilter(this);
  m_frozen->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_frozen, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    emit customContextMenuRequested(m_frozen->viewport()->mapTo(viewport(), at));
  });
  setHorizontalScrollMode(ScrollPerPixel);
  connect(m_frozen->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
  connect(verticalScrollBar(), &QAbstractSlider::valueChanged, m_frozen->verticalScrollBar(), &QAbstractSlider::setValue);
  connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (section < frozenCount()) {
      m_frozen->setColumnWidth(section, size);
      syncFrozenView();
    }
  });
  connect(m_frozen->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int section, int, int size) {
    if (section < frozenCount()) setColumnWidth(section, size);
  });
}

int GridView::frozenCount() const {
  return m_frozen == nullptr ? 0 : std::min(m_grid.frozenColumns(), m_model->columnCount());
}

int GridView::frozenWidth() const {
  int width = 0;
  for (int section = 0; section < frozenCount(); ++section) {
    if (!isColumnHidden(section)) width += columnWidth(section);
  }
  return width;
}

void GridView::syncFrozenView() {
  if (m_frozen == nullptr) return;
  const int frozen = frozenCount();
  for (int section = 0; section < m_model->columnCount(); ++section) {
    const bool shown = section < frozen && !isColumnHidden(section);
    m_frozen->setColumnHidden(section, !shown);
    if (shown && m_frozen->columnWidth(section) != columnWidth(section)) m_frozen->setColumnWidth(section, columnWidth(section));
  }
  // Frozen columns that would leave the others no room to scroll in are not frozen.
  const int width = frozenWidth();
  const bool wanted = width > 0 && width * 5 < viewport()->width() * 3;
  m_frozen->setVisible(wanted);
  if (!wanted) return;
  m_frozen->horizontalHeader()->setFixedHeight(horizontalHeader()->height());
  const int left = viewport()->x();
  m_frozen->setGeometry(left, frameWidth(), width, viewport()->geometry().bottom() + 1 - frameWidth());
  m_frozen->verticalScrollBar()->setValue(verticalScrollBar()->value());
}

void GridView::updateGeometries() {
  QTableView::updateGeometries();
  syncFrozenView();
}

QTableView& GridView::viewShowing(int section) {
  if (m_frozen != nullptr && m_frozen->isVisible() && section < frozenCount()) return *m_frozen;
  return *this;
}

void GridView::scrollTo(const QModelIndex& index, ScrollHint hint) {
  if (m_frozen == nullptr || !m_frozen->isVisible() || !index.isValid()) {
    QTableView::scrollTo(index, hint);
    return;
  }
  const int across = horizontalScrollBar()->value();
  QTableView::scrollTo(index, hint);
  if (index.column() < frozenCount()) {
    horizontalScrollBar()->setValue(across);
    return;
  }
  const int underneath = frozenWidth() - visualRect(index).left();
  if (underneath > 0) horizontalScrollBar()->setValue(horizontalScrollBar()->value() - underneath);
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (m_frozen == nullptr || watched != m_frozen->viewport()) return QTableView::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: return pressOn(*m_frozen, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick: return doubleClickOn(*m_frozen, static_cast<QMouseEvent*>(event));
    default: return QTableView::eventFilter(watched, event);
  }
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
  fitStretchColumn();
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
    if (m_model->column(section).field == m_grid.stretchColumn()) continue;  // it takes what is left
    const int missing = contentWidth(section) - columnWidth(section);
    if (missing <= 0) continue;
    const int given = std::min(missing, free);
    setColumnWidth(section, columnWidth(section) + given);
    free -= given;
  }
}

void GridView::fitStretchColumn() {
  const std::string& stretch = m_grid.stretchColumn();
  if (stretch.empty()) return;
  int section = 0;
  while (section < m_model->columnCount() && m_model->column(section).field != stretch) ++section;
  if (section == m_model->columnCount() || isColumnHidden(section)) return;
  int others = 0;
  for (int other = 0; other < m_model->columnCount(); ++other) {
    if (other != section && !isColumnHidden(other)) others += columnWidth(other);
  }
  const int least = m_model->rowCount() > 0 ? std::max(designedWidth(section), contentWidth(section)) : designedWidth(section);
  setColumnWidth(section, std::max(least, viewport()->width() - others));
}

int GridView::designedWidth(int section) const {
  // The design's width, plus room for a cell button so the text keeps what was designed for
  // it, and widened where the caption would not fit: a user reads every heading whole.
  const GridColumn& column = m_model->column(section);
  int designed = column.width > 0 ? m_scale.toPixelsX(column.width) : horizontalHeader()->defaultSectionSize();
  if (column.hasCellButton()) designed += buttonRectIn(QRect(0, 0, designed, verticalHeader()->defaultSectionSize())).width();
  return std::max(designed, captionWidth(section));
}

void GridView::applyColumns() {
  // A narrow margin beside the rows for their marks (a failing row, an unsaved change).
  verticalHeader()->setVisible(m_model->hasRowMarks());
  verticalHeader()->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("WW")));
  for (int section = 0; section < m_model->columnCount(); ++section) {
    const GridColumn& column = m_model->column(section);
    setColumnHidden(section, !column.visible);
    if (column.visible) setColumnWidth(section, designedWidth(section));
  }
  fitStretchColumn();
  syncFrozenView();
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

QRect GridView::cellButtonRect(const QModelIndex& index) const { return cellButtonRectIn(*this, index); }

QRect GridView::cellButtonRectIn(const QTableView& view, const QModelIndex& index) const {
  if (!index.isValid() || !index.data(GridTableModel::kCellButtonRole).toBool()) return {};
  return buttonRectIn(view.visualRect(index));
}

void GridView::mousePressEvent(QMouseEvent* event) {
  if (pressOn(*this, event)) {
    event->accept();
    return;
  }
  QTableView::mousePressEvent(event);
}

bool GridView::pressOn(QTableView& view, QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  QModelIndex index = view.indexAt(at);
  if (event->button() != Qt::LeftButton || !index.isValid()) return false;
  if (index.row() != gridRow()) {
    if (!tryRow(index.row())) return true;  // the form kept its row
    // The form's handlers may have given the grid other rows or columns meanwhile.
    index = view.indexAt(at);
    if (!index.isValid() || index.row() != gridRow()) return true;
  }
  const GridColumn& column = m_model->column(index.column());
  const std::size_t row = static_cast<std::size_t>(index.row());
  const std::string field = column.field;
  if (column.type == GridColumn::Type::CheckBox) {
    m_syncing = true;
    setCurrentIndex(index);
    m_syncing = false;
    run([this, row, field] { m_grid.clickCheckBox(row, field); });
    return true;
  }
  if (column.hasCellButton() && cellButtonRectIn(view, index).contains(at)) {
    run([this, row, field] { m_grid.pressCellButton(row, field); });
    return true;
  }
  return false;
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (doubleClickOn(*this, event)) {
    event->accept();
    return;
  }
  QTableView::mouseDoubleClickEvent(event);
}

bool GridView::doubleClickOn(QTableView& view, QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const QModelIndex index = view.indexAt(at);
  if (event->button() != Qt::LeftButton || !index.isValid()) return false;
  if (index.row() != gridRow()) return true;  // the first click was refused: so is this one
  const GridColumn& column = m_model->column(index.column());
  const std::size_t row = static_cast<std::size_t>(index.row());
  const std::string field = column.field;
  if (column.type == GridColumn::Type::CheckBox) {
    run([this, row, field] { m_grid.clickCheckBox(row, field); });  // the second click of two
    return true;
  }
  if (column.hasCellButton() && cellButtonRectIn(view, index).contains(at)) return true;
  run([this, row, field] { m_grid.doubleClick(row, field); });
  return true;
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
  if (event->size().width() == event->oldSize().width()) {
    syncFrozenView();
    return;
  }
  // Widths are laid out again for the new width: what a column gained on a wide screen goes
  // back to the others on a narrow one.
  for (int section = 0; section < m_model->columnCount(); ++section) {
    if (!isColumnHidden(section)) setColumnWidth(section, designedWidth(section));
  }
  fitToRows();
  fitStretchColumn();
  syncFrozenView();
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
