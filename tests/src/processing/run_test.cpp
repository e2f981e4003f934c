// A run as the user starts it from the process button, and as another program starts it for
// one item: where it stops, what the item working table looks like, what the grid shows.
#include <gtest/gtest.h>

#include "platform/controls/enhanced_query.h"
#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

using namespace platform::controls;
using platform::Variant;
using testing::Row;
using testing::value;

class RunTest : public testing::ProcessingTest {
 protected:
  struct Pages {
    bool parameters, results, process, back, apply;
    bool operator==(const Pages&) const = default;
  };
  Pages pages() {
    return {shown("FRAME_INTERROGAZ"), shown("FRAME_INTERROGAZ_RIS"), enabled("CMD_ELABORA"), enabled("CMD_PARAM"),
            enabled("CMD_AGGSTATI")};
  }
};

TEST_F(RunTest, EachStopWarnsAndLeavesPagesAndButtonsAsTheyWere) {
  struct Case {
    const char* name;
    const char* setup;      // run on the console's connection before pressing
    const char* itemCode;   // typed into the filter
    const char* message;
    bool bodiesRead;
  };
  const Case cases[] = {
      {"no managed entity", "UPDATE MG0L_ENTITA_PASSAGGI SET MG0L_ENTITA_SEL = 0 WHERE MG0L_DITTA_CG18 = 1", "",
       "Nessuna entità gestita.", false},
      {"no body", "DELETE FROM MG0M_ARGOMENTI_PASSAGGI WHERE MG0M_DITTA_CG18 = 1", "",
       "Nessun ente validazione definito.", true},
      {"no item", "", "NESSUNO", "Nessun dato da visualizzare.", true},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    open();
    if (*test.setup) exec(test.setup);
    if (*test.itemCode) controls().get<EnhancedQuery>("ADVQ_ARTICOLI").enterValues("Codice articolo", test.itemCode, Variant());
    m_display->clear();
    const Pages before = pages();
    press("CMD_ELABORA");
    const auto messages = m_display->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, test.message);
    EXPECT_EQ(messages[0].style, 48);
    EXPECT_EQ(messages[0].title, "Passaggio di stato articoli");
    EXPECT_TRUE(pages() == before);
    EXPECT_EQ(form().m_bodies != nullptr, test.bodiesRead);
    EXPECT_EQ(controls().get<Grid>("GRD_ARTICOLI").dataSource(), nullptr);
  }
}

TEST_F(RunTest, ARunShowsTheItemsSomeBodyConcernsWithTheirVerdicts) {
  open();
  press("CMD_ELABORA");
  EXPECT_TRUE(m_display->shown().empty());
  EXPECT_TRUE(pages() == (Pages{false, true, false, true, true}));

  // Every item of the company is in the working table, only those some body concerns in the
  // grid, ordered by code.
  const auto table = workingTable();
  EXPECT_EQ(static_cast<long long>(table.size()),
            scalar("SELECT COUNT(*) FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = 1").toInteger());
  const auto grid = gridRows();
  ASSERT_FALSE(grid.empty());
  EXPECT_LT(grid.size(), table.size());
  const char* bodies[] = {"QUALITA", "ACQUISTI", "LOGISTICA", "PRODUZIONE", "AMMINISTRAZ", "RIATTIVAZ"};
  std::string previous;
  for (const Row& row : grid) {
    const std::string code = row.at("CODART").toText();
    EXPECT_LT(previous, code);
    previous = code;
    bool concerned = false;
    for (const char* body : bodies) concerned = concerned || row.at(body).toInteger() != 2;
    EXPECT_TRUE(concerned) << code;
    // ADMIN answers for none of the state-30 body, the only one of its state.
    EXPECT_EQ(value(row.at("AMMINISTRAZ")), "2") << code;
  }
}

TEST_F(RunTest, TheStatusLineFollowsTheRunBodyByBodyAndIsClearedAtTheEnd) {
  open();
  press("CMD_ELABORA");
  const std::vector<std::string> expected = {
      "Caricamento degli articoli...",
      "Controllo dell'ente QUALITA... 1/6",
      "Controllo dell'ente ACQUISTI... 2/6",
      "Controllo dell'ente LOGISTICA... 3/6",
      "Controllo dell'ente PRODUZIONE... 4/6",
      "Controllo dell'ente AMMINISTRAZ... 5/6",
      "Controllo dell'ente RIATTIVAZ... 6/6",
      "Calcolo dei nuovi stati...",
      "",
      "Lettura dei risultati...",
      "",
  };
  EXPECT_EQ(m_windows.progress, expected);

  // A run that stops halfway leaves no report behind either.
  press("CMD_PARAM");
  m_windows.progress.clear();
  form().m_connection->InjectFault(4, "disco pieno");
  press("CMD_ELABORA");
  ASSERT_FALSE(m_windows.progress.empty());
  EXPECT_EQ(m_windows.progress.back(), "");
}

TEST_F(RunTest, TiesOfTheNewStateGoToTheBodyReadLast) {
  // QUALITA (id 1) and ACQUISTI (id 2) both start from 10 and both pass this item.
  struct Case {
    int qualita, acquisti, expected;
  };
  for (const Case& test : {Case{30, 40, 40}, Case{40, 30, 30}}) {
    SCOPED_TRACE(test.expected);
    open();
    exec("UPDATE MG0M_ARGOMENTI_PASSAGGI SET MG0M_STATOFIN_MG6W = " + std::to_string(test.qualita) +
         " WHERE MG0M_ID = 1");
    exec("UPDATE MG0M_ARGOMENTI_PASSAGGI SET MG0M_STATOFIN_MG6W = " + std::to_string(test.acquisti) +
         " WHERE MG0M_ID = 2");
    press("CMD_ELABORA");
    EXPECT_EQ(value(workingTable().at("VITE-TCEI-M4X10-ZN").at("NEW_STATO")), std::to_string(test.expected));
  }
}

TEST_F(RunTest, ABodyWithAnEmptyCodeEndsTheRunInTheErrorReport) {
  open();
  exec("UPDATE MG0M_ARGOMENTI_PASSAGGI SET MG0M_ARGOMENTO = '' WHERE MG0M_ID = 3");
  press("CMD_ELABORA");
  ASSERT_EQ(m_display->errors().size(), 1u);
  EXPECT_EQ(m_display->errors()[0].procedure, "CMD_ELABORA_ButtonClick");
  EXPECT_NE(m_display->errors()[0].sql.find("   []        DECIMAL(1,0)"), std::string::npos);
  EXPECT_TRUE(enabled("CMD_ELABORA")) << "aborted: the pages stay";
  EXPECT_FALSE(shown("FRAME_INTERROGAZ_RIS"));
}

// A code is a column name between brackets: a ']' in it is doubled there, and the body is
// checked as under any other code.
TEST_F(RunTest, ABodyCodeHoldingABracketNamesItsColumnAsTyped) {
  open();
  press("CMD_ELABORA");
  std::map<std::string, std::string> plain;
  for (const auto& [code, row] : workingTable()) plain[code] = value(row.at("QUALITA"));
  release();
  open();
  exec("UPDATE MG0M_ARGOMENTI_PASSAGGI SET MG0M_ARGOMENTO = 'QUAL]ITA' WHERE MG0M_ARGOMENTO = 'QUALITA'");
  press("CMD_ELABORA");
  EXPECT_TRUE(m_display->errors().empty());
  std::map<std::string, std::string> bracketed;
  for (const auto& [code, row] : workingTable()) bracketed[code] = value(row.at("QUAL]ITA"));
  EXPECT_EQ(bracketed, plain);
}

TEST_F(RunTest, ACalledConsoleRunsAtOnceForItsItemOnly) {
  struct Case {
    const char* item;
    std::size_t rows;
    const char* message;
  };
  for (const Case& test : {Case{"vite-tcei-m4x10-zn", 1, nullptr}, Case{"   ", 0, "Nessun dato da visualizzare."}}) {
    SCOPED_TRACE(test.item);
    release();
    m_file = demoCopy();
    m_object = console(sql::connectionStringFor(m_file));
    m_object->LetIsCalled(true);
    m_object->LetProperty("CodiceArticolo", Variant(test.item));
    m_object->ShowForm();
    EXPECT_EQ(workingTable().size(), test.rows);
    EXPECT_EQ(gridRows().size(), test.rows);
    EXPECT_EQ(shown("FRAME_INTERROGAZ_RIS"), test.rows == 1);
    EXPECT_EQ(enabled("CMD_ELABORA"), test.rows == 0);
    EXPECT_FALSE(shown("FRAME_ENTITA")) << "called, the console opens on processing";
    const auto messages = m_display->messages();
    ASSERT_EQ(messages.size(), test.message ? 1u : 0u);
    if (test.message) {
      EXPECT_EQ(messages[0].text, test.message);
    }
    // Called, the code column has no item button.
    EXPECT_EQ(controls().get<Grid>("GRD_ARTICOLI").column("CODART")->kind, 1);
    m_display->clear();
  }
}

TEST_F(RunTest, BackToTheParametersThenAgainRebuildsTheTable) {
  open();
  press("CMD_ELABORA");
  const auto first = workingTable();
  EXPECT_TRUE(press("CMD_PARAM"));
  EXPECT_TRUE(pages() == (Pages{true, false, true, false, false}));
  EXPECT_TRUE(m_display->shown().empty()) << "nothing to save, nothing asked";

  controls().get<EnhancedQuery>("ADVQ_ARTICOLI").enterValues("Famiglia", "VIT", Variant());
  EXPECT_TRUE(press("CMD_ELABORA"));
  const auto second = workingTable();
  EXPECT_LT(second.size(), first.size());
  std::int64_t lowest = 0;
  for (const auto& [code, row] : second) {
    EXPECT_EQ(code.rfind("VITE", 0), 0u);
    lowest = lowest == 0 ? row.at("ID").toInteger() : std::min(lowest, row.at("ID").toInteger());
  }
  EXPECT_EQ(lowest, 1) << "identities start again";
}

}  // namespace
}  // namespace passaggio
