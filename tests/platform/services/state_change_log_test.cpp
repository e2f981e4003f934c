// The log of item state changes as the database keeps it on the connections a console gets:
// one row per real change, with the state before it, under the connection's session.
#include <gtest/gtest.h>

#include <cstdlib>

#include "demo_fixture.h"
#include "platform/db/db_error.h"
#include "platform/services/host_objects.h"
#include "platform/services/state_change_log.h"

namespace platform::services::testing {
namespace {

class StateChangeLogTest : public DemoTest {
 protected:
  void SetUp() override {
    DemoTest::SetUp();
    global = signIn(1, "FNERI");
  }

  std::shared_ptr<db::Connection> consoleConnection() {
    auto connection = global->Objects()->NewConnectionFactory()->NewConnection();
    connection->Connect(connectionString);
    return connection;
  }

  //! The console's update of the item master, from a working table of (item, new state).
  static void apply(db::Connection& connection, const std::string& table, const std::string& rows) {
    connection.Execute("IF OBJECT_ID('TEMPDB.DBO." + table + "') IS NOT NULL DROP TABLE " + table);
    connection.Execute("CREATE TABLE " + table + " (CODART VARCHAR(25), NEW_STATO DECIMAL(2,0), PERMESSO_AGGSTATO INT)");
    connection.Execute("INSERT INTO " + table + " VALUES " + rows);
    connection.Execute("UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = NEW_STATO FROM MG66_ANAGRART INNER JOIN " + table +
                       " ON MG66_CODART = CODART WHERE MG66_DITTA_CG18 = 1 AND PERMESSO_AGGSTATO = 1 ");
    closeBatch(connection);
  }

  //! "item previous->new user batch" for each row the connection's session wrote.
  static std::vector<std::string> written(db::Connection& connection) {
    std::vector<std::string> rows;
    for (auto log = sessionChanges(connection); !log->Eof(); log->MoveNext()) {
      const std::string item = log->Field("FW10_CODART_MG66").toText();
      rows.push_back(item.substr(0, item.find(' ')) + " " + log->Field("FW10_STATOPREC").toText() + "->" +
                     log->Field("FW10_STATONUOVO").toText() + " " + log->Field("FW10_ID_FW07").toText() + " " +
                     log->Field("FW10_LOTTO").toText());
    }
    return rows;
  }

  std::shared_ptr<StandinGlobal> global;
};

TEST_F(StateChangeLogTest, TwoConsolesApplyingTogetherRecordEachRealChangeOnceWithItsStateBefore) {
  ASSERT_EQ(value("SELECT MG66_INDSTATO_MG6W FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = 1 AND "
                  "MG66_CODART = 'BARRA-C40-D10'"),
            "30");
  ASSERT_EQ(value("SELECT COUNT(*) FROM FW10_LOGSTATI WHERE FW10_CODART_MG66 = 'BARRA-C40-D10'"), "0");
  auto first = consoleConnection();
  auto second = consoleConnection();
  const std::string both = "('BARRA-C40-D10', 40, 1), ('VITE-TE-M6X50-ZN', 40, 1), ('BULL-M10X80-88', 20, 0)";
  apply(*first, "##LavoroA", both);
  apply(*second, "##LavoroB", both);  // the same new states: nothing changes any more
  EXPECT_EQ(written(*first), (std::vector<std::string>{"BARRA-C40-D10 30->40 5 1"}));
  EXPECT_TRUE(written(*second).empty());

  // The next apply of a console is its next batch; a plain connection records nothing.
  apply(*second, "##LavoroB", "('BARRA-C40-D10', 20, 1)");
  apply(*second, "##LavoroB", "('BARRA-C40-D10', 50, 1)");
  EXPECT_EQ(written(*second), (std::vector<std::string>{"BARRA-C40-D10 40->20 5 2", "BARRA-C40-D10 20->50 5 3"}));
  db.Execute("UPDATE MG66_ANAGRART SET MG66_INDSTATO_MG6W = 10 WHERE MG66_CODART = 'BARRA-C40-D10'");
  EXPECT_EQ(value("SELECT COUNT(*) FROM FW10_LOGSTATI WHERE FW10_CODART_MG66 = 'BARRA-C40-D10'"), "3");
}

TEST_F(StateChangeLogTest, ADatabaseOfAnEarlierVersionGetsTheSessionColumns) {
  db.ExecuteNative("ALTER TABLE FW10_LOGSTATI DROP COLUMN FW10_SESSIONE; ALTER TABLE FW10_LOGSTATI DROP COLUMN FW10_LOTTO");
  auto console = consoleConnection();
  apply(*console, "##Lavoro", "('BARRA-C40-D10', 40, 1)");
  EXPECT_EQ(written(*console), (std::vector<std::string>{"BARRA-C40-D10 30->40 5 1"}));
}

TEST_F(StateChangeLogTest, TheFaultSwitchFailsTheStatementItNames) {
  ::setenv("PASSAGGIO_FAULT", "2:disco pieno", 1);
  auto console = consoleConnection();
  ::unsetenv("PASSAGGIO_FAULT");
  EXPECT_NO_THROW(console->Execute("SELECT 1"));
  EXPECT_THROW(console->Execute("SELECT 1"), db::DbError);
  EXPECT_EQ(console->Errors().at(0).description, "disco pieno");
  EXPECT_NO_THROW(console->Execute("SELECT 1"));
  EXPECT_NO_THROW(consoleConnection()->Execute("SELECT 1")) << "read when a connection is made";
}

// The server's trigger body, run on the embedded database with the rows before and after an
// update standing in for its deleted and inserted tables: one row for the item whose state
// changed, under the session table's user, session and batch.
TEST_F(StateChangeLogTest, TheServersTriggerWritesARowForEachRealChangeUnderTheSession) {
  const std::string ddl = serverStateChangeLogDdl();
  const auto start = ddl.find("INSERT INTO FW10_LOGSTATI");
  ASSERT_NE(start, std::string::npos);
  std::string insert = ddl.substr(start, ddl.find(";\r\nEND") - start);
  for (const auto& [name, standIn] : {std::pair{" inserted i", " #INSERTED i"}, std::pair{" deleted d", " #DELETED d"}}) {
    ASSERT_NE(insert.find(name), std::string::npos) << insert;
    insert.replace(insert.find(name), std::string(name).size(), standIn);
  }
  db::Connection connection;
  connection.Connect(connectionString);
  connection.Execute(std::string("CREATE TABLE ") + kSessionTable +
                     " (UTENTE INT NULL, SESSIONE VARCHAR(40) NOT NULL, LOTTO INT NOT NULL, REGISTRA INT NOT NULL)");
  connection.Execute(std::string("INSERT INTO ") + kSessionTable + " VALUES (7, 'SERVER', 3, 1)");
  connection.Execute("SELECT * INTO #DELETED FROM MG66_ANAGRART WHERE MG66_DITTA_CG18 = 1 AND "
                     "MG66_CODART IN ('BARRA-C40-D10', 'VITE-TE-M6X50-ZN')");
  connection.Execute("SELECT * INTO #INSERTED FROM #DELETED");
  connection.Execute("UPDATE #INSERTED SET MG66_INDSTATO_MG6W = 40 WHERE MG66_CODART = 'BARRA-C40-D10'");
  EXPECT_EQ(connection.Execute(insert), 1);
  EXPECT_EQ(value("SELECT RTRIM(FW10_CODART_MG66) + ' ' + CAST(FW10_STATOPREC AS VARCHAR(2)) + '->' + "
                  "CAST(FW10_STATONUOVO AS VARCHAR(2)) + ' ' + CAST(FW10_ID_FW07 AS VARCHAR(9)) + ' ' + "
                  "CAST(FW10_LOTTO AS VARCHAR(9)) FROM FW10_LOGSTATI WHERE FW10_SESSIONE = 'SERVER'"),
            "BARRA-C40-D10 30->40 7 3");
  connection.Execute(std::string("UPDATE ") + kSessionTable + " SET REGISTRA = 0");
  EXPECT_EQ(connection.Execute(insert), 0) << "a console that does not record writes nothing";
}

}  // namespace
}  // namespace platform::services::testing
