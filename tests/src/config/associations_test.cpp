// The entity associations page as a user works it: a new association with its codes checked,
// described and picked from their lists, the exclusions dialog of a saved one, and a run that
// honours what the dialog saved.
#include <gtest/gtest.h>

#include "platform/controls/button.h"
#include "platform/controls/edit_field.h"
#include "platform/controls/grid.h"
#include "platform/controls/grid_navigator.h"
#include "platform/controls/side_bar.h"
#include "src/common/row_key.h"
#include "tests/src/config/config_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using Nav = GridNavigator::Button;

class AssociationsTest : public testing::ConfigTest {
 protected:
  Form& openPage(long long company) {
    m_object = open(company);
    Form& form = m_object->Form()->Controls();
    EXPECT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA_ARGOMENTI"));
    return form;
  }
  FRMMG_PASSAGGIO& console() { return *m_object->Form(); }

  static EditField& field(Form& form, const std::string& name) { return form.get<EditField>(name); }
  //! Types a code and leaves the field; false when the field kept the focus.
  static bool enter(Form& form, const std::string& name, const std::string& code) {
    return field(form, name).type(code) && field(form, name).leave();
  }
  std::string lastMessage() const {
    const auto messages = m_display->messages();
    return messages.empty() ? std::string() : messages.back().text;
  }
  //! Works the exclusions dialog of the association shown, then lets it go.
  void inDialog(Form& console, const std::function<void(Form&)>& work) {
    m_windows.whileModal = [&](platform::host::ModuleWindow& dialog) { work(dialog.Controls()); };
    EXPECT_TRUE(console.get<Button>("CMD_DETTAGLIO_NOVALIDAZ").click());
    m_windows.whileModal = nullptr;
  }

  std::shared_ptr<CLSMG_PASSAGGIO> m_object;
};

TEST_F(AssociationsTest, ANewAssociationKeepsItsDecodedCodesAndOnlyOnceSavedOffersItsExclusions) {
  execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 1 WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA = 'MARCA'");
  const long long maxId = scalar("SELECT MAX(MG0Q_ID) FROM MG0Q_ENTITARG_PASSAGGI");
  Form& form = openPage(1);
  auto& exclusions = form.get<Button>("CMD_DETTAGLIO_NOVALIDAZ");
  EXPECT_TRUE(exclusions.isEnabled()) << "a saved association is shown";

  ASSERT_TRUE(form.get<GridNavigator>("GRIDNAV_ENTITA_ARG").press(Nav::New));
  EXPECT_FALSE(exclusions.isEnabled());
  EXPECT_EQ(field(form, "TXT_DESC_FAMIGLIA").text(), "");
  ASSERT_TRUE(enter(form, "TXT_ENTITA_ARG", "qualita"));
  EXPECT_EQ(field(form, "TXT_DESC_ENTITA_ARG").text(), "Controllo qualità");
  ASSERT_TRUE(field(form, "TXT_MG0Q_CODFAM_MG53").pick("VIT"));
  EXPECT_EQ(field(form, "TXT_DESC_FAMIGLIA").text(), "Viteria");
  const auto brands = field(form, "TXT_MG0Q_MARCA_MG64").openLookup();
  ASSERT_TRUE(brands);
  EXPECT_EQ(brands->rows.size(), 8u);
  ASSERT_TRUE(enter(form, "TXT_MG0Q_MARCA_MG64", "vitek"));
  EXPECT_EQ(field(form, "TXT_DESC_MARCA").text(), "Vitek");
  ASSERT_TRUE(form.get<GridNavigator>("GRIDNAV_ENTITA_ARG").press(Nav::Save));

  const std::string stored = "SELECT COUNT(*) FROM MG0Q_ENTITARG_PASSAGGI WHERE MG0Q_ID = " + std::to_string(maxId + 1) +
                             " AND MG0Q_DITTA_CG18 = 1 AND MG0Q_CODFAM_MG53 = 'VIT' AND MG0Q_MARCA_MG64 = 'VITEK'"
                             " AND MG0Q_TIPOPROD IS NULL AND MG0Q_GRUSTAT1_MG74 IS NULL AND MG0Q_KEY_GRID = '" +
                             RowKey(maxId + 1) + "' AND MG0Q_ARGOMENTO_MG0M = (SELECT MG0M_ID FROM "
                             "MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_DITTA_CG18 = 1 AND MG0M_ARGOMENTO = 'QUALITA')";
  EXPECT_EQ(scalar(stored), 1) << "empty classifications are NULL";
  EXPECT_TRUE(exclusions.isEnabled());
  EXPECT_EQ(field(form, "TXT_ENTITA_ARG").text(), "QUALITA");

  // Untick the net weight; the dialog lists the body's five fields, all checked so far.
  inDialog(form, [](Form& dialog) {
    auto& grid = dialog.get<Grid>("GRD_CAMPIARG");
    ASSERT_EQ(grid.rowCount(), 5u);
    ASSERT_EQ(grid.cellValue(0, "COD_CAMPO").toText(), "MG66_PESONETTO");
    // The dialog changes ticks through its working table, never the grid's cells themselves.
    grid.clickCheckBox(0, "FLG_SEL");
    EXPECT_EQ(grid.cellValue(0, "FLG_SEL").toInteger(), 0);
    ASSERT_TRUE(dialog.get<Button>("CMD_CONFERMA").click());
  });
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0U_NOVALIDAZ_PASSAGGI INNER JOIN MG0P_CAMPIARG_PASSAGGI ON MG0P_ID = "
                   "MG0U_IDCAMPOARG_MG0P INNER JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0P_CAMPO_MG0O WHERE "
                   "MG0O_CAMPO = 'MG66_PESONETTO' AND MG0U_IDENTITARG_MG0Q = " + std::to_string(maxId + 1)),
            1);
  // Closing without confirming writes nothing, whatever was ticked.
  inDialog(form, [](Form& dialog) {
    dialog.get<Grid>("GRD_CAMPIARG").clickSelectAll("FLG_SEL");
    ASSERT_TRUE(dialog.get<Button>("CMD_CHIUDI").click());
  });
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0U_NOVALIDAZ_PASSAGGI WHERE MG0U_IDENTITARG_MG0Q = " +
                   std::to_string(maxId + 1)),
            1);
  EXPECT_TRUE(m_display->errors().empty());
}

TEST_F(AssociationsTest, UnknownOrMalformedCodesAreRefusedAndKeepTheFocus) {
  execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 1 WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA = 'MARCA'");
  const long long before = scalar("SELECT COUNT(*) FROM MG0Q_ENTITARG_PASSAGGI");
  Form& form = openPage(1);
  ASSERT_TRUE(form.get<GridNavigator>("GRIDNAV_ENTITA_ARG").press(Nav::New));
  struct Case {
    const char* field;
    const char* code;
    const char* message;
  };
  for (const Case& test : {Case{"TXT_MG0Q_CODFAM_MG53", "ZZZ", "Codice famiglia inesistente."},
                           Case{"TXT_MG0Q_CODFAM_MG53", "V'T", "Codice famiglia inesistente."},
                           Case{"TXT_MG0Q_MARCA_MG64", "VIT]EK", "Codice marca inesistente."},
                           Case{"TXT_MG0Q_TIPOPROD", "A'", "Tipo prodotto inesistente."},
                           Case{"TXT_ENTITA_ARG", "QUA'LITA", "Codice ente validazione inesistente."},
                           Case{"TXT_ENTITA_ARG", "NESSUNO", "Codice ente validazione inesistente."}}) {
    EXPECT_FALSE(enter(form, test.field, test.code)) << test.code;
    EXPECT_EQ(lastMessage(), test.message) << test.code;
    EXPECT_TRUE(field(form, test.field).hasFocus()) << test.code;
    field(form, test.field).type("");
    EXPECT_TRUE(field(form, test.field).leave()) << "an empty code always stands";
  }
  // A body code that does not exist stops the save, even after a valid one left its id.
  ASSERT_TRUE(enter(form, "TXT_MG0Q_CODFAM_MG53", "VIT"));
  ASSERT_TRUE(enter(form, "TXT_ENTITA_ARG", "QUALITA"));
  field(form, "TXT_ENTITA_ARG").type("NESSUNO");
  EXPECT_FALSE(form.get<GridNavigator>("GRIDNAV_ENTITA_ARG").press(Nav::Save)) << "leaving the code refuses it";
  EXPECT_FALSE(console().m_fmeEntitaArgomenti.save()) << "the save reads the code again";
  EXPECT_EQ(lastMessage(), "Codice ente validazione inesistente.");
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0Q_ENTITARG_PASSAGGI"), before);
  EXPECT_TRUE(m_display->errors().empty());
  // Nor can the exclusions of a row not saved yet be opened.
  m_windows.shown.clear();
  console().CMD_DETTAGLIO_NOVALIDAZ_ButtonClick();
  EXPECT_TRUE(m_windows.shown.empty());
}

TEST_F(AssociationsTest, HierarchicalCodesAreCheckedAndListedWithinTheirParentsReadAfreshAtEachUse) {
  execute("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 1 WHERE MG0L_DITTA_CG18 = 2 AND MG0L_ENTITA = 'SFAMIGLIA'");
  Form& form = openPage(2);
  ASSERT_TRUE(form.get<GridNavigator>("GRIDNAV_ENTITA_ARG").press(Nav::New));
  auto& subFamily = field(form, "TXT_MG0Q_CODSFAM_MG54");
  ASSERT_TRUE(enter(form, "TXT_MG0Q_CODFAM_MG53", "BUL"));
  EXPECT_FALSE(enter(form, "TXT_MG0Q_CODSFAM_MG54", "TCEI")) << "no such sub-family of bolts";
  subFamily.type("");
  ASSERT_TRUE(subFamily.leave());
  ASSERT_TRUE(enter(form, "TXT_MG0Q_CODFAM_MG53", "VIT"));
  EXPECT_EQ(subFamily.openLookup()->rows.size(), 2u);
  ASSERT_TRUE(enter(form, "TXT_MG0Q_CODSFAM_MG54", "TCEI"));
  EXPECT_EQ(field(form, "TXT_DESC_SFAMIGLIA").text(), "Viti a testa cilindrica");

  execute("UPDATE CG18_ANADITTABASE SET CG18_CLASSGERARCHICA = '0' WHERE CG18_DITTA = 2");
  EXPECT_EQ(subFamily.openLookup()->rows.size(), 3u) << "independent codes: every sub-family";
}

TEST_F(AssociationsTest, ARunNoLongerChecksTheFieldsAnAssociationExcludesUntilTheyAreIncludedAgain) {
  Form& form = openPage(1);
  ASSERT_EQ(field(form, "TXT_MG0Q_CODFAM_MG53").text(), "VIT ") << "the first association: QUALITA on AC VIT";
  const auto failingScrews = [&] {
    EXPECT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("INT_MOD_DATI"));
    EXPECT_TRUE(form.get<Button>("CMD_ELABORA").click());
    const auto count = console().m_connection->Open("SELECT COUNT(*) FROM " + console().m_itemTable +
                                                    " WHERE CODFAM_MG53 = 'VIT' AND [QUALITA] = 0");
    EXPECT_TRUE(form.get<Button>("CMD_PARAM").click());
    EXPECT_TRUE(form.get<SideBar>("SDB_PASSAGGIO").clickItem("ENTITA_ARGOMENTI"));
    return count->Field(0).toInteger();
  };
  const auto tickAll = [&](bool checked) {
    inDialog(form, [&](Form& dialog) {
      auto& grid = dialog.get<Grid>("GRD_CAMPIARG");
      // The box starts unticked: the first click ticks every row.
      if (!checked) grid.clickSelectAll("FLG_SEL");
      grid.clickSelectAll("FLG_SEL");
      for (std::size_t row = 0; row < grid.rowCount(); ++row) EXPECT_EQ(grid.cellValue(row, "FLG_SEL").toInteger(), checked);
      ASSERT_TRUE(dialog.get<Button>("CMD_CONFERMA").click());
    });
  };
  const long long failing = failingScrews();
  ASSERT_GT(failing, 0);
  tickAll(false);
  EXPECT_EQ(failingScrews(), 0);
  tickAll(true);
  EXPECT_EQ(failingScrews(), failing);
  EXPECT_TRUE(m_display->errors().empty());
}

}  // namespace
}  // namespace passaggio
