// passaggio-batch detail and signoff as a script runs them: the built program in a subprocess
// on a demo database, what it prints, its exit status and the sign-offs it stores.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"
#include "tests/support/csv.h"
#include "tests/support/program_run.h"

namespace {

using passaggio::testing::column;
using passaggio::testing::CsvRecord;
using passaggio::testing::Outcome;
using passaggio::testing::readCsv;

class DetailCommands : public ::testing::Test {
 protected:
  DetailCommands() { sql::createDemoDatabase(m_folder.path() / "demo.db", sql::Existing::Replace); }

  Outcome run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"--db", "demo.db"});
    return m_folder.run(PASSAGGIO_BATCH_BINARY, arguments);
  }

  std::string storedSignOff(const std::string& item, const std::string& field) const {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(m_folder.path() / "demo.db"));
    auto rows = connection.Open(
        "SELECT MG0R_VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI INNER JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = "
        "MG0R_CAMPO_MG0O WHERE MG0R_DITTA_CG18 = 1 AND MG0R_CODART_MG66 = '" + item + "' AND MG0O_CAMPO = '" + field +
        "'");
    // A flag stored NULL counts as 0 (a save writes it back as 0).
    return rows->Eof() ? "none" : rows->Field(0).isNull() ? "0" : rows->Field(0).toText();
  }

  passaggio::testing::ScratchFolder m_folder;
};

TEST_F(DetailCommands, DetailPrintsTheItemFieldWorkingTableOfTheChosenItem) {
  const Outcome detail = run({"--user", "MROSSI", "detail", "DADO-M8-A2"});
  ASSERT_EQ(detail.status, 0) << detail.err;
  EXPECT_EQ(detail.err, "");
  const auto rows = readCsv(detail.out);
  ASSERT_EQ(rows.size(), 6u) << detail.out;
  EXPECT_EQ(detail.out.substr(0, detail.out.find("\r\n")),
            "MG0P_ID,MG0M_ARGOMENTO,MG0M_DESCARGOMENTO,MG0O_CAPTIONCAMPO,MG0P_VALORE_OBBLIGATORIO,MG0P_INDVALZERO,"
            "VALORE_CAMPO,MG0P_VALIDAZ_MANUALE,VISTO,MG0O_CAMPO,MG0N_TABLE,MG0N_JOIN_SQL,MG0N_ISTABLE,"
            "MG0M_TIPO_RESPONSABILE,MG0M_UTENTE_FW07,MG0M_GRUPPO_FW06,MG0M_ID,MG0O_ID,METTI_VISTO");
  EXPECT_EQ(column(rows[0], rows[1], "MG0M_ARGOMENTO"), "QUALITA");
  EXPECT_EQ(column(rows[0], rows[2], "MG0M_ARGOMENTO"), "") << "the body's code on its first row only";
  EXPECT_EQ(column(rows[0], rows[4], "MG0O_CAMPO"), "DOC_SCHEDATECNICA");
  EXPECT_EQ(column(rows[0], rows[4], "VISTO"), "0");
  EXPECT_EQ(column(rows[0], rows[4], "METTI_VISTO"), "1");

  // The same detail for a user who is not responsible: nothing may be ticked.
  const Outcome other = run({"detail", "DADO-M8-A2"});
  ASSERT_EQ(other.status, 0) << other.err;
  const auto otherRows = readCsv(other.out);
  for (std::size_t i = 1; i < otherRows.size(); ++i) EXPECT_EQ(column(rows[0], otherRows[i], "METTI_VISTO"), "0");

  const Outcome missing = run({"detail", "NESSUNO"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("NESSUNO"), std::string::npos) << missing.err;
  EXPECT_EQ(run({"detail"}).status, 2);
}

TEST_F(DetailCommands, SignoffByTheResponsibleUserTurnsTheFailingBodyIntoAPass) {
  const Outcome before = run({"--user", "MROSSI", "run", "--item", "DADO-M8-A2"});
  ASSERT_EQ(before.status, 0) << before.err;
  const auto grid = readCsv(before.out);
  ASSERT_EQ(grid.size(), 2u);
  ASSERT_EQ(column(grid[0], grid[1], "QUALITA"), "0");
  ASSERT_NE(storedSignOff("DADO-M8-A2", "DOC_SCHEDATECNICA"), "1");

  const Outcome signedOff = run({"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"});
  ASSERT_EQ(signedOff.status, 0) << signedOff.err;
  EXPECT_EQ(signedOff.err, "");
  const auto row = readCsv(signedOff.out);
  ASSERT_EQ(row.size(), 2u) << signedOff.out;
  EXPECT_EQ(row[0], grid[0]) << "the columns of run";
  EXPECT_EQ(column(row[0], row[1], "CODART"), "DADO-M8-A2");
  EXPECT_EQ(column(row[0], row[1], "QUALITA"), "1");
  EXPECT_EQ(column(row[0], row[1], "NEW_STATO"), "20");
  EXPECT_EQ(storedSignOff("DADO-M8-A2", "DOC_SCHEDATECNICA"), "1");
  const Outcome after = run({"--user", "MROSSI", "run", "--item", "DADO-M8-A2"});
  const auto again = readCsv(after.out);
  ASSERT_EQ(again.size(), 2u);
  EXPECT_EQ(CsvRecord(again[1].begin() + 1, again[1].end()), CsvRecord(row[1].begin() + 1, row[1].end()))
      << "a new run agrees";

  // A user who may not tick changes nothing; a malformed pair is refused.
  EXPECT_EQ(run({"signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"}).status, 1);
  EXPECT_EQ(storedSignOff("DADO-M8-A2", "DOC_SCHEDATECNICA"), "1");
  EXPECT_EQ(run({"signoff", "DADO-M8-A2"}).status, 2);
  EXPECT_EQ(run({"signoff", "DADO-M8-A2", "QUALITA"}).status, 2);

  // Double-clicking the signed-off field again unticks it: the body fails again.
  const Outcome withdrawn = run({"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"});
  ASSERT_EQ(withdrawn.status, 0) << withdrawn.err;
  EXPECT_EQ(column(row[0], readCsv(withdrawn.out)[1], "QUALITA"), "0");
  EXPECT_EQ(storedSignOff("DADO-M8-A2", "DOC_SCHEDATECNICA"), "0");
}

}  // namespace
