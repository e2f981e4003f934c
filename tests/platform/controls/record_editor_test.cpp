// A record editor with its grid and navigator, driven as the user drives them: showing rows,
// typing, new rows, saving and deleting with the form's say, and the navigator's buttons.
#include "platform/controls/record_editor.h"

#include <gtest/gtest.h>

#include "platform/controls/chooser.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/form.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "tests/platform/controls/rows.h"

namespace platform::controls {
namespace {

using Nav = GridNavigator::Button;

FormDesign bodiesPage() {
  return FormDesign{
      "FRM",
      "Enti",
      9000,
      6000,
      {{"GRD_ARGOMENTI", ControlKind::Grid, "", 0, 0, 9000, 2000, "", 1, true, true, {}},
       {"TXT_MG0M_ARGOMENTO", ControlKind::EditField, "", 0, 2100, 2000, 300, "Codice argomento", 2, true, true,
        {{"dbfield", Variant("MG0M_ARGOMENTO")}, {"displayformat", Variant("Maiuscolo")}}},
       {"TXT_MG0M_DESCARGOMENTO", ControlKind::EditField, "", 0, 2500, 5000, 300, "Descrizione argomento", 3, true,
        true, {{"dbfield", Variant("MG0M_DESCARGOMENTO")}}},
       {"CMB_MG0M_STATOINI_MG6W", ControlKind::Chooser, "", 0, 2900, 2000, 300, "Stato di partenza", 4, true, true,
        {{"dbfield", Variant("MG0M_STATOINI_MG6W")}}},
       {"GRIDNAV_ARGOMENTI", ControlKind::GridNavigator, "", 0, 3400, 5000, 400, "", 5, true, true, {}}}};
}

class BodiesEditorTest : public ::testing::Test {
 protected:
  BodiesEditorTest()
      : form(bodiesPage()),
        grid(form.get<Grid>("GRD_ARGOMENTI")),
        code(form.get<EditField>("TXT_MG0M_ARGOMENTO")),
        description(form.get<EditField>("TXT_MG0M_DESCARGOMENTO")),
        startState(form.get<Chooser>("CMB_MG0M_STATOINI_MG6W")),
        navigator(form.get<GridNavigator>("GRIDNAV_ARGOMENTI")) {
    grid.setWrapper(GridWrapper{{}, nullptr, "MG0M_ARGOMENTO", 0});
    grid.addTextColumn("MG0M_ARGOMENTO", "Ente validazione", GridColumn::kTextKind, 1800);
    grid.addTextColumn("MG0M_DESCARGOMENTO", "Descrizione", GridColumn::kTextKind, 2100);
    grid.finish();
    startState.addItem("Bozza", Variant(10));
    startState.addItem("Attivo", Variant(20));
    editor.onStatusChange.connect([this](int status) { statuses.push_back(status); });
    editor.onBeforeSave.connect([this](bool& cancel) {
      // What a form's save rule does: stamp the row, then refuse equal codes.
      editor.recordset()->SetField("MG0M_DITTA_CG18", Variant(1));
      cancel = refuseSave;
    });
    editor.initialise(nullptr, rows, "SELECT * FROM MG0M_ARGOMENTI_PASSAGGI", &navigator, &grid);
    editor.registerControl(code);
    editor.registerControl(description);
    editor.registerControl(startState);
    editor.setKeyControl(code);
    editor.showCurrentRow();
    statuses.clear();
  }

  std::vector<std::string> shownCodes() const {
    std::vector<std::string> codes;
    for (const std::vector<std::string>& row : grid.displayedRows()) codes.push_back(row[0]);
    return codes;
  }

  std::pair<std::shared_ptr<db::Recordset>, testing::MemoryTable*> opened = testing::MemoryTable::open(
      "MG0M_ARGOMENTI_PASSAGGI",
      {"MG0M_ID", "MG0M_DITTA_CG18", "MG0M_ARGOMENTO", "MG0M_DESCARGOMENTO", "MG0M_STATOINI_MG6W"},
      {{Variant(1), Variant(1), Variant("QUAL"), Variant("Qualità"), Variant(10)},
       {Variant(2), Variant(1), Variant("ACQ"), Variant("Acquisti"), Variant(20)},
       {Variant(3), Variant(1), Variant("LOG"), Variant("Logistica"), Variant(20)}});
  std::shared_ptr<db::Recordset> rows = opened.first;
  testing::MemoryTable& table = *opened.second;
  Form form;
  Grid& grid;
  EditField& code;
  EditField& description;
  Chooser& startState;
  GridNavigator& navigator;
  RecordEditor editor;
  std::vector<int> statuses;
  bool refuseSave = false;
};

TEST_F(BodiesEditorTest, TheGridsCurrentRowIsShownAndTypingIntoItStartsEditingUntilCancelled) {
  ASSERT_TRUE(grid.setCurrentRow(1));
  EXPECT_EQ(code.text(), "ACQ");
  EXPECT_EQ(startState.text(), "Attivo");
  ASSERT_TRUE(grid.setCurrentRow(0));
  statuses.clear();

  ASSERT_TRUE(description.type("Qualità prodotto"));
  ASSERT_TRUE(startState.choose(1));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusEditing);
  EXPECT_FALSE(navigator.isButtonAvailable(Nav::Next));
  EXPECT_TRUE(navigator.press(Nav::Cancel));
  EXPECT_EQ(description.text(), "Qualità");
  EXPECT_EQ(startState.text(), "Bozza");
  EXPECT_EQ(statuses, (std::vector<int>{1, 0}));
}

TEST_F(BodiesEditorTest, ARefusedSaveLeavesTheRowAsStoredAndTheControlsAsTyped) {
  ASSERT_TRUE(description.type("Nuova descrizione"));
  refuseSave = true;
  EXPECT_TRUE(navigator.press(Nav::Save));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusEditing);
  EXPECT_EQ(rows->Field("MG0M_DESCARGOMENTO"), Variant("Qualità"));
  EXPECT_EQ(description.text(), "Nuova descrizione");
  EXPECT_EQ(table.batches, 0);

  refuseSave = false;
  EXPECT_TRUE(navigator.press(Nav::Save));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusSaved);
  EXPECT_EQ(table.column("MG0M_DESCARGOMENTO"),
            (std::vector<std::string>{"Nuova descrizione", "Acquisti", "Logistica"}));
  EXPECT_FALSE(rows->HasPendingChanges());
  EXPECT_EQ(statuses, (std::vector<int>{1, 0}));
}

TEST_F(BodiesEditorTest, ANewRowStartsFromTheDefaultsAndIsSavedFromTheControls) {
  ASSERT_TRUE(navigator.press(Nav::New));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusNew);
  EXPECT_EQ(code.text(), "");
  EXPECT_EQ(startState.value(), Variant("0"));  // no state has value 0: the default stays as text
  EXPECT_FALSE(navigator.isButtonAvailable(Nav::New));

  ASSERT_TRUE(code.type("vend"));
  ASSERT_TRUE(startState.choose(0));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusNew);
  ASSERT_TRUE(navigator.press(Nav::Save));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusSaved);
  EXPECT_EQ(table.column("MG0M_ARGOMENTO"), (std::vector<std::string>{"QUAL", "ACQ", "LOG", "VEND"}));
  EXPECT_EQ(table.column("MG0M_DITTA_CG18"), (std::vector<std::string>{"1", "1", "1", "1"}));
  EXPECT_EQ(table.column("MG0M_STATOINI_MG6W"), (std::vector<std::string>{"10", "20", "20", "10"}));
  EXPECT_EQ(table.column("MG0M_DESCARGOMENTO").back(), "");
  EXPECT_EQ(rows->Field("MG0M_ID"), Variant(101));  // the key the table gave the new row
  EXPECT_EQ(shownCodes(), (std::vector<std::string>{"QUAL", "ACQ", "LOG", "VEND"}));
  EXPECT_EQ(statuses, (std::vector<int>{2, 0}));
}

TEST_F(BodiesEditorTest, LeavingANewRowThroughTheGridDropsIt) {
  ASSERT_TRUE(navigator.press(Nav::New));
  ASSERT_TRUE(code.type("TEMP"));
  ASSERT_TRUE(grid.setCurrentRow(1));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusSaved);
  EXPECT_EQ(code.text(), "ACQ");
  EXPECT_EQ(shownCodes(), (std::vector<std::string>{"QUAL", "ACQ", "LOG"}));
  EXPECT_EQ(table.batches, 0);
}

TEST_F(BodiesEditorTest, TheKeyQueryFindsASavedCodeAndDropsTheNewRowOnlyWhenAsked) {
  ASSERT_TRUE(navigator.press(Nav::New));
  ASSERT_TRUE(code.type("acq"));
  EXPECT_TRUE(editor.keyQuery(true, false));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusNew);

  EXPECT_TRUE(editor.keyQuery(true, true));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusSaved);
  EXPECT_EQ(grid.currentRow(), 1u);
  EXPECT_EQ(description.text(), "Acquisti");
  EXPECT_EQ(shownCodes(), (std::vector<std::string>{"QUAL", "ACQ", "LOG"}));

  ASSERT_TRUE(navigator.press(Nav::New));
  ASSERT_TRUE(code.type("NUOVO"));
  EXPECT_FALSE(editor.keyQuery(true, true));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusNew);
}

TEST_F(BodiesEditorTest, DeletingAsksTheFormFirst) {
  bool refuseDelete = true;
  editor.onBeforeDelete.connect([&](bool& cancel) { cancel = refuseDelete; });
  EXPECT_TRUE(navigator.press(Nav::Delete));
  EXPECT_EQ(table.batches, 0);
  EXPECT_EQ(shownCodes(), (std::vector<std::string>{"QUAL", "ACQ", "LOG"}));

  refuseDelete = false;
  EXPECT_TRUE(navigator.press(Nav::Delete));
  EXPECT_EQ(table.column("MG0M_ARGOMENTO"), (std::vector<std::string>{"ACQ", "LOG"}));
  EXPECT_EQ(code.text(), "ACQ");  // the row after the deleted one
  ASSERT_TRUE(navigator.press(Nav::Last));
  EXPECT_TRUE(navigator.press(Nav::Delete));
  EXPECT_EQ(code.text(), "ACQ");  // the last row gone: the new last one
  EXPECT_EQ(table.column("MG0M_ARGOMENTO"), (std::vector<std::string>{"ACQ"}));
  EXPECT_EQ(statuses, (std::vector<int>{0, 0, 0}));
}

TEST_F(BodiesEditorTest, ANavigatorClickCancelledByTheFormDoesNothingOfItsOwn) {
  std::vector<std::string> clicked;
  bool cancelClicks = true;
  navigator.onButtonClick.connect([&](bool& cancel, const std::string& button) {
    clicked.push_back(button);
    cancel = cancelClicks;
  });
  EXPECT_TRUE(navigator.press(Nav::Next));
  EXPECT_TRUE(navigator.press(Nav::New));
  EXPECT_EQ(grid.currentRow(), 0u);
  EXPECT_EQ(editor.status(), RecordEditor::kStatusSaved);

  cancelClicks = false;
  EXPECT_TRUE(navigator.press(Nav::Last));
  EXPECT_EQ(code.text(), "LOG");
  EXPECT_FALSE(navigator.press(Nav::Cancel));  // nothing to cancel: not offered to the form

  navigator.switchOn(false);
  EXPECT_FALSE(navigator.press(Nav::First));
  EXPECT_EQ(clicked, (std::vector<std::string>{"NEXT", "NEW", "LAST"}));
}

TEST_F(BodiesEditorTest, AFieldThatRefusesToBeLeftOrAGridThatRefusesTheMoveHoldsTheEditor) {
  grid.onBeforeRowChange.connect([](bool& cancel) { cancel = true; });
  EXPECT_TRUE(navigator.press(Nav::Next));  // the click was the navigator's; the grid refused the move
  EXPECT_EQ(code.text(), "QUAL");
  EXPECT_TRUE(statuses.empty());

  code.onValidate.connect([&](bool& cancel) { cancel = code.text().empty(); });
  ASSERT_TRUE(navigator.press(Nav::New));
  ASSERT_TRUE(code.setFocus());
  EXPECT_FALSE(navigator.press(Nav::Save));
  EXPECT_EQ(editor.status(), RecordEditor::kStatusNew);
}

}  // namespace
}  // namespace platform::controls
