// Opening, failing and closing connections: every failure reaches the user as a clear
// message in the error collection, never as a crash.
#include "platform/db/connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/db/recordset.h"
#include "tests/support/program_run.h"
#include "tests/support/transports.h"

namespace platform::db {
namespace {

namespace fs = std::filesystem;

class ConnectionTest : public ::testing::Test {
 protected:
  std::string path(const char* name) const { return m_folder.file(name); }

  // A database file with one table of two rows.
  std::string makeDatabase(const char* name) {
    Connection connection;
    connection.Connect("sqlite:" + path(name) + ";create=1");
    connection.Execute("CREATE TABLE ART (ID INT IDENTITY(1,1) PRIMARY KEY, CODART VARCHAR(25) NOT NULL)");
    connection.Execute("INSERT INTO ART (CODART) VALUES ('A1'), ('A2')");
    return path(name);
  }

  static std::string failureOf(Connection& connection, const std::string& text) {
    try {
      connection.Connect(text);
    } catch (const DbError& error) {
      EXPECT_FALSE(connection.Errors().empty());
      EXPECT_EQ(connection.Errors().front().description, error.errors().front().description);
      return error.what();
    }
    ADD_FAILURE() << "no error for " << text;
    return {};
  }

  passaggio::testing::ScratchFolder m_folder;
};

TEST_F(ConnectionTest, OpenFailuresSayWhatIsWrong) {
  std::ofstream(path("notes.txt")) << "this is not a database, just some text that is long enough to be read";
  fs::create_directories(path("folder"));
  Connection connection;
  EXPECT_NE(failureOf(connection, "sqlite:" + path("missing.db")).find("non esiste"), std::string::npos);
  EXPECT_NE(failureOf(connection, "sqlite:" + path("notes.txt")).find("non è un database"), std::string::npos);
  EXPECT_NE(failureOf(connection, "sqlite:" + path("folder")).find("cartella"), std::string::npos);
  EXPECT_NE(failureOf(connection, "oracle:Server=Y").find("non disponibile"), std::string::npos);
  EXPECT_NE(failureOf(connection, "demo.db").find("non valida"), std::string::npos);
  EXPECT_NE(failureOf(connection, "sqlite::memory:;passes_off=lookup-index,fast").find("sconosciuto: fast"),
            std::string::npos);
  std::ofstream(path("empty.db"));
  EXPECT_NE(failureOf(connection, "sqlite:" + path("empty.db")).find("non è un database di questo programma"),
            std::string::npos);
  EXPECT_FALSE(connection.IsOpen());
  EXPECT_FALSE(fs::exists(path("missing.db"))) << "a failed open must not create the file";
  EXPECT_EQ(fs::file_size(path("empty.db")), 0u) << "a refused file stays as it was";
}

TEST_F(ConnectionTest, PassesOffComeFromTheEnvironmentWhereTheStringNamesNone) {
  ::setenv("PASSAGGIO_PASSES_OFF", "fast", 1);
  Connection connection;
  EXPECT_NE(failureOf(connection, "sqlite::memory:").find("sconosciuto: fast"), std::string::npos);
  connection.Connect("sqlite::memory:;passes_off=lookup-index");
  EXPECT_TRUE(connection.IsOpen());
  ::unsetenv("PASSAGGIO_PASSES_OFF");
}

TEST_F(ConnectionTest, AFileThatMayNotBeWrittenIsReadButNotChanged) {
  const std::string file = makeDatabase("locked.db");
  {
    Connection wal;  // leaves the file in WAL mode, as consoles do
    wal.Connect("sqlite:" + file);
  }
  fs::permissions(file, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  Connection connection;
  connection.Connect("sqlite:" + file);
  EXPECT_TRUE(connection.IsReadOnly());
  EXPECT_EQ(connection.Open("SELECT COUNT(*) FROM ART")->Field(0).toInteger(), 2);
  connection.Execute("CREATE TABLE #LAVORO (CODART VARCHAR(25))");
  EXPECT_EQ(connection.Execute("INSERT INTO #LAVORO SELECT CODART FROM ART"), 2) << "working tables are temporary";
  EXPECT_EQ(connection.Execute("INSERT INTO ART (CODART) SELECT CODART FROM ART WHERE CODART = 'A3'"), 0)
      << "adding what is missing when nothing is";
  EXPECT_THROW(connection.Execute("INSERT INTO ART (CODART) SELECT 'A3'"), DbError);
  EXPECT_THROW(connection.Execute("UPDATE ART SET CODART = 'X'"), DbError);
  EXPECT_NE(connection.Errors().at(0).description.find("sola lettura"), std::string::npos);
}

// What every transport does alike, on a file of its own.
class TransportTest : public ::testing::TestWithParam<std::string> {
 protected:
  std::string connectionFor(const char* name) const {
    return passaggio::testing::connectionFor(GetParam(), m_folder.file(name));
  }
  // A database file with one table of two rows.
  std::string makeDatabase(const char* name) {
    Connection connection;
    connection.Connect(connectionFor(name));
    connection.Execute("CREATE TABLE ART (ID INT IDENTITY(1,1) PRIMARY KEY, CODART VARCHAR(25) NOT NULL)");
    connection.Execute("INSERT INTO ART (CODART) VALUES ('A1'), ('A2')");
    return connectionFor(name);
  }

  passaggio::testing::ScratchFolder m_folder;
};

TEST_P(TransportTest, ClosedOrNeverOpenedConnectionFailsClearly) {
  Connection never;
  EXPECT_THROW(never.Execute("SELECT 1"), DbError);
  ASSERT_EQ(never.Errors().size(), 1u);
  EXPECT_NE(never.Errors()[0].description.find("non è aperta"), std::string::npos);

  Connection connection;
  connection.Connect(makeDatabase("closed.db"));
  auto rows = connection.Open("SELECT CODART FROM ART ORDER BY ID");
  connection.Close();
  EXPECT_THROW(connection.Open("SELECT 1"), DbError);
  EXPECT_EQ(rows->RecordCount(), 2u) << "record sets stay readable after close";
  EXPECT_THROW(rows->Requery(), DbError);
}

TEST_P(TransportTest, StatementErrorsFillTheCollectionAndClearOnSuccess) {
  Connection connection;
  connection.Connect(makeDatabase("errors.db"));
  try {
    connection.Execute("SELECT NOPE FROM ART");
    FAIL();
  } catch (const DbError& error) {
    EXPECT_EQ(error.sql(), "SELECT NOPE FROM ART");
    ASSERT_EQ(connection.Errors().size(), 1u);
    EXPECT_EQ(connection.Errors()[0].nativeError, 207);
    EXPECT_NE(connection.Errors()[0].description.find("NOPE"), std::string::npos);
  }
  EXPECT_THROW(connection.Execute("SELECT * FROM MANCANTE"), DbError);
  EXPECT_EQ(connection.Errors()[0].nativeError, 208);
  EXPECT_EQ(connection.Execute("UPDATE ART SET CODART = 'B1' WHERE ID = 1"), 1);
  EXPECT_TRUE(connection.Errors().empty());
}

TEST_P(TransportTest, CountsAndBatchesAsSqlServerReportsThem) {
  Connection connection;
  connection.Connect(connectionFor("memory.db"));
  EXPECT_EQ(connection.Execute("CREATE TABLE T (ID INT IDENTITY(1,1) PRIMARY KEY, V INT)"), -1);
  EXPECT_EQ(connection.Execute("INSERT INTO T (V) VALUES (1), (2), (3)"), 3);
  EXPECT_EQ(connection.Execute("UPDATE T SET V = 0 WHERE V > 1 UPDATE T SET V = 9 WHERE V = 1"), 3);
  const auto results = connection.Run("SELECT COUNT(*) AS N FROM T; DELETE FROM T WHERE V = 0 SELECT V FROM T");
  ASSERT_EQ(results.size(), 3u);
  EXPECT_EQ(results[0].rows->Field("N"), Variant(3));
  EXPECT_EQ(results[1].affected, 2);
  EXPECT_EQ(results[2].rows->Field("V"), Variant(9));
  // A result set keeps its own statement, not the batch: re-reading it runs only that query.
  EXPECT_EQ(results[2].rows->Source(), "SELECT V FROM T");
  results[2].rows->Requery();
  EXPECT_EQ(results[2].rows->Field("V"), Variant(9));
}

TEST_P(TransportTest, TheHostHearsOfEveryStatementRunOrFailed) {
  Connection connection;
  connection.Connect(connectionFor("memory.db"));
  std::vector<std::string> heard;
  // The listener sees the statement's outcome already settled: errors filled or cleared.
  connection.SetAfterStatement([&] { heard.push_back(connection.Errors().empty() ? "ok" : "failed"); });
  connection.Execute("CREATE TABLE T (V INT)");
  connection.Open("SELECT V FROM T");
  EXPECT_THROW(connection.Execute("SELECT NOPE FROM T"), DbError);
  connection.Run("INSERT INTO T (V) VALUES (1) SELECT V FROM T");
  EXPECT_EQ(heard, (std::vector<std::string>{"ok", "ok", "failed", "ok"}));
  connection.Close();
  EXPECT_THROW(connection.Execute("SELECT V FROM T"), DbError);
  EXPECT_EQ(heard.back(), "failed") << "also a statement on a closed connection";
}

TEST_P(TransportTest, InjectedFaultFailsExactlyTheNthStatement) {
  Connection connection;
  connection.Connect(connectionFor("memory.db"));
  connection.InjectFault(2, "guasto simulato");
  EXPECT_NO_THROW(connection.Execute("CREATE TABLE T (V INT)"));
  EXPECT_THROW(connection.Execute("INSERT INTO T (V) VALUES (1)"), DbError);
  EXPECT_EQ(connection.Errors()[0].description, "guasto simulato");
  EXPECT_EQ(connection.Execute("INSERT INTO T (V) VALUES (1)"), 1) << "the fault fires once";
}

TEST_F(ConnectionTest, WaitsForAnotherProcessHoldingTheWriteLockThenSaysSo) {
  const std::string file = makeDatabase("locked.db");
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    // Another program writing to the same file: a plain SQLite client inside a transaction.
    sqlite3* holder = nullptr;
    sqlite3_open(file.c_str(), &holder);
    sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    (void)!::write(ready[1], "x", 1);
    ::usleep(1500 * 1000);
    ::_exit(0);
  }
  char signal = 0;
  ASSERT_EQ(::read(ready[0], &signal, 1), 1);
  Connection connection;
  connection.Connect("sqlite:" + file + ";busy_timeout=300");
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(connection.Execute("UPDATE ART SET CODART = 'Y' WHERE ID = 2"), DbError);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(250)) << "a lock is waited for, not failed at once";
  EXPECT_NE(connection.Errors()[0].description.find("bloccato"), std::string::npos);
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(connection.Execute("UPDATE ART SET CODART = 'Y' WHERE ID = 2"), 1) << "free again once released";
  ::close(ready[0]);
  ::close(ready[1]);
}

INSTANTIATE_TEST_SUITE_P(Transports, TransportTest, ::testing::ValuesIn(passaggio::testing::kTransports));

}  // namespace
}  // namespace platform::db
