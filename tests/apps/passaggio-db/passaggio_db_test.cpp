// passaggio-db as a new user runs it: the built program in a subprocess, its standard output,
// standard error and exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/tsql/translator.h"
#include "sql/database_file.h"
#include "tests/support/program_run.h"
#include "tests/support/transports.h"

namespace {

namespace fs = std::filesystem;

using passaggio::testing::Outcome;

class PassaggioDb : public ::testing::Test {
 protected:
  std::string file(const char* name) const { return m_folder.file(name); }

  Outcome run(const std::vector<std::string>& arguments, const std::string& input = {}) const {
    return m_folder.run(PASSAGGIO_DB_BINARY, arguments, input);
  }

  passaggio::testing::ScratchFolder m_folder;
};

TEST_F(PassaggioDb, DemoDatabaseAnswersQueriesAsCsv) {
  Outcome demo = run({"demo", "demo.db"});
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_NE(demo.out.find("demo.db"), std::string::npos);

  // A batch on standard input, as a query tool sends it: a result per statement, in order.
  Outcome batch = run({"sql", "demo.db"},
                      "SELECT MG66_CODART , MG66_PESONETTO , MG66_NOTE FROM MG66_ANAGRART WITH (NOLOCK)\r\n"
                      "WHERE MG66_DITTA_CG18 = 2 AND MG66_CODART = 'vite-te-m6x20-zn'\r\n"
                      "UPDATE MG66_ANAGRART SET MG66_NOTE = 'Verificata, \"conforme\"' WHERE MG66_CODART = 'VITE-TE-M6X20-ZN'\n"
                      "UPDATE MG66_ANAGRART SET MG66_NOTE = NULL WHERE MG66_CODART = 'NESSUNO'\n"
                      "SELECT MG66_DITTA_CG18 , MG66_NOTE FROM MG66_ANAGRART WITH (NOLOCK)\n"
                      "WHERE MG66_CODART = 'VITE-TE-M6X20-ZN' ORDER BY MG66_DITTA_CG18\n");
  EXPECT_EQ(batch.status, 0) << batch.err;
  EXPECT_EQ(batch.err, "");
  EXPECT_EQ(batch.out,
            "MG66_CODART,MG66_PESONETTO,MG66_NOTE\r\nVITE-TE-M6X20-ZN,0.045,\r\n"
            "\n(2 righe interessate)\n"
            "\n(0 righe interessate)\n"
            "\nMG66_DITTA_CG18,MG66_NOTE\r\n1,\"Verificata, \"\"conforme\"\"\"\r\n2,\"Verificata, \"\"conforme\"\"\"\r\n");
}

TEST_F(PassaggioDb, AFailingStatementPrintsTheErrorCollectionAndChangesNothing) {
  ASSERT_EQ(run({"create", "empty.db"}).status, 0);
  Outcome missing = run({"sql", "empty.db", "-c",
                         "INSERT INTO MG6W_STATIART ( MG6W_INDSTATO , MG6W_DESCR ) VALUES ( 10 , 'Bozza' ) "
                         "SELECT * FROM TABELLA_INESISTENTE"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  for (const char* part : {"-2147217900", "nativo 208", "passaggio.db.sqlite", "TABELLA_INESISTENTE", "istruzione:"}) {
    EXPECT_NE(missing.err.find(part), std::string::npos) << part << " not in:\n" << missing.err;
  }

  Outcome syntax = run({"sql", "empty.db", "-c", "SELEC MG6W_INDSTATO FROM MG6W_STATIART"});
  EXPECT_EQ(syntax.status, 1);
  EXPECT_NE(syntax.err.find("passaggio.db.tsql"), std::string::npos) << syntax.err;

  Outcome count = run({"sql", "empty.db", "-c", "SELECT COUNT(*) AS N FROM MG66_ANAGRART"});
  EXPECT_EQ(count.out, "N\r\n0\r\n");
}

TEST_F(PassaggioDb, AnExistingFileIsReplacedOnlyWithForceAndOnlyWhenItIsARegularFile) {
  ASSERT_EQ(run({"create", "db.sqlite"}).status, 0);
  ASSERT_EQ(run({"sql", "db.sqlite", "-c", "INSERT INTO MG6W_STATIART ( MG6W_INDSTATO ) VALUES ( 99 )"}).status, 0);
  ASSERT_EQ(::mkfifo(file("coda").c_str(), 0644), 0);
  fs::create_directory(m_folder.path() / "cartella");
  const std::vector<std::vector<std::string>> refused = {
      {"create", "db.sqlite"}, {"demo", "db.sqlite"}, {"generate", "db.sqlite"},
      {"create", "coda", "--force"}, {"create", "cartella", "--force"}};
  for (const auto& arguments : refused) {
    const Outcome again = run(arguments);
    EXPECT_EQ(again.status, 1) << arguments[0] << " " << arguments[1];
    EXPECT_NE(again.err.find(arguments.size() == 2 ? "esiste già" : "non è un file regolare"),
              std::string::npos)
        << again.err;
  }
  const std::string count = "SELECT COUNT(*) AS N FROM MG6W_STATIART";
  EXPECT_EQ(run({"sql", "db.sqlite", "-c", count}).out, "N\r\n1\r\n");
  EXPECT_TRUE(fs::is_fifo(m_folder.path() / "coda"));
  EXPECT_TRUE(fs::is_directory(m_folder.path() / "cartella"));

  ASSERT_EQ(run({"demo", "db.sqlite", "--force"}).status, 0);
  EXPECT_EQ(run({"sql", "db.sqlite", "-c", count}).out, "N\r\n5\r\n");
}

TEST_F(PassaggioDb, GeneratesASmallDatabase) {
  Outcome generated = run({"generate", "gen.db", "--items", "500", "--bodies", "3", "--fields", "4", "--seed", "9"});
  ASSERT_EQ(generated.status, 0) << generated.err;
  EXPECT_NE(generated.out.find("505 articoli"), std::string::npos) << generated.out;
  EXPECT_EQ(run({"sql", "gen.db", "-c", "SELECT COUNT(*) AS N FROM MG0M_ARGOMENTI_PASSAGGI WITH (NOLOCK)"}).out,
            "N\r\n4\r\n");
}

TEST_F(PassaggioDb, WrongUsageExitsWithTwoAndExplains) {
  const std::vector<std::vector<std::string>> wrong = {
      {},
      {"frobnicate", "x.db"},
      {"create"},
      {"create", "--force"},
      {"demo", "x.db", "--forse"},
      {"generate", "x.db", "--items"},
      {"generate", "x.db", "--items", "molti"},
      {"generate", "x.db", "--items", "0"},
      {"generate", "x.db", "--fields", "500"},
      {"sql"},
      {"sql", "x.db", "-c"},
  };
  for (const auto& arguments : wrong) {
    const Outcome outcome = run(arguments);
    EXPECT_EQ(outcome.status, 2) << (arguments.empty() ? "" : arguments[0]);
    EXPECT_NE(outcome.err.find("uso: passaggio-db"), std::string::npos) << outcome.err;
    EXPECT_FALSE(fs::exists(m_folder.path() / "x.db"));
  }
  EXPECT_EQ(run({"create", "sqlite::memory:"}).status, 2) << "nothing to write the database to";
  for (const char* asked : {"help", "--help"}) {
    Outcome help = run({asked});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("uso: passaggio-db"), std::string::npos);
  }
}

TEST_F(PassaggioDb, TakesTheConnectionStringsItsUsersWrite) {
  ASSERT_EQ(run({"create", "sqlite:c.db;busy_timeout=10000"}).status, 0);
  EXPECT_TRUE(fs::is_regular_file(m_folder.path() / "c.db")) << "the file the string names";
  const std::string count = "SELECT COUNT(*) AS N FROM MG6W_STATIART";
  EXPECT_EQ(run({"sql", "sqlite:c.db;busy_timeout=10000;trace=t.jsonl", "-c", count}).out, "N\r\n0\r\n");
  EXPECT_NE(std::ifstream(m_folder.path() / "t.jsonl").peek(), EOF) << "the trace option is honoured";
  EXPECT_EQ(run({"sql", "sqlite::memory:", "-c", "SELECT 1 AS N"}).out, "N\r\n1\r\n");
  const Outcome missing = run({"sql", "sqlite:assente.db;busy_timeout=10", "-c", count});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("assente.db non esiste"), std::string::npos) << missing.err;
}

TEST_F(PassaggioDb, AFailedCreationLeavesTheOldFileAsItWas) {
  ASSERT_EQ(run({"demo", "db.sqlite"}).status, 0);
  const auto bytes = [&] {
    std::ifstream in(m_folder.path() / "db.sqlite", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  };
  const std::string before = bytes();
  const auto halfway = [](const fs::path& file) {
    sql::createSchemaDatabase(file, sql::Existing::Refuse);
    throw std::runtime_error("disco pieno");
  };
  EXPECT_THROW(sql::buildDatabaseFile(m_folder.path() / "db.sqlite", sql::Existing::Replace, halfway),
               std::runtime_error);
  EXPECT_EQ(bytes(), before);
  EXPECT_EQ(std::distance(fs::directory_iterator(m_folder.path()), {}), 4) << "no temporary file is left";
}

TEST_F(PassaggioDb, AnUnwritableTraceIsReportedAndFails) {
  ASSERT_EQ(run({"create", "db.sqlite"}).status, 0);
  const Outcome full = run({"sql", "db.sqlite", "--trace", "/dev/full", "-c", "SELECT 1 AS N SELECT 2 AS N"});
  EXPECT_EQ(full.status, 1);
  EXPECT_NE(full.out.find("N\r\n2\r\n"), std::string::npos) << "the batch itself ran";
  EXPECT_NE(full.err.find("traccia /dev/full non scrivibile: "), std::string::npos) << full.err;
  EXPECT_EQ(full.err.find("traccia"), full.err.rfind("traccia")) << "said once:\n" << full.err;
}

TEST_F(PassaggioDb, ControlCharactersInErrorsAreEscaped) {
  ASSERT_EQ(run({"create", "db.sqlite"}).status, 0);
  const Outcome error = run({"sql", "db.sqlite", "-c", "SELECT * FROM [T\x1b]0;titolo\x07]"});
  EXPECT_EQ(error.status, 1);
  EXPECT_EQ(error.err.find('\x1b'), std::string::npos) << error.err;
  EXPECT_EQ(error.err.find('\x07'), std::string::npos) << error.err;
  EXPECT_NE(error.err.find("T\\x1B]0;titolo\\x07"), std::string::npos) << error.err;
}

}  // namespace

// Over ODBC in the T-SQL dialect a batch reaches the driver as composed: the driver
// manager's own trace (enabled in a configuration of this run only) shows the text byte for
// byte, and the statement trace records it as sent.
TEST(PassaggioDbOverOdbc, TsqlIsSentToTheDriverExactlyAsComposed) {
  // The driver manager keeps only the first 63 characters of its trace file's name.
  const passaggio::testing::ScratchFolder folder("dm");
  const std::string driverTrace = folder.file("dm.log");
  {
    std::ifstream registered(passaggio::testing::odbcConfigFolder() + "/odbcinst.ini");
    std::ofstream(folder.file("odbcinst.ini")) << "[ODBC]\nTrace=Yes\nTraceFile=" << driverTrace << "\n\n"
                                               << registered.rdbuf();
  }
  const std::string previous = std::getenv("ODBCSYSINI");
  ::setenv("ODBCSYSINI", folder.path().c_str(), 1);
  const std::string database = "odbc:Driver=PassaggioSQLite;Database=" + folder.file("art.db");
  const std::string composed = "SELECT [CODART] AS [Codice],\r\n  'caffè' AS [Nota]\r\nFROM [ART]\r\nWHERE [ID] = 2";
  const Outcome created = folder.run(PASSAGGIO_DB_BINARY,
                                     {"sql", database, "-c",
                                      "CREATE TABLE [ART] ([ID] INTEGER PRIMARY KEY, [CODART] VARCHAR(25));\r\n"});
  ASSERT_EQ(created.status, 0) << created.err;
  ASSERT_EQ(folder.run(PASSAGGIO_DB_BINARY, {"sql", database, "-c", "INSERT INTO [ART] ([CODART]) VALUES ('A1'), ('A2')"}).out,
            "(2 righe interessate)\n");
  const Outcome selected =
      folder.run(PASSAGGIO_DB_BINARY, {"sql", database + ";trace=" + folder.file("trace.jsonl"), "-c", composed});
  ::setenv("ODBCSYSINI", previous.c_str(), 1);
  EXPECT_EQ(selected.out, "Codice,Nota\r\nA2,caffè\r\n") << selected.err;
  std::stringstream sent;
  sent << std::ifstream(driverTrace).rdbuf();
  EXPECT_NE(sent.str().find("SQL = [" + composed + "]"), std::string::npos) << sent.str();
  std::stringstream traced;
  traced << std::ifstream(folder.file("trace.jsonl")).rdbuf();
  EXPECT_NE(traced.str().find("\"sql\":\"SELECT [CODART] AS [Codice],\\r\\n"), std::string::npos) << traced.str();
}

// The script a DBA runs on a server: batches our T-SQL parser accepts end to end, which,
// run in order, build the same demo database as the demo command.
TEST_F(PassaggioDb, TheServerScriptIsTsqlThatBuildsTheDemo) {
  const Outcome script = run({"script", "--dialect", "tsql", "demo"});
  ASSERT_EQ(script.status, 0) << script.err;
  platform::db::Connection connection;
  connection.Connect("sqlite:" + file("script.db") + ";create=1");
  std::size_t batches = 0;
  for (std::size_t start = 0, end = 0; start < script.out.size(); start = end + 4, ++batches) {
    end = script.out.find("\nGO\n", start);
    ASSERT_NE(end, std::string::npos) << "every batch ends with GO";
    const std::string batch = script.out.substr(start, end - start);
    EXPECT_NO_THROW(platform::db::tsql::parseBatch(batch)) << batch.substr(0, 200);
    connection.Execute(batch);
  }
  EXPECT_GT(batches, 6u);
  ASSERT_EQ(run({"demo", "demo.db"}).status, 0);
  const std::string counts =
      "SELECT COUNT(*) AS N FROM MG66_ANAGRART SELECT COUNT(*) AS N FROM MG0O_CAMPI_PASSAGGI "
      "SELECT MAX(MG0M_ID) AS N FROM MG0M_ARGOMENTI_PASSAGGI";
  EXPECT_EQ(run({"sql", "script.db", "-c", counts}).out, run({"sql", "demo.db", "-c", counts}).out);

  EXPECT_EQ(run({"script", "--dialect", "tsql", "log"}).out.rfind("CREATE TRIGGER", 0), 0u);
  EXPECT_EQ(run({"script", "--dialect", "sqlite", "create"}).status, 2);
}
