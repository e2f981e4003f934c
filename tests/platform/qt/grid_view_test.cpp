// The items grid on the screen: rows the form may refuse to leave, cells as the form's
// handlers describe them, and the clicks and keys that become the grid's user actions.
#include "platform/qt/grid_view.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPixmap>
#include <QScrollBar>
#include <QTest>

#include "platform/qt/busy.h"
#include "platform/qt/form_view.h"
#include "platform/qt/grid_table_model.h"
#include "tests/platform/qt/qt_testing.h"
#include "tests/platform/qt/test_form.h"

namespace platform::qt {
namespace {

using testing::settle;
using Events = std::vector<std::string>;

// Columns of the test grid, in definition order.
enum Column { kCode, kDescription, kState, kVerdict, kSelected, kId };

class GridViewTest : public ::testing::Test {
 protected:
  GridViewTest() : view(test.form, &display), grid(*view.widget<GridView>("GRD_ARTICOLI")) {
    view.show();
    view.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&view));
    grid.setFocus(Qt::TabFocusReason);  // the code field was left: its validation is not what these tests see
    testing::settle();
    test.events.clear();
  }

  QModelIndex at(int row, Column column) const { return grid.model()->index(row, column); }
  QVariant data(int row, Column column, int role) const { return at(row, column).data(role); }
  QPoint centre(int row, Column column) const { return grid.visualRect(at(row, column)).center(); }
  void click(int row, Column column) { QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, centre(row, column)); }
  int selectedRow() const {
    const QModelIndexList rows = grid.selectionModel()->selectedRows();
    return rows.size() == 1 ? rows.front().row() : -1;
  }

  //! Where the cell button of a cell is, in `view`'s viewport.
  QPoint buttonCentre(const QTableView& in, const QModelIndex& index) const {
    const QRect cell = in.visualRect(index);
    return QPoint(cell.right() - 6, cell.center().y());
  }

  testing::TestForm test;
  testing::ScriptedDisplay display;
  FormView view;
  GridView& grid;
};

TEST_F(GridViewTest, ARowChangeIsAskedFirstAndARefusalKeepsTheSelectedRow) {
  EXPECT_EQ(selectedRow(), 0);
  click(2, kDescription);
  EXPECT_EQ(test.events, (Events{"before-row-change", "row-changed 2"}));
  EXPECT_EQ(selectedRow(), 2);

  test.refuseRowChange = true;
  test.events.clear();
  click(0, kDescription);
  grid.setFocus(Qt::TabFocusReason);
  QTest::keyClick(&grid, Qt::Key_Down);
  settle();
  EXPECT_EQ(test.events, (Events{"before-row-change", "before-row-change"}));
  EXPECT_EQ(selectedRow(), 2);
  EXPECT_EQ(test.grid().currentRow(), 2u);

  test.refuseRowChange = false;
  test.events.clear();
  QTest::keyClick(&grid, Qt::Key_Down);
  EXPECT_EQ(test.events, (Events{"before-row-change", "row-changed 3"}));
  EXPECT_EQ(selectedRow(), 3);

  // The program moves the row: the view follows without asking anyone.
  test.events.clear();
  test.grid().dataSource()->MoveFirst();
  test.grid().refresh();
  EXPECT_EQ(selectedRow(), 0);
}

TEST_F(GridViewTest, CellsShowTheFormsTextsColoursImagesAndTicks) {
  EXPECT_EQ(data(0, kState, Qt::DisplayRole).toString(), QStringLiteral("Stato 10"));
  EXPECT_EQ(data(0, kVerdict, Qt::BackgroundRole).value<QColor>(), QColor(173, 207, 247));
  EXPECT_EQ(data(2, kVerdict, Qt::BackgroundRole).value<QColor>(), QColor(99, 105, 107));
  EXPECT_EQ(data(2, kVerdict, Qt::ForegroundRole).value<QColor>(), QColor(Qt::white));  // readable on dark grey
  EXPECT_FALSE(data(0, kState, Qt::BackgroundRole).isValid());
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    EXPECT_FALSE(data(row, kVerdict, Qt::DecorationRole).value<QPixmap>().isNull());
    EXPECT_TRUE(data(row, kVerdict, Qt::DisplayRole).toString().isEmpty());
  }
  EXPECT_EQ(data(0, kSelected, Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(data(1, kSelected, Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_TRUE(data(0, kCode, GridTableModel::kCellButtonRole).toBool());
  EXPECT_FALSE(data(0, kDescription, GridTableModel::kCellButtonRole).toBool());
  EXPECT_TRUE(data(0, kVerdict, Qt::TextAlignmentRole).toInt() & Qt::AlignHCenter);

  EXPECT_TRUE(grid.isColumnHidden(kId));
  EXPECT_EQ(grid.columnWidth(kDescription), view.scale().toPixelsX(3000));
  // A design width too narrow for its caption is widened to show the caption whole.
  for (int column = kCode; column <= kSelected; ++column) {
    const QString caption = grid.model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_GT(grid.columnWidth(column), grid.horizontalHeader()->fontMetrics().horizontalAdvance(caption))
        << caption.toStdString();
  }

  // A column hidden by the program, and a new record set, are shown as such.
  test.grid().setColumnVisible("DESCART", false);
  EXPECT_TRUE(grid.isColumnHidden(kDescription));
  test.grid().setDataSource(test.connection.Open("SELECT ID, CODART, DESCART, STATO, ARG1, SEL FROM ARTICOLI "
                                                 "WHERE STATO = 10 ORDER BY ID DESC"));
  ASSERT_EQ(grid.model()->rowCount(), 2);
  EXPECT_EQ(data(0, kCode, Qt::DisplayRole).toString(), QStringLiteral("C400"));
  EXPECT_EQ(selectedRow(), 0);
}

TEST_F(GridViewTest, ADecimalShowsWithACommaWhileTheGridsTextsKeepTheStoredForm) {
  test.grid().setDataSource(test.connection.Open(
      "SELECT ID, CODART, 1234.5 AS DESCART, STATO, ARG1, SEL FROM ARTICOLI WHERE ID = 1"));
  EXPECT_EQ(data(0, kDescription, Qt::DisplayRole).toString(), QStringLiteral("1234,5"));
  EXPECT_EQ(data(0, kCode, Qt::DisplayRole).toString(), QStringLiteral("A100"));
  EXPECT_EQ(test.grid().displayedRows().at(0).at(1), "1234.5") << "exports keep it as stored";
  // A text the form says holds a number is shown as one too.
  test.grid().onNumberCell.connect([](bool& number, const std::string& column, const controls::RowValues&) {
    number = number || column == "CODART";
  });
  test.connection.Execute("UPDATE ARTICOLI SET CODART = '0.75' WHERE ID = 1");
  test.grid().dataSource()->Requery();
  test.grid().refresh();
  EXPECT_EQ(data(0, kCode, Qt::DisplayRole).toString(), QStringLiteral("0,75"));
}

TEST_F(GridViewTest, PaintingAsksTheFormOnceForEachShownTextCell) {
  test.displayFormats = 0;
  grid.viewport()->repaint();
  grid.frozenView()->viewport()->repaint();
  // Four rows, three visible text columns: the code painted once, over the others.
  EXPECT_EQ(test.displayFormats, 4 * 3);
}

TEST_F(GridViewTest, CheckBoxCellsAndTheSelectAllBoxGoThroughTheGrid) {
  click(0, kSelected);
  EXPECT_EQ(test.events, (Events{"before-cell-change SEL 0->1"}));
  EXPECT_EQ(data(0, kSelected, Qt::CheckStateRole).toInt(), Qt::Checked);

  test.refuseCellChange = true;
  test.events.clear();
  click(2, kSelected);
  EXPECT_EQ(test.events, (Events{"before-row-change", "row-changed 2", "before-cell-change SEL 0->1"}));
  EXPECT_EQ(data(2, kSelected, Qt::CheckStateRole).toInt(), Qt::Unchecked);

  test.refuseCellChange = false;
  test.events.clear();
  grid.setFocus(Qt::TabFocusReason);
  grid.setCurrentIndex(at(2, kSelected));
  QTest::keyClick(&grid, Qt::Key_Space);
  EXPECT_EQ(test.events, (Events{"before-cell-change SEL 0->1"}));

  test.events.clear();
  QHeaderView* header = grid.horizontalHeader();
  const int x = header->sectionViewportPosition(kSelected) + header->sectionSize(kSelected) / 2;
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, header->height() / 2));
  EXPECT_EQ(test.events, (Events{"select-all SEL on"}));
  for (int row = 0; row < 4; ++row) EXPECT_EQ(data(row, kSelected, Qt::CheckStateRole).toInt(), Qt::Checked);
  QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(data(3, kSelected, Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

TEST_F(GridViewTest, DoubleClicksEnterAndCellButtonsReachTheForm) {
  testing::doubleClick(grid.viewport(), centre(1, kDescription));
  EXPECT_EQ(test.events, (Events{"before-row-change", "row-changed 1", "double-click DESCART"}));

  test.events.clear();
  grid.setFocus(Qt::TabFocusReason);
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_EQ(test.events, (Events{"double-click DESCART"}));

  test.events.clear();
  const QRect button = grid.cellButtonRect(at(2, kCode));
  ASSERT_TRUE(button.isValid());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, button.center());
  click(2, kCode);  // the text part of the cell only selects
  QTest::keyClick(&grid, Qt::Key_F4);
  EXPECT_EQ(test.events,
            (Events{"before-row-change", "row-changed 2", "cell-button CODART=B300", "cell-button CODART=B300"}));
}

TEST_F(GridViewTest, AClickThatBringsTheFocusTakesTheRowUnderTheMouseOfAScrolledGrid) {
  for (int id = 5; id <= 60; ++id) {
    test.connection.Execute("INSERT INTO ARTICOLI VALUES (" + std::to_string(id) + ", 'X" + std::to_string(id) +
                            "', 'Articolo', 10, 1, 0)");
  }
  test.grid().setDataSource(
      test.connection.Open("SELECT ID, CODART, DESCART, STATO, ARG1, SEL FROM ARTICOLI ORDER BY ID"));
  ASSERT_EQ(grid.model()->rowCount(), 60);
  // The grid taking the focus changes it: that must not scroll back to the current row
  // before the click lands.
  view.widgetFor("CMB_STATO")->setFocus(Qt::TabFocusReason);
  settle();
  grid.scrollTo(at(50, kDescription));
  test.events.clear();
  click(50, kDescription);
  EXPECT_EQ(test.events, (Events{"before-row-change", "row-changed 50"}));
  EXPECT_EQ(selectedRow(), 50);

  // Nor does the grid repainted with the same current row.
  grid.scrollToTop();
  test.grid().refresh();
  EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
}

TEST_F(GridViewTest, TheFrozenCodeStaysWhileTheRestScrollsAndTheStretchColumnTakesTheFreeWidth) {
  const auto usedWidth = [&] {
    int used = 0;
    for (int column = kCode; column <= kId; ++column) used += grid.isColumnHidden(column) ? 0 : grid.columnWidth(column);
    return used;
  };
  EXPECT_EQ(usedWidth(), grid.viewport()->width()) << "the state column fills the row";
  const int wide = grid.columnWidth(kState);

  view.resize(view.width() - 300, view.height());
  settle();
  QTableView* frozen = grid.frozenView();
  ASSERT_NE(frozen, nullptr);
  ASSERT_TRUE(frozen->isVisible());
  EXPECT_LT(grid.columnWidth(kState), wide) << "given back when the grid narrows";
  EXPECT_GT(usedWidth(), grid.viewport()->width());
  for (int column = kCode; column <= kId; ++column) EXPECT_EQ(frozen->isColumnHidden(column), column != kCode);
  EXPECT_EQ(frozen->columnWidth(kCode), grid.columnWidth(kCode));

  // Scrolled to the last column, the code is still in view and the verdict not under it.
  grid.scrollTo(at(1, kSelected));
  settle();
  EXPECT_GT(grid.horizontalScrollBar()->value(), 0);
  EXPECT_GE(grid.visualRect(at(1, kSelected)).left(), grid.columnWidth(kCode));
  EXPECT_EQ(frozen->visualRect(at(1, kCode)).left(), 0);
  EXPECT_EQ(&grid.viewShowing(kCode), frozen);

  // What the user does on the frozen code reaches the grid as on the grid itself.
  const auto frozenAt = [&](int row) { return frozen->visualRect(at(row, kCode)); };
  QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, frozenAt(2).topLeft() + QPoint(4, 4));
  QTest::mouseClick(frozen->viewport(), Qt::LeftButton, {}, buttonCentre(*frozen, at(3, kCode)));
  testing::doubleClick(frozen->viewport(), frozenAt(1).topLeft() + QPoint(4, 4));
  EXPECT_EQ(test.events, (Events{"before-row-change", "row-changed 2", "before-row-change", "row-changed 3",
                                 "cell-button CODART=C400", "before-row-change", "row-changed 1", "double-click CODART"}));
  EXPECT_EQ(selectedRow(), 1);
  EXPECT_TRUE(grid.hasFocus()) << "the keyboard stays with the grid";
}

TEST_F(GridViewTest, StatementsOfAHandlerRunWhileTheGridPaintsRepaintNothingInsideThePaint) {
  // The desktop host repaints between statements, and a display handler may run a look-up
  // while the grid paints: a paint must not start inside that paint.
  struct PaintCount : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } count;
  view.installEventFilter(&count);
  int inside = 0;
  test.grid().onDisplayFormat.connect([&](std::string&, const std::string&, const controls::RowValues&) {
    view.update();
    const int before = count.paints;
    repaintNow();
    inside += count.paints - before;
  });
  grid.viewport()->repaint();
  EXPECT_EQ(inside, 0);

  view.update();
  const int before = count.paints;
  repaintNow();
  EXPECT_GT(count.paints, before) << "outside a paint it repaints";
  view.removeEventFilter(&count);
}

}  // namespace
}  // namespace platform::qt
