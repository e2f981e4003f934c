// The validation bodies page driven as a user: what it sends, what it refuses and why, and
// what it stores. Demo company 1: QUALITA (user MROSSI, 10 to 20), ACQUISTI (group ACQ with
// LBIANCHI and SFERRARI, 10 to 20), LOGISTICA (group LOG with GVERDI and SFERRARI, 20 to 30),
// AMMINISTRAZ (user FNERI, 30 to 40), RIATTIVAZ (group QUAL with ADMIN and MROSSI, 50 to 20).
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/controls/edit_field.h"
#include "tests/src/config/editor_fixture.h"

namespace passaggio {
namespace {

class BodiesEditorTest : public testing::EditorTest {
 protected:
  static constexpr const char* kBodies = "SELECT * FROM MG0M_ARGOMENTI_PASSAGGI ORDER BY MG0M_ID";
};

// A new body entered with a user, then given a group, saved each time, then deleted.
TEST_F(BodiesEditorTest, StatementsGoOutExactlyAsComposed) {
  openTraced();
  drive(R"(page ARGOMENTI
dump GRD_ARGOMENTI
nav GRIDNAV_ARGOMENTI new
type TXT_MG0M_ARGOMENTO prova
leave TXT_MG0M_ARGOMENTO
type TXT_UTENTE_RESPONSABILE fneri
leave TXT_UTENTE_RESPONSABILE
type CMB_MG0M_STATOINI_MG6W 40
type CMB_MG0M_STATOFIN_MG6W 50
nav GRIDNAV_ARGOMENTI save
type CMB_MG0M_TIPO_RESPONSABILE 1
type TXT_GRUPPO_RESPONSABILE acq
leave TXT_GRUPPO_RESPONSABILE
nav GRIDNAV_ARGOMENTI save
)");
  const std::string id = std::to_string(scalar("SELECT MG0M_ID FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_ARGOMENTO = 'PROVA'"));
  drive("nav GRIDNAV_ARGOMENTI delete\n");
  EXPECT_TRUE(messages().empty());
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_ARGOMENTO = 'PROVA'"), 0);

  const std::string head =
      "SELECT MG0M_ARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK) WHERE MG0M_DITTA_CG18 = 1      AND "
      "MG0M_ARGOMENTO <> 'PROVA'      AND MG0M_STATOINI_MG6W = 40 ";
  const std::string expected[] = {
      "SELECT *  FROM MG0M_ARGOMENTI_PASSAGGI  WHERE MG0M_DITTA_CG18 = 1 ",
      "SELECT MG6W_DESCR FROM MG6W_STATIART WITH (NOLOCK) WHERE MG6W_INDSTATO = 10 ",
      "SELECT FW07_ID FROM FW07_APPUSER WITH (NOLOCK) WHERE FW07_CODICE = 'FNERI' AND FW07_FLGATTIVO = 1 ",
      head + "     AND MG0M_TIPO_RESPONSABILE = 0      AND MG0M_UTENTE_FW07 = 5 ",
      head + "     AND MG0M_TIPO_RESPONSABILE = 1      AND EXISTS(SELECT 1 FROM FW00_GRPUSRASSOC WITH (NOLOCK)      "
             "            WHERE FW00_ID_FW06 = MG0M_GRUPPO_FW06                      AND FW00_ID_FW07 = 5 ) ",
      "SELECT FW06_ID FROM FW06_GROUPUSR WITH (NOLOCK) WHERE FW06_CODICE = 'ACQ' ",
      head + "     AND MG0M_TIPO_RESPONSABILE = 1      AND MG0M_GRUPPO_FW06 = 2 ",
      head + "     AND MG0M_TIPO_RESPONSABILE = 0      AND EXISTS(SELECT 1 FROM FW00_GRPUSRASSOC WITH (NOLOCK)      "
             "            WHERE FW00_ID_FW06 = 2                      AND FW00_ID_FW07 = MG0M_UTENTE_FW07 ) ",
      "SELECT 1 FROM MG0P_CAMPIARG_PASSAGGI WITH (NOLOCK) WHERE MG0P_ARGOMENTO_MG0M = '" + id + "' ",
      "SELECT 1 FROM MG0Q_ENTITARG_PASSAGGI WITH (NOLOCK) WHERE MG0Q_ARGOMENTO_MG0M = '" + id + "' ",
  };
  const std::vector<std::string> sent = traced();
  for (const std::string& statement : expected) {
    EXPECT_NE(std::find(sent.begin(), sent.end(), statement), sent.end()) << statement;
  }
}

TEST_F(BodiesEditorTest, EachRefusalShowsItsMessageAndLeavesTheTablesAsTheyWere) {
  const std::string conflict = "Configurazione in conflitto con l'ente validazione: ";
  const std::string pairing = "Enti validazione con lo stesso stato di partenza e lo stesso abbinamento gruppo/utente.";
  struct Case {
    const char* what;
    const char* setup;  // run on the database first, or null
    std::string script;
    std::string message;
  };
  const std::string newBody = "page ARGOMENTI\nnav GRIDNAV_ARGOMENTI new\ntype TXT_MG0M_ARGOMENTO NUOVO\n"
                              "leave TXT_MG0M_ARGOMENTO\n";
  const auto states = [](int from, int to) {
    return "type CMB_MG0M_STATOINI_MG6W " + std::to_string(from) + "\ntype CMB_MG0M_STATOFIN_MG6W " +
           std::to_string(to) + "\nnav GRIDNAV_ARGOMENTI save\n";
  };
  const std::string group = "type CMB_MG0M_TIPO_RESPONSABILE 1\ntype TXT_GRUPPO_RESPONSABILE ";
  const std::string user = "type TXT_UTENTE_RESPONSABILE ";
  const Case cases[] = {
      {"states left at their defaults", nullptr, newBody + "nav GRIDNAV_ARGOMENTI save\n",
       "Attenzione. Lo stato di partenza e di arrivo sono uguali.\r\nImpossibile salvare la configurazione."},
      {"the same user", nullptr, newBody + user + "MROSSI\nleave TXT_UTENTE_RESPONSABILE\n" + states(10, 30),
       conflict + "QUALITA.\r\nEnti validazione con lo stesso stato di partenza e lo stesso utente."},
      {"a user of a group body", nullptr, newBody + user + "LBIANCHI\nleave TXT_UTENTE_RESPONSABILE\n" + states(10, 30),
       conflict + "ACQUISTI.\r\n" + pairing},
      {"the same group", nullptr, newBody + group + "LOG\nleave TXT_GRUPPO_RESPONSABILE\n" + states(20, 40),
       conflict + "LOGISTICA.\r\nEnti validazione con lo stesso stato di partenza e lo stesso gruppo."},
      {"a group with a user body's user", nullptr, newBody + group + "QUAL\nleave TXT_GRUPPO_RESPONSABILE\n" + states(10, 30),
       conflict + "QUALITA.\r\n" + pairing},
      {"a body with fields and associations", nullptr,
       "page ARGOMENTI\nrow GRD_ARGOMENTI QUALITA\nnav GRIDNAV_ARGOMENTI delete\n",
       "Impossibile cancellare l'ente validazione\r\nperchè possiede già dei campi di dettaglio."},
      {"a body with associations only",
       "DELETE FROM MG0P_CAMPIARG_PASSAGGI WHERE MG0P_ARGOMENTO_MG0M = "
       "(SELECT MG0M_ID FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_DITTA_CG18 = 1 AND MG0M_ARGOMENTO = 'ACQUISTI')",
       "page ARGOMENTI\nrow GRD_ARGOMENTI ACQUISTI\nnav GRIDNAV_ARGOMENTI delete\n",
       "Impossibile cancellare l'ente validazione perchè\r\nrisultano associazioni entità-ente validazione."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.setup) execute(c.setup);
    const std::string before = rows(kBodies) + rows("SELECT * FROM MG0P_CAMPIARG_PASSAGGI") +
                               rows("SELECT * FROM MG0Q_ENTITARG_PASSAGGI");
    m_console = open();
    drive(c.script);
    EXPECT_EQ(messages(), std::vector<std::string>{c.message});
    EXPECT_EQ(rows(kBodies) + rows("SELECT * FROM MG0P_CAMPIARG_PASSAGGI") + rows("SELECT * FROM MG0Q_ENTITARG_PASSAGGI"),
              before);
    EXPECT_TRUE(m_display->errors().empty());
    m_console->CloseForm();
  }
}

// What the rules let through: group bodies sharing a member, a body saved again unchanged,
// and a code typed with a quote and a bracket, which is stored without the quote, in upper
// case, and checked and saved again like any other.
TEST_F(BodiesEditorTest, AcceptedConfigurationsAreStoredAsEntered) {
  m_console = open();
  const std::string before = rows(kBodies);
  drive("page ARGOMENTI\nrow GRD_ARGOMENTI QUALITA\nnav GRIDNAV_ARGOMENTI save\n");
  EXPECT_EQ(rows(kBodies), before);

  drive(R"(nav GRIDNAV_ARGOMENTI new
type TXT_MG0M_ARGOMENTO condivide
leave TXT_MG0M_ARGOMENTO
type CMB_MG0M_TIPO_RESPONSABILE 1
type TXT_GRUPPO_RESPONSABILE LOG
leave TXT_GRUPPO_RESPONSABILE
type CMB_MG0M_STATOINI_MG6W 10
type CMB_MG0M_STATOFIN_MG6W 40
nav GRIDNAV_ARGOMENTI save
nav GRIDNAV_ARGOMENTI new
type TXT_MG0M_ARGOMENTO a'b]c
leave TXT_MG0M_ARGOMENTO
type TXT_UTENTE_RESPONSABILE FNERI
leave TXT_UTENTE_RESPONSABILE
type CMB_MG0M_STATOINI_MG6W 40
type CMB_MG0M_STATOFIN_MG6W 50
nav GRIDNAV_ARGOMENTI save
type TXT_MG0M_DESCARGOMENTO Codice strano
nav GRIDNAV_ARGOMENTI save
)");
  EXPECT_EQ(messages(), std::vector<std::string>{});
  EXPECT_TRUE(m_display->errors().empty());
  EXPECT_EQ(rows("SELECT MG0M_DITTA_CG18, MG0M_TIPO_RESPONSABILE, MG0M_UTENTE_FW07, MG0M_GRUPPO_FW06, MG0M_STATOINI_MG6W,"
                 " MG0M_STATOFIN_MG6W, MG0M_DESCARGOMENTO FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_ARGOMENTO IN "
                 "('CONDIVIDE', 'AB]C') ORDER BY MG0M_ID"),
            "1|1||3|10|40||\n1|0|5||40|50|Codice strano|\n");
}

TEST_F(BodiesEditorTest, OnlyAnActiveUsersCodeFillsTheHiddenId) {
  m_console = open();
  drive("page ARGOMENTI\nnav GRIDNAV_ARGOMENTI new\n");
  const struct {
    const char* code;
    const char* id;
  } cases[] = {{"mrossi", "2"}, {"ACOLOMBO", ""}, {"NESSUNO", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    drive(std::string("type TXT_UTENTE_RESPONSABILE ") + c.code + "\nleave TXT_UTENTE_RESPONSABILE\n");
    EXPECT_EQ(m_console->Form()->Controls().get<platform::controls::EditField>("TXT_MG0M_UTENTE_FW07").text(), c.id);
  }
  EXPECT_TRUE(messages().empty());
}

}  // namespace
}  // namespace passaggio
