// Applying the new states to the item master with their change records, the sign-off reset
// and the new run. (Saving sign-offs is driven through the field detail in its own test.)
#include <gtest/gtest.h>

#include "tests/src/processing/processing_fixture.h"

namespace passaggio {
namespace {

using platform::host::Answer;
using testing::Row;
using testing::value;

class StateChangesTest : public testing::ProcessingTest {
 protected:
  // Item master rows of both companies, by company and code: their state.
  std::map<std::string, std::string> itemStates() {
    std::map<std::string, std::string> states;
    auto rows = form().m_connection->Open("SELECT MG66_DITTA_CG18, MG66_CODART, MG66_INDSTATO_MG6W FROM MG66_ANAGRART");
    for (; !rows->Eof(); rows->MoveNext()) {
      states[rows->Field(0).toText() + "/" + testing::trimmed(rows->Field(1).toText())] = value(rows->Field(2));
    }
    return states;
  }
  // Sign-offs of both companies: key to VALIDATO.
  std::map<std::string, std::string> signOffs() {
    std::map<std::string, std::string> rows;
    auto all = form().m_connection->Open(
        "SELECT MG0R_DITTA_CG18, MG0R_CODART_MG66, MG0R_ARGOMENTO_MG0M, MG0R_CAMPO_MG0O, MG0R_VALIDATO "
        "FROM MG0R_VALIDAZMAN_PASSAGGI");
    for (; !all->Eof(); all->MoveNext()) {
      rows[all->Field(0).toText() + "/" + testing::trimmed(all->Field(1).toText()) + "/" + all->Field(2).toText() +
           "/" + all->Field(3).toText()] = value(all->Field(4));
    }
    return rows;
  }
  long long lastLog() { return scalar("SELECT ISNULL(MAX(FW10_ID),0) FROM FW10_LOGSTATI").toInteger(); }
  // Change records written after `since`: company/code to "state before->state after", one each.
  std::map<std::string, std::string> loggedSince(long long since) {
    std::map<std::string, std::string> logged;
    for (auto log = form().m_connection->Open("SELECT FW10_DITTA_CG18, FW10_CODART_MG66, FW10_STATOPREC, "
                                              "FW10_STATONUOVO FROM FW10_LOGSTATI WHERE FW10_ID > " +
                                              std::to_string(since));
         !log->Eof(); log->MoveNext()) {
      const std::string key = log->Field(0).toText() + "/" + testing::trimmed(log->Field(1).toText());
      EXPECT_TRUE(logged.emplace(key, value(log->Field(2)) + "->" + value(log->Field(3))).second) << key;
    }
    return logged;
  }
  // Whether a sign-off (key as signOffs() gives it) is of a company-1 item the run stepped back.
  static bool ofSteppedBackItem(const std::map<std::string, Row>& run, const std::string& signOff) {
    if (signOff.rfind("1/", 0) != 0) return false;
    const auto found = run.find(signOff.substr(2, signOff.find('/', 2) - 2));
    return found != run.end() && !found->second.at("NEW_STATO").isNull() &&
           found->second.at("NEW_STATO").toInteger() < found->second.at("INDSTATO_MG6W").toInteger();
  }
};

TEST_F(StateChangesTest, ApplyingMovesThePermittedItemsRecordsThemAndRunsAgain) {
  open();
  press("CMD_ELABORA");
  const auto table = workingTable();
  const auto statesBefore = itemStates();
  const auto signOffsBefore = signOffs();
  const long long logBefore = lastLog();
  std::map<std::string, std::string> moved;  // code -> new state
  for (const auto& [code, row] : table) {
    if (value(row.at("PERMESSO_AGGSTATO")) == "1") moved[code] = value(row.at("NEW_STATO"));
  }
  ASSERT_TRUE(moved.count("BULL-M10X80-88")) << "a step back from 50 to 20";
  ASSERT_TRUE(moved.count("VITE-TCEI-M4X10-ZN")) << "a step up from 10 to 20";

  press("CMD_AGGSTATI");  // answered No: nothing changes
  EXPECT_EQ(itemStates(), statesBefore);
  EXPECT_EQ(signOffs(), signOffsBefore);
  EXPECT_EQ(lastLog(), logBefore);

  // The rows the grid shows, by what the apply does to them: moved, or failed by a body, or
  // given a state the user may not assign.
  const auto& grid = controls().get<platform::controls::Grid>("GRD_ARTICOLI");
  std::size_t failed = 0;
  std::size_t notAllowed = 0;
  for (std::size_t row = 0; row < grid.rowCount(); ++row) {
    const bool newState = !grid.cellValue(row, "NEW_STATO").isNull();
    failed += newState ? 0 : 1;
    notAllowed += newState && value(grid.cellValue(row, "PERMESSO_AGGSTATO")) != "1" ? 1 : 0;
  }
  ASSERT_EQ(grid.rowCount(), moved.size() + failed + notAllowed);
  ASSERT_GT(failed, 0u);

  m_display->clear();
  m_display->queue(Answer::kYes);
  press("CMD_AGGSTATI");
  const auto messages = m_display->messages();
  ASSERT_EQ(messages.size(), 2u) << "no unsaved sign-offs: the question, then the summary";
  EXPECT_EQ(messages[0].text, "Sei sicuro di voler aggiornare gli stati articolo?\r\n" + std::to_string(moved.size()) +
                                  " articoli cambieranno stato.");
  EXPECT_EQ(messages[0].style, 4);
  std::string summary = std::to_string(moved.size()) + " articoli hanno cambiato stato.\r\n" +
                        std::to_string(failed + notAllowed) + " articoli non hanno cambiato stato:\r\n- " +
                        std::to_string(failed) + " non superano il controllo di un ente";
  if (notAllowed > 0) {
    summary += ";\r\n- " + std::to_string(notAllowed) + " hanno un nuovo stato che l'utente non può assegnare";
  }
  EXPECT_EQ(messages[1].text, summary + ".");
  EXPECT_EQ(messages[1].style, 64);
  std::size_t movable = 0;  // after the new run: items that may take one more step
  for (std::size_t row = 0; row < grid.rowCount(); ++row) {
    movable += value(grid.cellValue(row, "PERMESSO_AGGSTATO")) == "1" ? 1 : 0;
  }
  EXPECT_EQ(m_windows.status.back(), std::to_string(moved.size()) + " articoli hanno cambiato stato · " +
                                         std::to_string(grid.rowCount()) + " articoli trovati, " +
                                         std::to_string(movable) + (movable == 1 ? " può" : " possono") +
                                         " cambiare stato");
  EXPECT_TRUE(m_display->errors().empty());

  // The item master: permitted items of company 1 have their new state, nothing else moved.
  for (const auto& [key, state] : itemStates()) {
    const std::string code = key.substr(2);
    const bool mine = key.rfind("1/", 0) == 0 && moved.count(code);
    EXPECT_EQ(state, mine ? moved.at(code) : statesBefore.at(key)) << key;
  }
  // One change record per moved item, with its state before and after.
  std::map<std::string, std::string> expected;
  for (const auto& [code, state] : moved) expected["1/" + code] = statesBefore.at("1/" + code) + "->" + state;
  EXPECT_EQ(loggedSince(logBefore), expected);
  EXPECT_EQ(scalar("SELECT COUNT(*) FROM FW10_LOGSTATI WHERE FW10_DESCRIZIONE <> 'Modifica stato da Passaggio' "
                   "AND FW10_ID > " + std::to_string(logBefore))
                .toInteger(),
            0);
  // Stepping back withdraws every sign-off of the item in this company; stepping up keeps them.
  int withdrawn = 0;
  for (const auto& [key, validated] : signOffs()) {
    if (ofSteppedBackItem(table, key)) {
      EXPECT_EQ(validated, "0") << key;
      withdrawn += signOffsBefore.at(key) != "0" ? 1 : 0;
    } else {
      EXPECT_EQ(validated, signOffsBefore.at(key)) << key;
    }
  }
  EXPECT_GT(withdrawn, 0);
  // The new run shows the new states.
  const auto again = workingTable();
  EXPECT_EQ(value(again.at("VITE-TCEI-M4X10-ZN").at("INDSTATO_MG6W")), "20");
  EXPECT_EQ(value(again.at("BULL-M10X80-88").at("INDSTATO_MG6W")), "20");
  EXPECT_TRUE(shown("FRAME_INTERROGAZ_RIS"));
}

TEST_F(StateChangesTest, WhatIsNotRecordedOrNotPermittedStillFollowsTheRules) {
  // GVERDI joins ADMIN's group, so the step back from 50 to 20 is computed for him, but 20 is
  // not among his states; and the company records no changes.
  open("GVERDI");
  exec("INSERT INTO FW00_GRPUSRASSOC (FW00_ID_FW06, FW00_ID_FW07) VALUES (1, 4)");
  m_host->objects()->setRecorderSettings(1, {1, true, true});
  press("CMD_ELABORA");
  const auto table = workingTable();
  ASSERT_EQ(value(table.at("BULL-M10X80-88").at("NEW_STATO")), "20");
  ASSERT_EQ(value(table.at("BULL-M10X80-88").at("PERMESSO_AGGSTATO")), "0");
  const long long log = lastLog();
  const auto states = itemStates();
  m_display->queue(Answer::kYes);
  press("CMD_AGGSTATI");
  EXPECT_TRUE(m_display->errors().empty());
  EXPECT_EQ(lastLog(), log) << "nothing recorded";
  int moved = 0;
  for (const auto& [key, state] : itemStates()) moved += state != states.at(key) ? 1 : 0;
  EXPECT_GT(moved, 0) << "the states change all the same";
  EXPECT_EQ(itemStates().at("1/BULL-M10X80-88"), "50") << "not his to assign";
  for (const auto& [key, validated] : signOffs()) {
    if (key.rfind("1/BULL-M10X80-88/", 0) == 0) {
      EXPECT_EQ(validated, "0") << key;
    }
  }
}

// Each statement of an apply, from the item-master update to the sign-off reset, fails once
// and is answered with abort, retry or ignore: afterwards the item master and the log agree.
TEST_F(StateChangesTest, AFailingStatementLeavesNoChangeWithoutItsRowAndNoRowWithoutItsChange) {
  // Two items move, one up and one back, so that the apply stays short.
  const auto processTwoItems = [&] {
    open();
    press("CMD_ELABORA");
    exec("UPDATE " + form().m_itemTable +
         " SET PERMESSO_AGGSTATO = 0 WHERE CODART NOT IN ('BULL-M10X80-88', 'VITE-TCEI-M4X10-ZN')");
  };
  // Where the update and the reset fall among the apply's statements.
  processTwoItems();
  int statements = 0;
  int update = 0;
  int reset = 0;
  form().m_connection->SetAfterStatement([&] {
    ++statements;
    if (!update && form().m_sql.rfind("UPDATE MG66_ANAGRART", 0) == 0) update = statements;
    if (!reset && form().m_sql.rfind("UPDATE MG0R_VALIDAZMAN_PASSAGGI SET MG0R_VALIDATO = 0", 0) == 0) reset = statements;
  });
  m_display->queue(Answer::kYes);
  press("CMD_AGGSTATI");
  ASSERT_GT(update, 0);
  ASSERT_EQ(reset, update + 7) << "the batch closed, the items read, each item's row read and recorded";

  for (int failing = update; failing <= reset; ++failing) {
    for (const Answer answer : {Answer::kAbort, Answer::kRetry, Answer::kIgnore}) {
      SCOPED_TRACE("statement " + std::to_string(failing - update + 1) + ", answer " + std::to_string(answer));
      processTwoItems();
      const auto table = workingTable();
      const auto before = itemStates();
      const auto signedOff = signOffs();
      const long long logBefore = lastLog();
      form().m_connection->InjectFault(failing, "disco pieno");
      m_display->clear();
      m_display->queue({Answer::kYes, answer});
      press("CMD_AGGSTATI");
      ASSERT_FALSE(m_display->errors().empty());

      const auto after = itemStates();
      std::map<std::string, std::string> changed;  // key -> "before->after"
      for (const auto& [key, state] : after) {
        if (state != before.at(key)) changed[key] = before.at(key) + "->" + state;
      }
      EXPECT_EQ(loggedSince(logBefore), changed);
      const bool updateSkipped = failing == update && answer != Answer::kRetry;
      EXPECT_EQ(changed.empty(), updateSkipped);

      // The reset runs unless its own statement is given up or the apply was abandoned at the update.
      const bool resetSkipped =
          (failing == reset && answer != Answer::kRetry) || (failing == update && answer == Answer::kAbort);
      for (const auto& [key, validated] : signOffs()) {
        EXPECT_EQ(validated, !resetSkipped && ofSteppedBackItem(table, key) ? "0" : signedOff.at(key)) << key;
      }
    }
  }
}

}  // namespace
}  // namespace passaggio
