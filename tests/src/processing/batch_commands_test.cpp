// passaggio-batch run and apply as a script calls them: the built program in a subprocess on
// a demo database, its standard output, standard error and exit status.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

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

  passaggio::testing::ScratchFolder m_folder;
};

// The first line of a CSV output: its header as printed.
std::string headerOf(const std::string& csv) { return csv.substr(0, csv.find("\r\n")); }

constexpr const char* kHeader =
    "ID,CODART,DESCART,INDSTATO_MG6W,TIPOPROD_PD20,CODFAM_MG53,CODSFAM_MG54,GRUPPO_MG55,SGRUPPO_MG56,MARCA_MG64,"
    "GRUPFISC_MG61,GRUSTAT1_MG74,GRUSTAT2_MG75,GRUSTAT3_MG76,GRUSTAT4_MG77,QUALITA,ACQUISTI,LOGISTICA,PRODUZIONE,"
    "AMMINISTRAZ,RIATTIVAZ,NEW_STATO,PERMESSO_AGGSTATO";

TEST_F(BatchCommands, RunPrintsTheGridsRowsInItsOrder) {
  const Outcome all = run({"run"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.err, "");
  const auto rows = readCsv(all.out);
  ASSERT_GT(rows.size(), 10u);
  EXPECT_EQ(headerOf(all.out), kHeader);
  std::string previous;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string code = passaggio::testing::text(column(rows[0], rows[i], "CODART"));
    EXPECT_LT(previous, code);
    previous = code;
  }
  EXPECT_NE(all.out.find(",VITE-TCEI-M4X10-ZN,Vite TCEI M4x10 zincata,10,"), std::string::npos);

  const Outcome one = run({"run", "--item", "VITE-TCEI-M4X10-ZN"});
  ASSERT_EQ(one.status, 0) << one.err;
  const auto single = readCsv(one.out);
  ASSERT_EQ(single.size(), 2u);
  EXPECT_EQ(column(single[0], single[1], "CODART"), "VITE-TCEI-M4X10-ZN");
  EXPECT_EQ(CsvRecord(single[1].end() - 8, single[1].end()), (CsvRecord{"1", "1", "2", "2", "2", "2", "20", "1"}));

  const Outcome shown = run({"run", "--item", "VITE-TCEI-M4X10-ZN", "--display"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const auto texts = readCsv(shown.out);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(headerOf(shown.out).rfind("Codice articolo,Descrizione articolo,Stato attuale,", 0), 0u);
  EXPECT_NE(std::find(texts[0].begin(), texts[0].end(), "Controllo qualità"), texts[0].end())
      << "body columns show descriptions";
}

TEST_F(BatchCommands, ARunThatStopsPrintsItsMessageOnlyOnStandardError) {
  const Outcome outcome = run({"run", "--item", "NESSUNO"});
  EXPECT_EQ(outcome.status, 0);
  EXPECT_EQ(outcome.out, "");
  EXPECT_NE(outcome.err.find("Nessun dato da visualizzare."), std::string::npos) << outcome.err;
  EXPECT_EQ(run({"run", "--bogus"}).status, 2);
}

TEST_F(BatchCommands, ApplyWithoutYesChangesNothingAndWithYesPrintsTheLogThenTheNewGrid) {
  const Outcome before = run({"run"});
  const Outcome refused = run({"apply"});
  ASSERT_EQ(refused.status, 0) << refused.err;
  EXPECT_EQ(headerOf(refused.out).rfind("FW10_ID,FW10_DITTA_CG18,FW10_CODART_MG66,", 0), 0u);
  const std::size_t refusedBlank = refused.out.find("\r\n\r\n");
  ASSERT_NE(refusedBlank, std::string::npos);
  EXPECT_EQ(readCsv(refused.out.substr(0, refusedBlank + 2)).size(), 1u) << "no change recorded";
  EXPECT_EQ(refused.out.substr(refusedBlank + 4), before.out);

  const Outcome applied = run({"--yes", "apply"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  const std::size_t blank = applied.out.find("\r\n\r\n");
  ASSERT_NE(blank, std::string::npos);
  const auto log = readCsv(applied.out.substr(0, blank + 2));
  const auto grid = readCsv(before.out);
  const auto permitted = std::count_if(grid.begin() + 1, grid.end(), [&](const CsvRecord& row) {
    return column(grid[0], row, "PERMESSO_AGGSTATO") == "1";
  });
  EXPECT_EQ(static_cast<std::ptrdiff_t>(log.size()) - 1, permitted) << "one record per moved item";
  EXPECT_NE(applied.out.find(",1,VITE-TCEI-M4X10-ZN,,20,"), std::string::npos) << "company, item, states";
  const std::string newGrid = applied.out.substr(blank + 4);
  EXPECT_EQ(headerOf(newGrid), kHeader);
  EXPECT_NE(newGrid, before.out) << "the new run shows the new states";
  EXPECT_EQ(run({"run"}).out, newGrid);
}

}  // namespace
