// passaggio-batch run and apply as a script calls them: the built program in a subprocess on
// a demo database, its standard output, standard error and exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sql/database_file.h"
#include "sql/demo_data.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> records(const std::string& csv) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at = csv.find("\r\n"); at != std::string::npos; at = csv.find("\r\n", from)) {
    lines.push_back(csv.substr(from, at - from));
    from = at + 2;
  }
  return lines;
}

class BatchCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("passaggio_batch_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    m_db = (m_dir / "demo.db").string();
    sql::createDemoDatabase(m_db, sql::Existing::Replace);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  Outcome run(const std::vector<std::string>& arguments) const {
    std::string command = "cd " + shellQuoted(m_dir.string()) + " && " + shellQuoted(PASSAGGIO_BATCH_BINARY) +
                          " --db " + shellQuoted(m_db);
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " > stdout.txt 2> stderr.txt";
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = contents(m_dir / "stdout.txt");
    outcome.err = contents(m_dir / "stderr.txt");
    return outcome;
  }

  fs::path m_dir;
  std::string m_db;
};

constexpr const char* kHeader =
    "ID,CODART,DESCART,INDSTATO_MG6W,TIPOPROD_PD20,CODFAM_MG53,CODSFAM_MG54,GRUPPO_MG55,SGRUPPO_MG56,MARCA_MG64,"
    "GRUPFISC_MG61,GRUSTAT1_MG74,GRUSTAT2_MG75,GRUSTAT3_MG76,GRUSTAT4_MG77,QUALITA,ACQUISTI,LOGISTICA,PRODUZIONE,"
    "AMMINISTRAZ,RIATTIVAZ,NEW_STATO,PERMESSO_AGGSTATO";

TEST_F(BatchCommands, RunPrintsTheGridsRowsInItsOrder) {
  const Outcome all = run({"run"});
  ASSERT_EQ(all.status, 0) << all.err;
  EXPECT_EQ(all.err, "");
  const auto rows = records(all.out);
  ASSERT_GT(rows.size(), 10u);
  EXPECT_EQ(rows[0], kHeader);
  std::string previous;
  for (std::size_t i = 1; i < rows.size(); ++i) {
    const std::string code = rows[i].substr(rows[i].find(',') + 1, rows[i].find(',', rows[i].find(',') + 1) - rows[i].find(',') - 1);
    EXPECT_LT(previous, code);
    previous = code;
  }
  EXPECT_NE(all.out.find(",VITE-TCEI-M4X10-ZN,Vite TCEI M4x10 zincata,10,"), std::string::npos);

  const Outcome one = run({"run", "--item", "VITE-TCEI-M4X10-ZN"});
  ASSERT_EQ(one.status, 0) << one.err;
  const auto single = records(one.out);
  ASSERT_EQ(single.size(), 2u);
  EXPECT_NE(single[1].find(",VITE-TCEI-M4X10-ZN,"), std::string::npos);
  EXPECT_EQ(single[1].substr(single[1].size() - 17), ",1,1,2,2,2,2,20,1");

  const Outcome shown = run({"run", "--item", "VITE-TCEI-M4X10-ZN", "--display"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  const auto texts = records(shown.out);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].rfind("Codice articolo,Descrizione articolo,Stato attuale,", 0), 0u);
  EXPECT_NE(texts[0].find(",Controllo qualità,"), std::string::npos) << "body columns show descriptions";
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
  const auto refusedRecords = records(refused.out);
  ASSERT_GE(refusedRecords.size(), 3u);
  EXPECT_EQ(refusedRecords[0].rfind("FW10_ID,FW10_DITTA_CG18,FW10_CODART_MG66,", 0), 0u);
  EXPECT_EQ(refusedRecords[1], "") << "no change recorded";
  EXPECT_EQ(refused.out.substr(refused.out.find("\r\n\r\n") + 4), before.out);

  const Outcome applied = run({"--yes", "apply"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  const std::size_t blank = applied.out.find("\r\n\r\n");
  ASSERT_NE(blank, std::string::npos);
  const auto log = records(applied.out.substr(0, blank + 2));
  const int permitted = [&] {
    int count = 0;
    for (const std::string& row : records(before.out)) count += row.size() > 2 && row.substr(row.size() - 2) == ",1";
    return count;
  }();
  EXPECT_EQ(static_cast<int>(log.size()) - 1, permitted) << "one record per moved item";
  EXPECT_NE(applied.out.find(",1,VITE-TCEI-M4X10-ZN,10,20,"), std::string::npos) << "company, item, states";
  const std::string grid = applied.out.substr(blank + 4);
  EXPECT_EQ(grid.rfind(kHeader, 0), 0u);
  EXPECT_NE(grid, before.out) << "the new run shows the new states";
  EXPECT_EQ(run({"run"}).out, grid);
}

}  // namespace
