// Grids as the user and the renderer use them: moving between rows, the form's say on cell
// texts and colours, cell buttons and check-box columns.
#include "platform/controls/grid.h"

#include <gtest/gtest.h>

#include "tests/platform/controls/rows.h"

namespace platform::controls {
namespace {

using testing::makeRows;

class ItemsGridTest : public ::testing::Test {
 protected:
  ItemsGridTest() : grid("GRD_ARTICOLI") {
    grid.setWrapper(GridWrapper{{}, nullptr, "CODART", 0});
    grid.addTextColumn("CODART", "Codice articolo", GridColumn::kButtonKind, 1500);
    grid.addTextColumn("INDSTATO_MG6W", "Stato attuale", GridColumn::kTextKind, 1500);
    grid.addImageColumn("ARG1", "Ente 1", "IMG_SEL", Variant(""), Variant(1), 1400);
    grid.addTextColumn("ID", "Id", GridColumn::kTextKind, 0, false);
    grid.closeDefinition();
    grid.setColumnAlignment("ARG1", GridColumn::kAlignCentre);
    grid.finish();
    grid.onRowChanged.connect([this] { events.push_back("row-changed"); });
    grid.onBeforeRowChange.connect([this](bool& cancel) {
      events.push_back("before-row-change");
      cancel = refuseRowChange;
    });
    grid.setDataSource(makeRows({"CODART", "INDSTATO_MG6W", "ARG1", "ID"},
                                {{Variant("A1"), Variant(10), Variant(0), Variant(1)},
                                 {Variant("A2"), Variant(20), Variant(1), Variant(2)},
                                 {Variant("A3"), Variant::null(), Variant(2), Variant(3)}}));
    events.clear();
  }

  Grid grid;
  std::vector<std::string> events;
  bool refuseRowChange = false;
};

TEST_F(ItemsGridTest, ARowChangeCancelledBeforehandLeavesTheCurrentRow) {
  ASSERT_EQ(grid.currentRow(), 0u);
  refuseRowChange = true;
  EXPECT_FALSE(grid.setCurrentRow(2));
  EXPECT_EQ(grid.currentRow(), 0u);
  EXPECT_EQ(grid.dataSource()->Field("CODART"), Variant("A1"));
  EXPECT_EQ(events, (std::vector<std::string>{"before-row-change"}));

  refuseRowChange = false;
  events.clear();
  EXPECT_TRUE(grid.setCurrentRow(2));
  EXPECT_EQ(grid.dataSource()->Field("CODART"), Variant("A3"));
  EXPECT_EQ(events, (std::vector<std::string>{"before-row-change", "row-changed"}));

  events.clear();
  EXPECT_TRUE(grid.setCurrentRow(2));  // the row it is on: nothing happens
  EXPECT_FALSE(grid.setCurrentRow(3));
  EXPECT_TRUE(events.empty());
}

TEST_F(ItemsGridTest, AButtonCellOrDoubleClickOnARefusedRowRaisesNothing) {
  std::vector<std::string> pressed;
  grid.onCellButton.connect([&](const std::string& column, const Variant& value) {
    pressed.push_back(column + "=" + value.toText());
  });
  grid.onDoubleClick.connect([&](const std::string& column) { pressed.push_back("double " + column); });

  EXPECT_TRUE(grid.pressCellButton(1, "CODART"));
  EXPECT_FALSE(grid.pressCellButton(1, "INDSTATO_MG6W"));  // kind 1 has no button
  refuseRowChange = true;
  EXPECT_FALSE(grid.pressCellButton(2, "CODART"));
  EXPECT_FALSE(grid.doubleClick(0, "ARG1"));
  refuseRowChange = false;
  EXPECT_TRUE(grid.doubleClick(0, "ARG1"));
  EXPECT_EQ(pressed, (std::vector<std::string>{"CODART=A2", "double ARG1"}));
}

TEST_F(ItemsGridTest, TheFormsTextsAndColoursReachTheRendererWithoutMovingTheRow) {
  grid.onDisplayFormat.connect([](std::string& text, const std::string& column, const RowValues& row) {
    if (column == "INDSTATO_MG6W") text = text.empty() ? "" : "Stato " + text + " di " + row["codart"].toText();
  });
  grid.onCellColour.connect(
      [](const std::string& column, const Variant& value, std::optional<Colour>& colour, const RowValues&) {
        if (column == "ARG1" && value == Variant(0)) colour = rgb(173, 207, 247);
      });
  ASSERT_TRUE(grid.setCurrentRow(1));

  EXPECT_EQ(grid.displayedRows(), (std::vector<std::vector<std::string>>{
                                      {"A1", "Stato 10 di A1", "0"}, {"A2", "Stato 20 di A2", "1"}, {"A3", "", "2"}}));
  const GridCell failing = grid.cell(0, "ARG1");
  EXPECT_EQ(failing.back, rgb(173, 207, 247));
  EXPECT_EQ(failing.image, 0);
  EXPECT_EQ(grid.cell(1, "ARG1").back, std::nullopt);
  EXPECT_EQ(grid.cell(2, "INDSTATO_MG6W").text, "");
  EXPECT_EQ(grid.currentRow(), 1u);
  EXPECT_EQ(events, (std::vector<std::string>{"before-row-change", "row-changed"}));  // painting moved nothing
}

TEST_F(ItemsGridTest, RowsAreFoundByTheWrappersKeyField) {
  EXPECT_EQ(grid.findRowByKey(Variant("A3")), 2u);
  EXPECT_EQ(grid.findRowByKey(Variant("a2 ")), 1u);  // as the database compares codes
  EXPECT_EQ(grid.findRowByKey(Variant("B1")), std::nullopt);
  EXPECT_EQ(grid.currentRow(), 0u);
}

TEST_F(ItemsGridTest, TheDefinitionIsClosedUntilReset) {
  EXPECT_THROW(grid.addTextColumn("NEW_STATO", "Nuovo Stato", GridColumn::kTextKind, 1500), std::logic_error);
  grid.resetColumns();
  grid.addTextColumn("NEW_STATO", "Nuovo Stato", GridColumn::kTextKind, 1500);
  EXPECT_THROW(grid.addTextColumn("new_stato", "Ancora", GridColumn::kTextKind, 1500), std::invalid_argument);
  EXPECT_EQ(grid.columns().size(), 1u);
}

class SelectionGridTest : public ::testing::Test {
 protected:
  SelectionGridTest() : grid("GRD_CAMPIARG") {
    grid.setWrapper(GridWrapper{{}, nullptr, "ID_MG0P", 0});
    grid.addTextColumn("ID_MG0P", "ID", GridColumn::kTextKind, 2500, false);
    grid.addCheckBoxColumn("FLG_SEL", "Sel", 750, Variant("1"), Variant("0"), true);
    grid.addTextColumn("COD_CAMPO", "Campo", GridColumn::kTextKind, 2700);
    grid.finish();
    grid.setDataSource(makeRows({"ID_MG0P", "FLG_SEL", "COD_CAMPO"}, {{Variant(7), Variant(1), Variant("MG66_PESO")},
                                                                       {Variant(8), Variant(0), Variant("MG66_UM")}}));
    grid.onBeforeCellChange.connect(
        [this](const std::string& column, const std::string& next, const Variant& current, bool& cancel) {
          changes.push_back(column + " " + current.toText() + "->" + next + " on " +
                            grid.dataSource()->Field("ID_MG0P").toText());
          cancel = refuse;
        });
  }

  Grid grid;
  std::vector<std::string> changes;
  bool refuse = false;
};

TEST_F(SelectionGridTest, ACheckBoxClickMakesTheRowCurrentAndIsAppliedUnlessCancelled) {
  refuse = true;
  EXPECT_FALSE(grid.clickCheckBox(1, "FLG_SEL"));
  EXPECT_EQ(grid.currentRow(), 1u);
  EXPECT_FALSE(grid.cell(1, "FLG_SEL").checked);

  refuse = false;
  EXPECT_TRUE(grid.clickCheckBox(1, "FLG_SEL"));
  EXPECT_TRUE(grid.cell(1, "FLG_SEL").checked);
  EXPECT_EQ(grid.cellValue(1, "FLG_SEL"), Variant(1));  // stays a number in a numeric column
  EXPECT_TRUE(grid.clickCheckBox(0, "FLG_SEL"));
  EXPECT_EQ(grid.cellValue(0, "FLG_SEL"), Variant(0));

  EXPECT_EQ(changes, (std::vector<std::string>{"FLG_SEL 0->1 on 8", "FLG_SEL 0->1 on 8", "FLG_SEL 1->0 on 7"}));
  EXPECT_FALSE(grid.clickCheckBox(0, "COD_CAMPO"));
}

TEST_F(SelectionGridTest, SelectAllTogglesTheHeaderAndLeavesTheCellsToAFormThatCancels) {
  std::vector<bool> states;
  bool cancelSelectAll = true;
  grid.onSelectAll.connect([&](const std::string&, bool checked, bool& cancel) {
    states.push_back(checked);
    cancel = cancelSelectAll;
  });
  EXPECT_FALSE(grid.clickSelectAll("FLG_SEL"));
  EXPECT_FALSE(grid.cell(1, "FLG_SEL").checked);

  cancelSelectAll = false;
  EXPECT_TRUE(grid.clickSelectAll("FLG_SEL"));  // the header was ticked: now it unticks all
  EXPECT_FALSE(grid.cell(0, "FLG_SEL").checked);
  EXPECT_FALSE(grid.cell(1, "FLG_SEL").checked);
  EXPECT_TRUE(grid.clickSelectAll("FLG_SEL"));
  EXPECT_TRUE(grid.cell(0, "FLG_SEL").checked);
  EXPECT_TRUE(grid.cell(1, "FLG_SEL").checked);

  EXPECT_EQ(states, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(grid.currentRow(), 0u);
}

}  // namespace
}  // namespace platform::controls
