// The checks as a user meets them on the demo: which values count as given, what a sign-off
// or an exclusion changes, and a restricted user without states. (Responsibility, managed
// entities and permissions are compared with the rules row by row in the differential test.)
#include <gtest/gtest.h>

#include <vector>

#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

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

TEST_F(ChecksTest, ARestrictedUserWithoutStatesIsReportedAndTheRunGoesOn) {
  open("GVERDI");
  exec("DELETE FROM FW09_STATIUTENTE WHERE FW09_ID_FW07 = 4");
  press("CMD_ELABORA");
  ASSERT_EQ(m_display->errors().size(), 1u);
  EXPECT_EQ(m_display->errors()[0].procedure, "AggiornaColonneStato_TabellaDati");
  EXPECT_TRUE(shown("FRAME_INTERROGAZ_RIS")) << "aborting the permission step ends only that step";
  for (const auto& [code, row] : workingTable()) EXPECT_EQ(value(row.at("PERMESSO_AGGSTATO")), "NULL") << code;
}

}  // namespace
}  // namespace passaggio
