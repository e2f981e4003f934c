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
#include "src/config/classifications.h"
#include "tests/src/config/config_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;

class AssociationLayoutTest : public testing::ConfigTest {
 protected:
  std::shared_ptr<CLSMG_PASSAGGIO> openWithSelection(const std::string& selectedCodes, double scale = 1.0) {
    execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 0 WHERE MG0L_DITTA_CG18 = 1");
    if (!selectedCodes.empty()) {
      execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 1 WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA IN (" +
              selectedCodes + ")");
    }
    auto object = open(1);
    Form& form = object->Form()->Controls();
    form.get<ResizeControl>("ZEP_RESIZEFORM").setScale(scale);
    return object;
  }

  static bool openPage(Form& form) { return form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA_ARGOMENTI"); }

  //! The code fields shown, with their tops.
  static std::map<std::string, int> shownRows(const Form& form) {
    std::map<std::string, int> rows;
    for (const Classification& entity : kClassifications) {
      const Control& field = form.control(entity.codeField);
      const bool shown = field.isVisible();
      EXPECT_EQ(form.control(entity.label).isVisible(), shown) << entity.entity;
      EXPECT_EQ(form.control(entity.descriptionField).isVisible(), shown) << entity.entity;
      EXPECT_EQ(form.get<EditField>(entity.codeField).fieldFlag(), shown) << entity.entity;
      EXPECT_EQ(form.get<Grid>("GRD_ENTITA_ARG").column(entity.column)->visible, shown) << entity.entity;
      if (!shown) continue;
      rows[entity.codeField] = field.top();
      EXPECT_EQ(form.control(entity.descriptionField).top(), field.top()) << entity.entity;
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
