// passaggio-batch as a script calls it: the built program in a subprocess on a demo database,
// what it prints, its exit status and what it leaves in the database.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
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

class BatchCommands : public ::testing::Test {
 protected:
  BatchCommands() { sql::createDemoDatabase(m_folder.path() / "demo.db", sql::Existing::Replace); }

  Outcome run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"--db", "demo.db"});
    return m_folder.run(PASSAGGIO_BATCH_BINARY, arguments);
  }

  std::string scalar(const std::string& sql) const {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(m_folder.path() / "demo.db"));
    auto rows = connection.Open(sql);
    return rows->Eof() ? "none" : rows->Field(0).isNull() ? "0" : rows->Field(0).toText();
  }

  passaggio::testing::ScratchFolder m_folder;
};

TEST_F(BatchCommands, RunPrintsTheGridsRowsInItsOrderAndAStopOnlyItsMessage) {
  const Outcome all = run({"run"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.err, "");
  const auto rows = readCsv(all.out);
  ASSERT_GT(rows.size(), 10u);
  std::string previous;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string code = passaggio::testing::text(column(rows[0], rows[i], "CODART"));
    EXPECT_LT(previous, code);
    previous = code;
  }

  const Outcome shown = run({"run", "--item", "VITE-TCEI-M4X10-ZN", "--display"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const auto texts = readCsv(shown.out);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_NE(std::find(texts[0].begin(), texts[0].end(), "Controllo qualità"), texts[0].end())
      << "body columns show descriptions";

  const Outcome stopped = run({"run", "--item", "NESSUNO"});
  EXPECT_EQ(stopped.status, 0);
  EXPECT_EQ(stopped.out, "");
  EXPECT_NE(stopped.err.find("Nessun dato da visualizzare."), std::string::npos) << stopped.err;
}

TEST_F(BatchCommands, ApplyWithoutYesChangesNothingAndWithYesPrintsTheLogThenTheNewGrid) {
  const Outcome before = run({"run"});
  const Outcome refused = run({"apply"});
  ASSERT_EQ(refused.status, 0) << refused.err;
  const std::size_t refusedBlank = refused.out.find("\r\n\r\n");
  ASSERT_NE(refusedBlank, std::string::npos);
  EXPECT_EQ(readCsv(refused.out.substr(0, refusedBlank + 2)).size(), 1u) << "no change recorded";
  EXPECT_EQ(refused.out.substr(refusedBlank + 4), before.out);

  const Outcome applied = run({"--yes", "apply"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  const std::size_t blank = applied.out.find("\r\n\r\n");
  ASSERT_NE(blank, std::string::npos);
  const auto grid = readCsv(before.out);
  const auto permitted = std::count_if(grid.begin() + 1, grid.end(), [&](const CsvRecord& row) {
    return column(grid[0], row, "PERMESSO_AGGSTATO") == "1";
  });
  EXPECT_EQ(static_cast<std::ptrdiff_t>(readCsv(applied.out.substr(0, blank + 2)).size()) - 1, permitted)
      << "one record per moved item";
  EXPECT_NE(applied.out.find(",1,VITE-TCEI-M4X10-ZN,10,20,"), std::string::npos) << "company, item, states";
  EXPECT_EQ(run({"run"}).out, applied.out.substr(blank + 4)) << "the new run shows the new states";
}

TEST_F(BatchCommands, SignoffByTheResponsibleUserTurnsTheFailingBodyIntoAPassAndBack) {
  const std::string stored =
      "SELECT MG0R_VALIDATO FROM MG0R_VALIDAZMAN_PASSAGGI INNER JOIN MG0O_CAMPI_PASSAGGI ON MG0O_ID = MG0R_CAMPO_MG0O "
      "WHERE MG0R_CODART_MG66 = 'DADO-M8-A2' AND MG0O_CAMPO = 'DOC_SCHEDATECNICA'";
  const Outcome detail = run({"--user", "MROSSI", "detail", "DADO-M8-A2"});
  ASSERT_EQ(detail.status, 0) << detail.err;
  const auto fields = readCsv(detail.out);
  ASSERT_EQ(fields.size(), 6u) << detail.out;
  EXPECT_EQ(column(fields[0], fields[2], "MG0M_ARGOMENTO"), "") << "the body's code on its first row only";
  EXPECT_EQ(column(fields[0], fields[4], "METTI_VISTO"), "1");
  ASSERT_NE(scalar(stored), "1");

  const Outcome signedOff = run({"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"});
  ASSERT_EQ(signedOff.status, 0) << signedOff.err;
  const auto row = readCsv(signedOff.out);
  ASSERT_EQ(row.size(), 2u) << signedOff.out;
  EXPECT_EQ(column(row[0], row[1], "QUALITA"), "1");
  EXPECT_EQ(column(row[0], row[1], "NEW_STATO"), "20");
  EXPECT_EQ(scalar(stored), "1");

  // A user who may not tick is told why and changes nothing; a malformed pair is a usage
  // error; a second double-click by the responsible unticks.
  const Outcome notResponsible = run({"signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"});
  EXPECT_EQ(notResponsible.status, 1);
  EXPECT_NE(notResponsible.err.find("QUALITA:DOC_SCHEDATECNICA"), std::string::npos) << notResponsible.err;
  EXPECT_EQ(scalar(stored), "1");
  EXPECT_EQ(run({"signoff", "DADO-M8-A2", "QUALITA"}).status, 2);
  const Outcome withdrawn = run({"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"});
  EXPECT_EQ(column(row[0], readCsv(withdrawn.out)[1], "QUALITA"), "0");
  EXPECT_EQ(scalar(stored), "0");
}

TEST_F(BatchCommands, EntitiesTickThroughTheGridAndARefusalSavesNothing) {
  const auto selected = [&](const std::string& code) {
    return scalar("SELECT MG0L_ENTITA_SEL FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA = '" +
                  code + "'");
  };
  const Outcome refused = run({"entities", "GRUPPO=1", "FAMIGLIA=0"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("message: Impossibile cancellare l'entità perchè"), std::string::npos) << refused.err;
  EXPECT_EQ(selected("GRUPPO"), "0") << "the change before the refusal is not saved either";

  const Outcome saved = run({"entities", "GRUPPO=1", "AZIENDA=0"});
  ASSERT_EQ(saved.status, 0) << saved.err;
  EXPECT_NE(saved.out.substr(saved.out.find("\r\n\r\n")).find("GRUPPO,Gruppo,1\r\n"), std::string::npos);
  EXPECT_EQ(selected("GRUPPO"), "1");
  EXPECT_EQ(selected("AZIENDA"), "0");
}

}  // namespace
