// passaggio-batch applying new states from several processes on one file, or killed on the
// way: afterwards every item whose state changed has exactly one new log row with its true
// state before, and no row tells of a change that did not happen.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"
#include "tests/support/program_run.h"

namespace {

namespace fs = std::filesystem;

std::string trimmed(const std::string& text) { return text.substr(0, text.find_last_not_of(' ') + 1); }
std::string text(const platform::Variant& value) { return value.isNull() ? "NULL" : value.toText(); }

class ApplyProcesses : public ::testing::Test {
 protected:
  ApplyProcesses() { sql::createDemoDatabase(m_demo, sql::Existing::Replace); }

  //! A fresh copy of the demo database with its item states and last log row noted.
  fs::path freshCopy(const std::string& name) {
    const fs::path file = m_dir / name;
    fs::copy_file(m_demo, file, fs::copy_options::overwrite_existing);
    m_states = states(file);
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(file));
    m_lastLog = connection.Open("SELECT ISNULL(MAX(FW10_ID),0) FROM FW10_LOGSTATI")->Field(0).toInteger();
    return file;
  }

  //! Starts `apply --yes` on `file` with the given environment entries; its output goes to files.
  pid_t start(const fs::path& file, const std::vector<std::string>& environment, const std::string& tag) const {
    const pid_t child = ::fork();
    if (child == 0) {
      for (const std::string& entry : environment) ::putenv(const_cast<char*>(entry.c_str()));
      const std::string out = (m_dir / (tag + ".out")).string();
      if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen((out + ".err").c_str(), "w", stderr)) ::_exit(127);
      ::execl(PASSAGGIO_BATCH_BINARY, PASSAGGIO_BATCH_BINARY, "--db", file.c_str(), "--yes", "apply",
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    return child;
  }

  static int finish(pid_t child) {
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  static std::map<std::string, std::string> states(const fs::path& file) {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(file));
    std::map<std::string, std::string> result;
    for (auto rows = connection.Open("SELECT MG66_DITTA_CG18, MG66_CODART, MG66_INDSTATO_MG6W FROM MG66_ANAGRART");
         !rows->Eof(); rows->MoveNext()) {
      result[rows->Field(0).toText() + "/" + trimmed(rows->Field(1).toText())] = text(rows->Field(2));
    }
    return result;
  }

  //! The item master against the new log rows: each item's rows, in order, lead from its
  //! state before to its state now, one real change each. Returns the number of rows.
  std::size_t expectLogMatchesChanges(const fs::path& file) {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(file));
    std::map<std::string, std::string> reached = m_states;
    std::size_t rows = 0;
    for (auto log = connection.Open("SELECT FW10_DITTA_CG18, FW10_CODART_MG66, FW10_STATOPREC, FW10_STATONUOVO "
                                    "FROM FW10_LOGSTATI WHERE FW10_ID > " + std::to_string(m_lastLog) +
                                    " ORDER BY FW10_ID");
         !log->Eof(); log->MoveNext(), ++rows) {
      const std::string key = log->Field(0).toText() + "/" + trimmed(log->Field(1).toText());
      EXPECT_EQ(text(log->Field(2)), reached.at(key)) << key;
      EXPECT_NE(text(log->Field(2)), text(log->Field(3))) << key;
      reached[key] = text(log->Field(3));
    }
    EXPECT_EQ(reached, states(file));
    return rows;
  }

  static std::string contents(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  passaggio::testing::ScratchFolder m_folder;
  const fs::path& m_dir = m_folder.path();
  const fs::path m_demo = m_dir / "demo.db";
  std::map<std::string, std::string> m_states;
  long long m_lastLog = 0;
};

TEST_F(ApplyProcesses, TwoAppliesStartedTogetherWriteEachChangeOnce) {
  const fs::path file = freshCopy("shared.db");
  const pid_t first = start(file, {}, "first");
  const pid_t second = start(file, {}, "second");
  EXPECT_EQ(finish(first), 0) << contents(m_dir / "first.out.err");
  EXPECT_EQ(finish(second), 0) << contents(m_dir / "second.out.err");
  const std::size_t changed = expectLogMatchesChanges(file);
  EXPECT_GT(changed, 0u);
  // Each prints only the rows it wrote: together, each row once.
  std::size_t printed = 0;
  for (const char* tag : {"first.out", "second.out"}) {
    const std::string out = contents(m_dir / tag);
    const std::string log = out.substr(0, out.find("\r\n\r\n"));
    for (std::size_t at = log.find("\r\n"); at != std::string::npos; at = log.find("\r\n", at + 2)) ++printed;
  }
  EXPECT_EQ(printed, changed);
}

TEST_F(ApplyProcesses, AKillAtAnyStatementLeavesTheItemMasterAndTheLogInAgreement) {
  // Which statements of the console's connection the apply runs, from a traced apply.
  const fs::path traced = freshCopy("traced.db");
  const fs::path trace = m_dir / "trace.jsonl";
  ASSERT_EQ(finish(start(traced, {"PASSAGGIO_SQL_TRACE=" + trace.string()}, "traced")), 0);
  std::map<long long, int> count;  // statements per connection
  long long console = -1;
  int update = 0;
  std::ifstream lines(trace);
  for (std::string line; std::getline(lines, line);) {
    const auto record = nlohmann::json::parse(line);
    const long long connection = record.at("conn").get<long long>();
    ++count[connection];
    if (console < 0 && record.at("sql").get<std::string>().rfind("UPDATE MG66_ANAGRART", 0) == 0) {
      console = connection;
      update = count[connection];
    }
  }
  ASSERT_GT(update, 0);
  const int last = count[console];
  ASSERT_GT(last, update + 4);

  // Stopped before the update, right after it, while recording, and towards the end.
  for (const int statement : {update, update + 1, update + 2, update + 4, (update + last) / 2, last}) {
    SCOPED_TRACE("killed before statement " + std::to_string(statement) + " of " + std::to_string(last));
    const fs::path file = freshCopy("killed.db");
    const pid_t child = start(file, {"PASSAGGIO_FAULT=" + std::to_string(statement) + ":STOP"}, "killed");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child);
    ASSERT_TRUE(WIFSTOPPED(status)) << contents(m_dir / "killed.out.err");
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    const std::size_t changed = expectLogMatchesChanges(file);
    EXPECT_EQ(changed == 0, statement == update);
  }
}

}  // namespace
