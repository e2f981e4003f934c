// The console over ODBC gives what it gives over the C API: each command on two copies of
// one demo file, one reached through the SQLite ODBC driver, with equal output (the time and
// session a change-log row carries aside).
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "sql/database_file.h"
#include "tests/support/program_run.h"
#include "tests/support/transports.h"

namespace {

using passaggio::testing::Outcome;

class OverOdbc : public ::testing::Test {
 protected:
  // The command on a fresh copy of the demo file over each transport: both outcomes.
  std::pair<Outcome, Outcome> onBoth(const std::vector<std::string>& command, const std::string& prepare = {}) {
    std::vector<Outcome> outcomes;
    for (const std::string& transport : passaggio::testing::kTransports) {
      const std::string file = m_folder.file(transport + ".db");
      std::filesystem::remove(file);
      std::filesystem::copy_file(m_folder.file("demo.db"), file);
      if (!prepare.empty()) m_folder.run(PASSAGGIO_DB_BINARY, {"sql", file, "-c", prepare});
      std::vector<std::string> arguments = {"--db", passaggio::testing::connectionFor(transport, file)};
      arguments.insert(arguments.end(), command.begin(), command.end());
      outcomes.push_back(m_folder.run(PASSAGGIO_BATCH_BINARY, arguments));
    }
    return {outcomes[0], outcomes[1]};
  }

  static std::string withoutTimeAndSession(const std::string& text) {
    static const std::regex varying(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3}|P\d+_\d+_[0-9A-F]+)");
    return std::regex_replace(text, varying, "*");
  }

  passaggio::testing::ScratchFolder m_folder;
  const bool m_made = (sql::createDemoDatabase(m_folder.path() / "demo.db", sql::Existing::Replace), true);
};

TEST_F(OverOdbc, EveryCommandGivesWhatTheCApiGives) {
  const std::vector<std::vector<std::string>> commands = {
      {"run"},
      {"detail", "DADO-M8-A2"},
      {"--user", "MROSSI", "signoff", "DADO-M8-A2", "QUALITA:DOC_SCHEDATECNICA"},
      {"--yes", "apply"},
  };
  for (const auto& command : commands) {
    SCOPED_TRACE(command.back());
    const auto [capi, odbc] = onBoth(command);
    EXPECT_EQ(capi.status, 0) << capi.err;
    EXPECT_GT(capi.out.size(), 50u);
    EXPECT_EQ(withoutTimeAndSession(odbc.out), withoutTimeAndSession(capi.out));
    EXPECT_EQ(odbc.err, capi.err);
    EXPECT_EQ(odbc.status, capi.status);
  }
}

TEST_F(OverOdbc, TheErrorDisplayShowsTheSameFailure) {
  const auto [capi, odbc] = onBoth({"--yes", "apply"}, "DROP TABLE MG6W_STATIART");
  EXPECT_EQ(capi.status, 1);
  EXPECT_NE(capi.err.find("MG6W_STATIART"), std::string::npos) << capi.err;
  EXPECT_EQ(odbc.err, capi.err);
  EXPECT_EQ(odbc.status, capi.status);
}

TEST_F(OverOdbc, ARefusedConnectionSaysWhyAndNeverShowsThePassword) {
  const Outcome outcome = m_folder.run(
      PASSAGGIO_BATCH_BINARY, {"--db", "odbc:DSN=nessuna;UID=sa;PWD=Segreto-123;trace=t.jsonl", "whoami"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("Origine dati ODBC non trovata"), std::string::npos) << outcome.err;
  EXPECT_EQ((outcome.out + outcome.err).find("Segreto-123"), std::string::npos) << outcome.err;
}

}  // namespace
