// The form: built from its design, and the focus that a refusing field keeps.
#include "platform/controls/form.h"

#include <gtest/gtest.h>

#include "platform/controls/button.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/frame.h"
#include "platform/controls/label.h"

namespace platform::controls {
namespace {

FormDesign pageDesign() {
  FormDesign design{"FRM_TEST", "Prova", 9000, 6000, {}};
  design.controls = {
      {"FRAME_A", ControlKind::Frame, "", 0, 0, 9000, 3000, "", 0, true, true, {}},
      {"TXT_CODICE", ControlKind::EditField, "FRAME_A", 100, 100, 1500, 300, "Codice", 1, true, true,
       {{"maxchar", Variant(4)}, {"displayformat", Variant("Maiuscolo")}}},
      {"TXT_DESCR", ControlKind::EditField, "FRAME_A", 100, 500, 3000, 300, "", 2, true, true, {}},
      {"CMD_OK", ControlKind::Button, "", 100, 3500, 1200, 400, "OK", 3, true, true, {}},
      {"FRAME_B", ControlKind::Frame, "", 0, 0, 9000, 3000, "", 0, false, true, {}},
      {"TXT_NASCOSTO", ControlKind::EditField, "FRAME_B", 100, 100, 1500, 300, "", 4, true, true, {}},
      {"LBL_NOTA", ControlKind::Label, "", 100, 4000, 3000, 300, "Nota", 5, true, true, {}},
  };
  return design;
}

TEST(Form, BuildsTheDesignedControlsWithTheirKindsAndContainers) {
  Form form(pageDesign());
  EditField& code = form.get<EditField>("txt_codice");  // names ignore letter case
  EXPECT_EQ(code.parent(), &form.control("FRAME_A"));
  EXPECT_EQ(form.children(&form.control("FRAME_A")).size(), 2u);
  EXPECT_THROW(form.get<Button>("TXT_CODICE"), std::invalid_argument);
  EXPECT_THROW(form.control("TXT_MANCANTE"), std::out_of_range);
}

TEST(Form, RejectsDesignMistakes) {
  struct Case {
    const char* what;
    ControlDesign control;
  };
  const Case cases[] = {
      {"unknown container", {"TXT_X", ControlKind::EditField, "FRAME_NONE", 0, 0, 0, 0, "", 0, true, true, {}}},
      {"repeated name", {"txt_codice", ControlKind::EditField, "", 0, 0, 0, 0, "", 0, true, true, {}}},
      {"setting of another kind", {"LBL_X", ControlKind::Label, "", 0, 0, 0, 0, "", 0, true, true,
                                   {{"maxchar", Variant(3)}}}},
      {"navigator button that does not exist", {"NAV_X", ControlKind::GridNavigator, "", 0, 0, 0, 0, "", 0, true,
                                                true, {{"button", Variant("REDO")}}}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    Form form(pageDesign());
    EXPECT_THROW(form.add(test.control), std::invalid_argument);
  }
}

TEST(Form, ValidationThatCancelsKeepsTheFocusAndSwallowsTheClick) {
  Form form(pageDesign());
  EditField& code = form.get<EditField>("TXT_CODICE");
  int clicks = 0;
  form.get<Button>("CMD_OK").onClick.connect([&] { ++clicks; });
  code.onValidate.connect([&](bool& cancel) { cancel = code.text() != "AB"; });

  ASSERT_TRUE(code.type("xyz"));
  EXPECT_FALSE(form.get<Button>("CMD_OK").click());
  EXPECT_EQ(form.focus(), &code);
  EXPECT_FALSE(form.get<EditField>("TXT_DESCR").type("altro"));
  EXPECT_EQ(form.get<EditField>("TXT_DESCR").text(), "");
  EXPECT_EQ(clicks, 0);

  ASSERT_TRUE(code.type("ab"));
  EXPECT_TRUE(form.get<Button>("CMD_OK").click());
  EXPECT_EQ(form.focus(), &form.control("CMD_OK"));
  EXPECT_EQ(clicks, 1);
}

TEST(Form, AHandlerThatMovesTheFocusWhileAFieldIsLeftDecidesWhereItGoes) {
  Form form(pageDesign());
  EditField& code = form.get<EditField>("TXT_CODICE");
  EditField& description = form.get<EditField>("TXT_DESCR");
  code.onAfterItem.connect([&](bool&) { description.setFocus(); });
  ASSERT_TRUE(code.type("A1"));
  EXPECT_FALSE(form.get<Button>("CMD_OK").click());
  EXPECT_EQ(form.focus(), &description);

  // Putting the focus back on itself from validate, without cancelling, keeps it there too.
  description.onValidate.connect([&](bool&) { description.setFocus(); });
  EXPECT_FALSE(form.get<Button>("CMD_OK").click());
  EXPECT_EQ(form.focus(), &description);
}

TEST(Form, HiddenDisabledAndFocuslessControlsAreSkipped) {
  Form form(pageDesign());
  EXPECT_FALSE(form.get<EditField>("TXT_NASCOSTO").setFocus());  // its frame is hidden
  EXPECT_FALSE(form.get<Label>("LBL_NOTA").setFocus());
  form.get<EditField>("TXT_DESCR").setEnabled(false);

  std::vector<std::string> order;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(form.focusNext());
    order.push_back(form.focus()->name());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"TXT_CODICE", "CMD_OK", "TXT_CODICE"}));

  form.get<Frame>("FRAME_B").setVisible(true);
  EXPECT_TRUE(form.get<EditField>("TXT_NASCOSTO").setFocus());
}

}  // namespace
}  // namespace platform::controls
