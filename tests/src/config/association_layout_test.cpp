// The association editor as its page opens: only the saved managed entities' rows, stacked
// from the top, and the body row, navigator, group box and grid placed after them.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/controls/resize_control.h"
#include "platform/controls/side_bar.h"
#include "src/config/managed_entities.h"
#include "tests/src/config/config_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;

class AssociationLayoutTest : public testing::ConfigTest {
 protected:
  // The association grid's columns, as the association page's set-up defines them.
  static void defineAssociationColumns(Grid& grid) {
    grid.resetColumns();
    for (const ManagedEntity& entity : kManagedEntities) {
      if (entity.hasAssociationColumn()) grid.addTextColumn(entity.column, entity.code, GridColumn::kTextKind, 1000);
    }
    grid.addTextColumn("MG0Q_ARGOMENTO_MG0M", "Entità validazione", GridColumn::kTextKind, 2500);
    grid.finish();
  }

  std::shared_ptr<CLSMG_PASSAGGIO> openWithSelection(const std::string& selectedCodes, double scale = 1.0) {
    execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 0 WHERE MG0L_DITTA_CG18 = 1");
    if (!selectedCodes.empty()) {
      execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 1 WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA IN (" +
              selectedCodes + ")");
    }
    auto object = open(1);
    Form& form = object->Form()->Controls();
    defineAssociationColumns(form.get<Grid>("GRD_ENTITA_ARG"));
    form.get<ResizeControl>("ZEP_RESIZEFORM").setScale(scale);
    return object;
  }

  static bool openPage(Form& form) { return form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA_ARGOMENTI"); }

  //! The code fields shown, with their tops.
  static std::map<std::string, int> shownRows(const Form& form) {
    std::map<std::string, int> rows;
    for (const ManagedEntity& entity : kManagedEntities) {
      if (!entity.hasAssociationColumn()) continue;
      const Control& field = form.control(entity.codeField);
      const bool shown = field.isVisible();
      EXPECT_EQ(form.control(entity.label).isVisible(), shown) << entity.code;
      EXPECT_EQ(form.control(entity.descriptionField).isVisible(), shown) << entity.code;
      EXPECT_EQ(form.get<EditField>(entity.codeField).fieldFlag(), shown) << entity.code;
      EXPECT_EQ(form.get<Grid>("GRD_ENTITA_ARG").column(entity.column)->visible, shown) << entity.code;
      if (!shown) continue;
      rows[entity.codeField] = field.top();
      EXPECT_EQ(form.control(entity.descriptionField).top(), field.top()) << entity.code;
      rows[entity.label] = form.control(entity.label).top();
    }
    return rows;
  }

  static std::vector<std::string> editedFields(const CLSMG_PASSAGGIO& object) {
    std::vector<std::string> names;
    for (const BoundControl* control : object.Form()->m_fmeEntitaArgomenti.boundControls()) {
      names.push_back(control->name());
    }
    return names;
  }
};

TEST_F(AssociationLayoutTest, RowsOfManagedEntitiesStackAndTheRestFollows) {
  struct Case {
    const char* name;
    std::string selected;
    double scale;
    std::map<std::string, int> rows;  // code fields and labels shown, with their tops
    int bodyTop;
    int boxHeight;
    int navigatorTop;
  };
  std::map<std::string, int> everyRow;
  int top = 300;
  for (const ManagedEntity& entity : kManagedEntities) {
    if (!entity.hasAssociationColumn()) continue;
    everyRow[entity.codeField] = top;
    everyRow[entity.label] = top + 30;
    top += 330;
  }
  const Case cases[] = {
      {"nessuna entità", "", 1.0, {}, 630, 1400 + 330, 1230},
      // AZIENDA takes no row and does not move the rows, but the group box grows by one.
      {"solo AZIENDA", "'AZIENDA'", 1.0, {}, 630, 1400 + 2 * 330, 1230},
      {"tutte", "SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI", 1.0, everyRow, 4260, 1400 + 13 * 330, 4860},
      // Every design size is scaled on its own: 330 -> 413, 30 -> 38, 300 -> 375 at 1.25.
      {"in scala", "'TIPO_PROD', 'MARCA'", 1.25,
       {{"TXT_MG0Q_TIPOPROD", 375}, {"LBL_CODTIPOPROD", 413}, {"TXT_MG0Q_MARCA_MG64", 788}, {"LBL_CODMARCA", 826}},
       1614, 1750 + 3 * 413, 2364},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    auto object = openWithSelection(test.selected, test.scale);
    Form& form = object->Form()->Controls();
    ASSERT_TRUE(openPage(form));
    EXPECT_TRUE(m_display->errors().empty());
    const auto scaled = [&](int twips) { return form.get<ResizeControl>("ZEP_RESIZEFORM").scaled(twips); };

    EXPECT_EQ(shownRows(form), test.rows);
    EXPECT_EQ(form.control("TXT_ENTITA_ARG").top(), test.bodyTop);
    EXPECT_EQ(form.control("TXT_DESC_ENTITA_ARG").top(), test.bodyTop);
    EXPECT_EQ(form.control("LBL_ENTITA_ARG").top(), test.bodyTop + scaled(30));
    const Control& box = form.control("GRB_ENTITA_ARG");
    const Control& grid = form.control("GRD_ENTITA_ARG");
    EXPECT_EQ(box.height(), test.boxHeight);
    EXPECT_EQ(grid.height(), 8550 - test.boxHeight - scaled(1400));
    EXPECT_EQ(box.top(), grid.height() + scaled(100));
    EXPECT_EQ(form.control("GRIDNAV_ENTITA_ARG").top(), test.navigatorTop);
    EXPECT_EQ(form.control("CMD_DETTAGLIO_NOVALIDAZ").top(), test.navigatorTop);
    EXPECT_TRUE(form.get<Frame>("FRAME_ARG_ENTITA").isShown());

    // The record editor edits the body holder and the fields shown, nothing else.
    const auto fields = editedFields(*object);
    ASSERT_FALSE(fields.empty());
    EXPECT_EQ(fields.front(), "TXT_MG0Q_ARGOMENTO_MG0M");
    EXPECT_EQ(fields.size(), 1 + test.rows.size() / 2);
    object->CloseForm();
  }
}

TEST_F(AssociationLayoutTest, EachOpeningLaysOutTheSavedSelectionsNotTheGridsEdits) {
  auto object = openWithSelection("'FAMIGLIA'");
  Form& form = object->Form()->Controls();
  ASSERT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA"));
  auto& entities = form.get<Grid>("GRD_ENTITA");
  ASSERT_TRUE(entities.clickCheckBox(entityRow(entities, "GRUPPO"), "MG0L_ENTITA_SEL"));

  ASSERT_TRUE(openPage(form));
  EXPECT_FALSE(form.control("TXT_MG0Q_GRUPPO_MG55").isVisible()) << "an unsaved tick shows nothing yet";
  EXPECT_EQ(form.control("TXT_ENTITA_ARG").top(), 300 + 2 * 330);

  ASSERT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA"));
  ASSERT_TRUE(form.get<Button>("CMD_SAVE_ENTITA").click());
  ASSERT_TRUE(openPage(form));
  EXPECT_TRUE(form.control("TXT_MG0Q_GRUPPO_MG55").isVisible());
  EXPECT_EQ(form.control("TXT_ENTITA_ARG").top(), 300 + 3 * 330);
  EXPECT_EQ(editedFields(*object).size(), 3u) << "fields are not registered twice";

  // Clicking the page again while it is shown lays it out again.
  form.control("TXT_ENTITA_ARG").setTop(0);
  ASSERT_TRUE(openPage(form));
  EXPECT_EQ(form.control("TXT_ENTITA_ARG").top(), 300 + 3 * 330);
}

}  // namespace
}  // namespace passaggio
