// The history of state changes and the undo of a batch, on the demo database: consoles'
// connections apply as the console does, the history lists their batches, an undo moves the
// items back through the same recording and is a batch that can be undone in turn.
#include "platform/services/change_history.h"

#include <gtest/gtest.h>

#include <functional>

#include "demo_fixture.h"
#include "platform/services/change_recorder.h"
#include "platform/services/state_change_log.h"

namespace platform::services::testing {
namespace {

class ChangeHistoryTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    global = signIn(1, "ADMIN");
  }

  std::shared_ptr<db::Connection> consoleConnection() {
    auto connection = global->Objects()->NewConnectionFactory()->NewConnection();
    connection->Connect(connectionString);
    return connection;
  }

  //! The console's update of the item master from a working table of (item, new state).
  static void apply(db::Connection& connection, const std::string& rows) {
    connection.Execute("IF OBJECT_ID('TEMPDB.DBO.##Lavoro') IS NOT NULL DROP TABLE ##Lavoro");
    connection.Execute("CREATE TABLE ##Lavoro (CODART VARCHAR(25), NEW_STATO DECIMAL(2,0))");
    connection.Execute("INSERT INTO ##Lavoro VALUES " + rows);
    connection.Execute(
        "UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = NEW_STATO FROM MG66_ANAGRART INNER JOIN ##Lavoro "
        "ON MG66_CODART = CODART WHERE MG66_DITTA_CG18 = 1");
    closeBatch(connection);
  }

  std::string stateOf(const std::string& item) {
    return value("SELECT MG66_INDSTATO_MG6W FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = 1 AND MG66_CODART = '" + item +
                 "'");
  }

  std::vector<BatchSummary> batches(const HistoryFilter& filter = {}) {
    return summariseBatches(historyRows(db, 1, filter));
  }

  UndoOutcome undo(const std::shared_ptr<db::Connection>& connection, const UndoPlan& plan) {
    StandinChangeRecorder recorder(global, RecorderSettings{});
    return executeUndo(connection, recorder, 1, plan);
  }

  std::shared_ptr<StandinGlobal> global;
};

TEST(UndoRefusal, OnlyItemsStillInTheBatchStateThatTheUserMaySetMoveBack) {
  const AssignableStates every;
  const AssignableStates restricted = std::set<long long>{30, 40};
  const struct {
    UndoItem item;
    AssignableStates states;
    const char* reason;  // a part of it; "" when the item moves
  } cases[] = {
      {{"A", 40, 30, 40, true, {}}, every, ""},
      {{"A", 40, 30, 40, true, {}}, restricted, ""},
      {{"A", 40, 20, 40, true, {}}, restricted, "non può assegnare lo stato 20"},
      {{"A", 40, 30, 50, true, {}}, every, "è nello stato 50, non più nello stato 40"},
      {{"A", 40, 30, std::nullopt, true, {}}, every, "nello stato nessuno"},
      {{"A", 40, 30, std::nullopt, false, {}}, every, "non esiste più"},
      {{"A", 40, std::nullopt, 40, true, {}}, every, "non aveva uno stato"},
      {{"A", std::nullopt, 30, std::nullopt, true, {}}, every, "gli ha tolto lo stato"},
  };
  for (const auto& test : cases) {
    const std::string reason = undoRefusal(test.item, test.states);
    SCOPED_TRACE(reason);
    if (*test.reason == '\0') {
      EXPECT_EQ(reason, "");
    } else {
      EXPECT_NE(reason.find(test.reason), std::string::npos);
    }
  }
}

TEST_F(ChangeHistoryTest, AnUndoMovesBackWhatIsStillInTheBatchStateAndIsABatchItself) {
  // Sign-offs of the three items that will move.
  db.Execute(
      "INSERT INTO MG0R_VALIDAZMAN_PASSAGGI VALUES (1, 'BARRA-C40-D10', 1, 1, 1), "
      "(1, 'VITE-TE-M6X40-ZN', 1, 1, 1), (1, 'VITE-TE-M6X30-A2', 1, 1, 1)");
  auto first = consoleConnection();
  auto second = consoleConnection();
  apply(*first, "('BARRA-C40-D10', 40), ('VITE-TE-M6X40-ZN', 30), ('VITE-TE-M6X30-A2', 20), ('VITE-TE-M6X20-ZN', 20)");
  apply(*second, "('VITE-TE-M6X20-ZN', 30)");  // changed again by someone else

  auto listed = batches();
  ASSERT_GE(listed.size(), 2u);
  EXPECT_EQ(listed[0].items, 1u);
  EXPECT_EQ(listed[0].moves, "20 > 30 (1)");
  EXPECT_EQ(listed[1].items, 4u);
  EXPECT_EQ(listed[1].user, "ADMIN");
  const long long batch = listed[1].batch;

  const UndoPlan restricted = planUndo(db, 1, batch, std::set<long long>{30, 40});
  EXPECT_EQ(restricted.moving(), 1u) << "only BARRA-C40-D10 goes back to a state of theirs (30)";
  const UndoPlan plan = planUndo(db, 1, batch, std::nullopt);
  ASSERT_EQ(plan.items.size(), 4u);
  EXPECT_EQ(plan.moving(), 3u);
  const UndoItem& changed = plan.items[1];
  EXPECT_EQ(changed.item, "VITE-TE-M6X20-ZN") << "by item code";
  EXPECT_NE(changed.skipped.find("nello stato 30"), std::string::npos) << changed.skipped;
  EXPECT_EQ(plan.question(), "Annullare il lotto " + std::to_string(batch) +
                                 "? 3 articoli torneranno allo stato precedente, 1 saranno esclusi.");

  auto undoing = consoleConnection();
  const UndoOutcome outcome = undo(undoing, plan);
  EXPECT_EQ(outcome.moved, 3u);
  ASSERT_TRUE(outcome.batch);
  EXPECT_EQ(stateOf("BARRA-C40-D10"), "30");
  EXPECT_EQ(stateOf("VITE-TE-M6X40-ZN"), "20");
  EXPECT_EQ(stateOf("VITE-TE-M6X30-A2"), "50");
  EXPECT_EQ(stateOf("VITE-TE-M6X20-ZN"), "30") << "left alone";
  // Moved to a lower state: the sign-offs go back, as after an apply; moved up: kept.
  const auto signOff = [&](const std::string& item) {
    return value("SELECT MG0R_VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI WHERE MG0R_CODART_MG66 = '" + item + "'");
  };
  EXPECT_EQ(signOff("BARRA-C40-D10"), "0");
  EXPECT_EQ(signOff("VITE-TE-M6X40-ZN"), "0");
  EXPECT_EQ(signOff("VITE-TE-M6X30-A2"), "1");

  HistoryFilter undone;
  undone.batch = outcome.batch;
  const auto rows = historyRows(db, 1, undone);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].item, "BARRA-C40-D10");
  EXPECT_EQ(rows[0].previous, 40);
  EXPECT_EQ(rows[0].next, 30);
  EXPECT_EQ(rows[0].description, "Annullamento del lotto " + std::to_string(batch));
  EXPECT_EQ(batches().front().batch, *outcome.batch) << "the newest batch comes first";

  // The undo of the undo puts the batch's states back; undoing the same batch twice moves nothing.
  EXPECT_EQ(undo(undoing, planUndo(db, 1, *outcome.batch, std::nullopt)).moved, 3u);
  EXPECT_EQ(stateOf("BARRA-C40-D10"), "40");
  EXPECT_EQ(stateOf("VITE-TE-M6X30-A2"), "20");
  EXPECT_EQ(planUndo(db, 1, *outcome.batch, std::nullopt).moving(), 0u);
  EXPECT_THROW(planUndo(db, 1, 999999, std::nullopt), std::invalid_argument);
}

TEST_F(ChangeHistoryTest, TheFiltersPickRowsAndOldRowsWithoutABatchAreBatchesOfTheirOwn) {
  apply(*consoleConnection(), "('BARRA-C40-D10', 40), ('VITE-TE-M6X40-ZN', 30)");
  const auto countOf = [&](const std::function<void(HistoryFilter&)>& set) {
    HistoryFilter filter;
    set(filter);
    return historyRows(db, 1, filter).size();
  };
  EXPECT_EQ(batches().size(), 7u) << "one apply and six rows written before batches existed";
  const struct {
    const char* what;
    std::function<void(HistoryFilter&)> set;
    std::size_t rows;
  } cases[] = {
      {"none", [](HistoryFilter&) {}, 8},
      {"item", [](HistoryFilter& f) { f.item = "VITE-TE-M6X40-ZN"; }, 1},
      {"user", [](HistoryFilter& f) { f.user = "FNERI"; }, 6},
      {"quoted user", [](HistoryFilter& f) { f.user = "O'BRIEN"; }, 0},
      {"both days whole", [](HistoryFilter& f) { f.since = "2025-03-13", f.until = "2025-03-14"; }, 2},
      {"state before", [](HistoryFilter& f) { f.state = 20; }, 1},
      {"state before or after", [](HistoryFilter& f) { f.state = 40; }, 7},
      {"an old row's batch", [](HistoryFilter& f) { f.batch = 3; }, 1},
  };
  for (const auto& test : cases) EXPECT_EQ(countOf(test.set), test.rows) << test.what;
  EXPECT_THROW(countOf([](HistoryFilter& f) { f.since = "2025-02-30"; }), std::invalid_argument);
  EXPECT_EQ(historyRows(db, 2, {}).size(), 0u) << "another company's changes are not shown";
}

}  // namespace
}  // namespace platform::services::testing
