// The checks as a user meets them: which values count as given, what a sign-off or an
// exclusion changes, who is responsible, what a restricted user may apply, and a re-check of
// one row after its sign-offs change.
#include <gtest/gtest.h>

#include <vector>

#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

using platform::Variant;
using testing::Row;
using testing::value;

class ChecksTest : public testing::ProcessingTest {};

// VITE-TCEI-M4X10-ZN (state 10, AC, VIT) passes QUALITA on the demo: a net weight (zero
// counts as missing), a unit and a bar code are required, two documents need a sign-off.
constexpr const char* kItem = "VITE-TCEI-M4X10-ZN";
constexpr const char* kWhereItem = " WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = 'VITE-TCEI-M4X10-ZN'";
constexpr const char* kQualitaField = "SELECT MG0P_ID FROM MG0P_CAMPIARG_PASSAGGI INNER JOIN MG0O_CAMPI_PASSAGGI ON "
                                      "MG0O_ID = MG0P_CAMPO_MG0O WHERE MG0P_ARGOMENTO_MG0M = 1 AND MG0O_CAMPO = ";
constexpr const char* kVitAssociation =
    "(SELECT MG0Q_ID FROM MG0Q_ENTITARG_PASSAGGI WHERE MG0Q_ARGOMENTO_MG0M = 1 AND MG0Q_CODFAM_MG53 = 'VIT')";

TEST_F(ChecksTest, ValuesSignOffsAndExclusionsDecideTheVerdict) {
  const std::string weightField = std::string("(") + kQualitaField + "'MG66_PESONETTO')";
  const std::string signOff = "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = ";
  const std::string ofDocument =
      " WHERE MG0R_CODART_MG66 = 'VITE-TCEI-M4X10-ZN' AND MG0R_ARGOMENTO_MG0M = 1 AND MG0R_CAMPO_MG0O = "
      "(SELECT MG0O_ID FROM MG0O_CAMPI_PASSAGGI WHERE MG0O_CAMPO = 'DOC_SCHEDATECNICA')";
  const std::string noWeight = std::string("UPDATE MG66_ANAGRART SET MG66_PESONETTO = NULL") + kWhereItem;
  struct Case {
    const char* name;
    std::vector<std::string> setup;
    int verdict;
  };
  const std::vector<Case> cases = {
      {"as delivered", {}, 1},
      {"an empty text is a value", {std::string("UPDATE MG66_ANAGRART SET MG66_UMBASE = ''") + kWhereItem}, 1},
      {"a missing bar code fails", {std::string("UPDATE MG66_ANAGRART SET MG66_BARCODE = NULL") + kWhereItem}, 0},
      {"a signed-off missing value passes",
       {std::string("UPDATE MG66_ANAGRART SET MG66_BARCODE = NULL") + kWhereItem,
        "INSERT INTO MG0R_VALIDAZMAN_PASSAGGI (MG0R_DITTA_CG18, MG0R_CODART_MG66, MG0R_ARGOMENTO_MG0M, "
        "MG0R_CAMPO_MG0O, MG0R_VALIDATO) SELECT 1, 'vite-tcei-m4x10-zn  ', 1, MG0O_ID, 1 FROM MG0O_CAMPI_PASSAGGI "
        "WHERE MG0O_CAMPO = 'MG66_BARCODE'"},
       1},
      {"a zero weight is missing", {std::string("UPDATE MG66_ANAGRART SET MG66_PESONETTO = 0") + kWhereItem}, 0},
      {"unless zero is significant for the field",
       {std::string("UPDATE MG66_ANAGRART SET MG66_PESONETTO = 0") + kWhereItem,
        "UPDATE MG0P_CAMPIARG_PASSAGGI SET MG0P_INDVALZERO = 0 WHERE MG0P_ID = " + weightField},
       1},
      {"a field excluded for the matching association is not checked",
       {noWeight, "INSERT INTO MG0U_NOVALIDAZ_PASSAGGI (MG0U_IDENTITARG_MG0Q, MG0U_IDCAMPOARG_MG0P) SELECT " +
                      std::string(kVitAssociation) + " , " + weightField},
       1},
      {"but still is when another matching association does not exclude it",
       {noWeight,
        "INSERT INTO MG0U_NOVALIDAZ_PASSAGGI (MG0U_IDENTITARG_MG0Q, MG0U_IDCAMPOARG_MG0P) SELECT " +
            std::string(kVitAssociation) + " , " + weightField,
        "INSERT INTO MG0Q_ENTITARG_PASSAGGI (MG0Q_DITTA_CG18, MG0Q_ARGOMENTO_MG0M, MG0Q_TIPOPROD, MG0Q_CODFAM_MG53) "
        "VALUES (1, 1, 'ac', 'vit ')"},
       0},
      {"a withdrawn sign-off fails", {signOff + "0" + ofDocument}, 0},
      {"so does one stored as NULL", {signOff + "NULL" + ofDocument}, 0},
      {"a sign-off stored in other letters counts",
       {"UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_CODART_MG66 = 'vite-tcei-m4x10-zn' WHERE MG0R_CODART_MG66 = "
        "'VITE-TCEI-M4X10-ZN'"},
       1},
      {"an item without a family matches no association",
       {std::string("UPDATE MG66_ANAGRART SET MG66_FAM_MG53 = NULL") + kWhereItem}, 2},
      {"another start state does not apply",
       {std::string("UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = 40") + kWhereItem}, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    open();
    for (const std::string& sql : test.setup) exec(sql);
    press("CMD_ELABORA");
    EXPECT_TRUE(m_display->errors().empty());
    const auto table = workingTable();
    ASSERT_EQ(table.count(kItem), 1u);
    const Row& row = table.at(kItem);
    EXPECT_EQ(value(row.at("QUALITA")), std::to_string(test.verdict));
    EXPECT_EQ(value(row.at("NEW_STATO")), test.verdict == 1 ? "20" : "NULL");
  }
}

TEST_F(ChecksTest, WithOnlyTheCompanyManagedEveryAssociationMatchesEveryItem) {
  open();
  exec("UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 0 WHERE MG0L_ENTITA <> 'AZIENDA'");
  // A body without associations applies to no item.
  exec("DELETE FROM MG0Q_ENTITARG_PASSAGGI WHERE MG0Q_ARGOMENTO_MG0M = 4");
  press("CMD_ELABORA");
  long long state10 = 0;
  for (const auto& [code, row] : workingTable()) {
    const bool inState10 = value(row.at("INDSTATO_MG6W")) == "10";
    state10 += inState10 ? 1 : 0;
    EXPECT_EQ(value(row.at("QUALITA")) != "2", inState10) << code;
    EXPECT_EQ(value(row.at("PRODUZIONE")), "2") << code;
  }
  EXPECT_GT(state10, 0);
}

TEST_F(ChecksTest, ResponsibilityCountsOnlyWhereOneBodyStartsFromTheState) {
  struct Case {
    const char* user;
    const char* body;   // the only body of its start state
    bool applies;
  };
  // AMMINISTRAZ (state 30) belongs to FNERI; RIATTIVAZ (state 50) to the group of ADMIN.
  const Case cases[] = {{"ADMIN", "AMMINISTRAZ", false}, {"FNERI", "AMMINISTRAZ", true},
                        {"ADMIN", "RIATTIVAZ", true},    {"LBIANCHI", "RIATTIVAZ", false}};
  for (const Case& test : cases) {
    SCOPED_TRACE(std::string(test.user) + " " + test.body);
    open(test.user);
    press("CMD_ELABORA");
    int applying = 0;
    int sharedStates = 0;
    for (const auto& [code, row] : workingTable()) {
      applying += value(row.at(test.body)) != "2" ? 1 : 0;
      // QUALITA and ACQUISTI share state 10: they apply whoever runs.
      sharedStates += value(row.at("QUALITA")) != "2" && value(row.at("ACQUISTI")) != "2" ? 1 : 0;
    }
    EXPECT_EQ(applying > 0, test.applies);
    EXPECT_GT(sharedStates, 0);
  }
}

TEST_F(ChecksTest, ARestrictedUserMayApplyOnlyTheStatesGivenToHim) {
  // GVERDI may assign 30 and 40 only.
  open("GVERDI");
  press("CMD_ELABORA");
  std::map<std::string, int> byPermission;
  for (const auto& [code, row] : workingTable()) {
    const std::string state = value(row.at("NEW_STATO"));
    const std::string permission = value(row.at("PERMESSO_AGGSTATO"));
    const std::string expected = state == "NULL" ? "NULL" : (state == "30" || state == "40") ? "1" : "0";
    EXPECT_EQ(permission, expected) << code << " to " << state;
    ++byPermission[permission];
  }
  EXPECT_GT(byPermission["0"], 0);
  EXPECT_GT(byPermission["1"], 0);
}

TEST_F(ChecksTest, ARestrictedUserWithoutStatesIsReportedAndTheRunGoesOn) {
  open("GVERDI");
  exec("DELETE FROM FW09_STATIUTENTE WHERE FW09_ID_FW07 = 4");
  press("CMD_ELABORA");
  ASSERT_EQ(m_display->errors().size(), 1u);
  EXPECT_EQ(m_display->errors()[0].procedure, "AggiornaColonneStato_TabellaDati");
  EXPECT_TRUE(shown("FRAME_INTERROGAZ_RIS")) << "aborting the permission step ends only that step";
  for (const auto& [code, row] : workingTable()) EXPECT_EQ(value(row.at("PERMESSO_AGGSTATO")), "NULL") << code;
}

TEST_F(ChecksTest, ReCheckingOneRowLeavesEveryOtherRowAsItWas) {
  open();
  press("CMD_ELABORA");
  const auto before = workingTable();
  // Both fail ACQUISTI; both now get every field of it signed off.
  const char* items[] = {"VITE-AF-4.8X19", "VITE-TCEI-M5X10-ZN"};
  for (const char* item : items) {
    ASSERT_EQ(value(before.at(item).at("ACQUISTI")), "0");
    exec(std::string("DELETE FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_ARGOMENTO_MG0M = 2 AND MG0R_CODART_MG66 = '") +
         item + "'");
    exec(std::string("INSERT INTO MG0R_VALIDAZMAN_PASSAGGI (MG0R_DITTA_CG18, MG0R_CODART_MG66, MG0R_ARGOMENTO_MG0M, "
                     "MG0R_CAMPO_MG0O, MG0R_VALIDATO) SELECT 1, '") +
         item + "', 2, MG0P_CAMPO_MG0O, 1 FROM MG0P_CAMPIARG_PASSAGGI WHERE MG0P_ARGOMENTO_MG0M = 2");
  }
  form().m_currentItemId = before.at(items[0]).at("ID").toInteger();
  form().ElaboraTabellaArticoli_SettaArgomentiOK();
  EXPECT_TRUE(m_display->errors().empty());

  const auto after = workingTable();
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [code, row] : after) {
    SCOPED_TRACE(code);
    if (code == items[0]) {
      EXPECT_EQ(value(row.at("ACQUISTI")), "1");
      EXPECT_EQ(value(row.at("NEW_STATO")), "20");
      EXPECT_EQ(value(row.at("PERMESSO_AGGSTATO")), "1");
      continue;
    }
    for (const auto& [field, v] : row) EXPECT_EQ(value(v), value(before.at(code).at(field))) << field;
  }
}

}  // namespace
}  // namespace passaggio
