// The validation-body fields page driven as a user: what it sends, what it refuses, the grid
// keys of new rows, which flags a field takes, and when a body's items count as pending. In
// the demo, items of QUALITA (id 1, start state 10) carry sign-offs for it; company 1 manages
// product type and family.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/check_box.h"
#include "platform/controls/edit_field.h"
#include "tests/src/config/editor_fixture.h"

namespace passaggio {
namespace {

using platform::controls::CheckBox;
using platform::controls::EditField;

class BodyFieldsEditorTest : public testing::EditorTest {
 protected:
  static constexpr const char* kFields = "SELECT * FROM MG0P_CAMPIARG_PASSAGGI ORDER BY MG0P_ID";

  static std::string choose(const std::string& body) {
    return "page DETT_ARGOMENTI\ntype TXT_ARGOMENTO " + body + "\nleave TXT_ARGOMENTO\n";
  }
  static std::string addField(const std::string& field) {
    return "nav GRIDNAV_CAMPI_ARG new\ntype TXT_CAMPO_ARG " + field + "\nleave TXT_CAMPO_ARG\n";
  }
  long long catalogueId(const std::string& field) const {
    return scalar("SELECT MG0O_ID FROM MG0O_CAMPI_PASSAGGI WHERE MG0O_CAMPO = '" + field + "'");
  }
  bool enabled(const char* control) const {
    return m_console->Form()->Controls().control(control).isEnabled();
  }
};

TEST_F(BodyFieldsEditorTest, StatementsGoOutExactlyAsComposed) {
  execute("DELETE FROM MG0R_VALIDAZMAN_PASSAGGI");  // nothing pending
  openTraced();
  drive("page DETT_ARGOMENTI\nlookup TXT_ARGOMENTO\n" + choose("amministraz") + "dump GRD_CAMPI_ARG\n" +
        "nav GRIDNAV_CAMPI_ARG new\nlookup TXT_CAMPO_ARG\ntype TXT_CAMPO_ARG MG66_PESONETTO\nleave TXT_CAMPO_ARG\n"
        "nav GRIDNAV_CAMPI_ARG save\nclick CMD_CHANGE_ARG\n");
  ASSERT_EQ(messages(), std::vector<std::string>{});
  const std::string shown = std::to_string(catalogueId("MG66_NOMENCLATURA"));  // one of the body's fields
  const std::string weight = std::to_string(catalogueId("MG66_PESONETTO"));
  const std::string expected[] = {
      "SELECT MG0M_ARGOMENTO , MG0M_DESCARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_DITTA_CG18 = 1 ",
      "SELECT MG0M_ID , MG0M_DESCARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_DITTA_CG18 = 1      AND "
      "MG0M_ARGOMENTO = 'AMMINISTRAZ' ",
      "SELECT *  FROM MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK)  WHERE MG0P_ARGOMENTO_MG0M = '5' ",
      "SELECT MG0O_CAMPO FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) WHERE MG0O_ID = " + shown + " ",
      "SELECT MG0O_CAPTIONCAMPO FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) WHERE MG0O_ID = " + shown + " ",
      "SELECT MG0O_CAMPO , MG0O_CAPTIONCAMPO, (CASE MG0O_ISNUMERICO WHEN 1 THEN 'Sì' ELSE 'No' END) AS ISNUMERICO FROM "
      "MG0O_CAMPI_PASSAGGI WITH (NOLOCK) ORDER BY MG0O_TABLE_MG0N , MG0O_ID ",
      "SELECT MG0O_ID , MG0O_CAPTIONCAMPO , MG0O_ISNUMERICO , MG0N_ISTABLE FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK) INNER "
      "JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON MG0N_ID = MG0O_TABLE_MG0N WHERE MG0O_CAMPO = 'MG66_PESONETTO' ",
      "         SELECT\r\n       MG0O_ID\r\n       , MG0O_CAPTIONCAMPO\r\n       , MG0O_INDVALZERO\r\n"
      "       , MG0O_ISNUMERICO\r\n       , MG0N_ISTABLE\r\n   FROM\r\n       MG0O_CAMPI_PASSAGGI WITH (NOLOCK)\r\n"
      "   INNER JOIN MG0N_TABLE_PASSAGGI WITH (NOLOCK) ON\r\n       MG0N_ID = MG0O_TABLE_MG0N\r\n   WHERE\r\n"
      "       MG0O_CAMPO = 'MG66_PESONETTO'\r\n",
      "SELECT MG0L_ENTITA FROM MG0L_ENTITA_PASSAGGI WITH (NOLOCK) WHERE MG0L_DITTA_CG18 = 1      AND MG0L_ENTITA_SEL = 1 ",
      "SELECT TOP 1 1 FROM MG66_ANAGRART WITH (NOLOCK) LEFT OUTER JOIN PD18_ARTPROD WITH (NOLOCK) ON PD18_DITTA_CG18 = "
      "MG66_DITTA_CG18 AND PD18_CODART_MG66 = MG66_CODART WHERE MG66_DITTA_CG18 = 1      AND EXISTS(SELECT 1 FROM "
      "MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK)                  WHERE MG0Q_ARGOMENTO_MG0M = 5                         "
      "AND MG0Q_TIPOPROD = PD18_TIPOPROD_PD20    AND MG0Q_CODFAM_MG53 = MG66_FAM_MG53 )      AND EXISTS(SELECT 1 FROM "
      "MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)                  WHERE MG0M_DITTA_CG18 = MG66_DITTA_CG18                 "
      "     AND MG0M_ARGOMENTO = 'AMMINISTRAZ'                      AND MG0M_STATOINI_MG6W = MG66_INDSTATO_MG6W)      "
      "AND EXISTS(SELECT 1 FROM MG0R_VALIDAZMAN_PASSAGGI WITH (NOLOCK)                  WHERE MG0R_DITTA_CG18 = "
      "MG66_DITTA_CG18                      AND MG0R_CODART_MG66 = MG66_CODART                      AND "
      "MG0R_ARGOMENTO_MG0M = 5                      AND MG0R_VALIDATO = 1) ",
      "SELECT ISNULL(MAX(MG0P_ID),0) AS MAX_ID FROM MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) ",
      " SELECT MG0O_ISNUMERICO  FROM MG0O_CAMPI_PASSAGGI WITH (NOLOCK)  WHERE MG0O_ID = " + weight + " ",
      "SELECT *  FROM MG0P_CAMPIARG_PASSAGGI  WHERE 1=0 ",
  };
  const std::vector<std::string> sent = traced();
  for (const std::string& statement : expected) {
    EXPECT_NE(std::find(sent.begin(), sent.end(), statement), sent.end()) << statement;
  }
}

TEST_F(BodyFieldsEditorTest, EachRefusalShowsItsMessageAndLeavesTheFieldsAsTheyWere) {
  const std::string pending =
      "Impossibile modificare l'ente validazione QUALITA perchè risultano articoli Pending.\r\n"
      "E' necessario validare tali articoli o eliminare le semi validazioni.";
  const struct {
    const char* what;
    std::string script;
    std::string message;
  } cases[] = {
      {"an unknown body", "page DETT_ARGOMENTI\ntype TXT_ARGOMENTO NESSUNO\nleave TXT_ARGOMENTO\n",
       "Codice argomento inesistente."},
      {"an unknown field", choose("ACQUISTI") + addField("NESSUNO"), "Nome campo inesistente."},
      {"adding while pending", choose("QUALITA") + addField("MG66_NOTE") + "nav GRIDNAV_CAMPI_ARG save\n", pending},
      {"changing while pending",
       choose("QUALITA") + "row GRD_CAMPI_ARG 1\ncheck CHK_MG0P_VALIDAZ_MANUALE 1\nnav GRIDNAV_CAMPI_ARG save\n", pending},
      {"deleting while pending", choose("QUALITA") + "row GRD_CAMPI_ARG 1\nnav GRIDNAV_CAMPI_ARG delete\n", pending},
  };
  const std::string before = rows(kFields);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    m_console = open();
    drive(c.script);
    EXPECT_EQ(messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(rows(kFields), before);
    EXPECT_TRUE(m_display->errors().empty());
    m_console->CloseForm();
  }
  // An unknown body keeps its field open for another code.
  m_console = open();
  drive(cases[0].script);
  EXPECT_TRUE(enabled("TXT_ARGOMENTO"));
  EXPECT_FALSE(enabled("GRIDNAV_CAMPI_ARG"));
}

// Items count as pending for a body only when they are the company's, in its start state,
// matched by one of its associations on the managed entities, and signed off for it.
TEST_F(BodyFieldsEditorTest, PendingItemsAreThoseSignedOffForTheBodyInItsStartState) {
  const struct {
    const char* what;
    const char* change;
    bool pending;
  } cases[] = {
      {"as in the demo", nullptr, true},
      {"sign-offs withdrawn", "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0", false},
      {"sign-offs for another body only", "UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_ARGOMENTO_MG0M = 2", false},
      {"items moved on", "UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = 20 WHERE MG66_INDSTATO_MG6W = 10", false},
      {"no association matches", "UPDATE MG0Q_ENTITARG_PASSAGGI SET MG0Q_CODFAM_MG53 = 'ZZZ'", false},
      {"no managed entity", "UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 0", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove(m_file);
    m_file = demoCopy();
    if (c.change) execute(c.change);
    m_console = open();
    drive(choose("QUALITA"));
    EXPECT_EQ(m_console->Form()->ArticoliPending(platform::Variant(1)), c.pending);
    m_console->CloseForm();
  }
}

// New rows are keyed after the largest id of the whole table; a field takes the flags its
// catalogue entry allows.
TEST_F(BodyFieldsEditorTest, NewRowsGetTheNextGridKeyAndTheFlagsTheirFieldAllows) {
  execute("DELETE FROM MG0R_VALIDAZMAN_PASSAGGI");
  execute("DELETE FROM MG0P_CAMPIARG_PASSAGGI");
  m_console = open();
  const auto keyOf = [&](const std::string& field) {
    platform::db::Connection connection;
    connection.Connect(connectionString());
    return connection
        .Open("SELECT MG0P_KEY_GRID FROM MG0P_CAMPIARG_PASSAGGI WHERE MG0P_CAMPO_MG0O = " +
              std::to_string(catalogueId(field)))
        ->Field(0)
        .toText();
  };

  drive(choose("AMMINISTRAZ") + addField("MG66_PESONETTO"));
  EXPECT_TRUE(enabled("CHK_MG0P_VALORE_OBBLIGATORIO"));
  EXPECT_TRUE(enabled("CHK_MG0P_INDVALZERO"));
  drive("check CHK_MG0P_VALORE_OBBLIGATORIO 1\nnav GRIDNAV_CAMPI_ARG save\n");
  EXPECT_EQ(keyOf("MG66_PESONETTO"), "KEY_000000000000000001");

  // Another company's field row holds the largest id.
  execute("INSERT INTO MG0P_CAMPIARG_PASSAGGI (MG0P_ID, MG0P_ARGOMENTO_MG0M, MG0P_CAMPO_MG0O) VALUES (41, 7, 1)");
  drive(addField("MG66_UMBASE"));
  EXPECT_TRUE(enabled("CHK_MG0P_VALORE_OBBLIGATORIO"));
  EXPECT_FALSE(enabled("CHK_MG0P_INDVALZERO")) << "not numeric";
  drive("nav GRIDNAV_CAMPI_ARG save\ncheck CHK_MG0P_VALIDAZ_MANUALE 1\nnav GRIDNAV_CAMPI_ARG save\n");
  EXPECT_EQ(keyOf("MG66_UMBASE"), "KEY_000000000000000042") << "saving again keeps the key";

  drive(addField("DOC_SCHEDATECNICA"));
  EXPECT_FALSE(enabled("CHK_MG0P_VALORE_OBBLIGATORIO")) << "not a field of a table";
  EXPECT_FALSE(enabled("CHK_MG0P_INDVALZERO"));
  EXPECT_EQ(messages(), std::vector<std::string>{});
  EXPECT_EQ(rows("SELECT MG0P_ARGOMENTO_MG0M, MG0P_VALORE_OBBLIGATORIO, MG0P_INDVALZERO, MG0P_VALIDAZ_MANUALE FROM "
                 "MG0P_CAMPIARG_PASSAGGI WHERE MG0P_ID <> 41 ORDER BY MG0P_ID"),
            "5|1|1|0|\n5|0|0|1|\n");
}

}  // namespace
}  // namespace passaggio
