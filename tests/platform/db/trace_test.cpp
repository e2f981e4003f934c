// The statement trace: what a support engineer reads to see what the console did.
#include "platform/db/trace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "platform/db/connection.h"
#include "tests/support/program_run.h"

namespace platform::db {
namespace {

namespace fs = std::filesystem;

std::vector<nlohmann::json> readTrace(const fs::path& file) {
  std::vector<nlohmann::json> lines;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
  return lines;
}

class TraceTest : public ::testing::Test {
 protected:
  passaggio::testing::ScratchFolder m_folder;
  const fs::path m_file = m_folder.path() / "trace.jsonl";
};

TEST_F(TraceTest, RecordsEachStatementExactlyWithTranslationRowsAndErrors) {
  Connection connection;
  connection.Connect("sqlite::memory:;trace=" + m_file.string());
  const std::string create = "CREATE TABLE T (\r\n   [ID] INT NOT NULL,\r\n )";
  connection.Execute(create);
  connection.Execute("INSERT INTO T (ID) VALUES (1), (2)");
  connection.Open("SELECT ID FROM T WITH (NOLOCK)");
  EXPECT_THROW(connection.Execute("UPDATE T SET NOPE = 1"), DbError);

  const auto lines = readTrace(m_file);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0]["sql"], create) << "CR and LF are kept as composed";
  EXPECT_EQ(lines[0]["kind"], "execute");
  EXPECT_TRUE(lines[0].contains("sqlite"));
  EXPECT_EQ(lines[1]["rows"], 2);
  EXPECT_EQ(lines[2]["kind"], "open");
  EXPECT_EQ(lines[2]["rows"], 2);
  EXPECT_EQ(lines[2]["sqlite"][0].get<std::string>().find("NOLOCK"), std::string::npos);
  EXPECT_FALSE(lines[3].contains("rows"));
  EXPECT_EQ(lines[3]["error"][0]["native"], 207);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_GT(lines[i]["seq"].get<long long>(), lines[i - 1]["seq"].get<long long>());
    EXPECT_EQ(lines[i]["conn"], lines[0]["conn"]);
  }
  EXPECT_EQ(lines[0]["time"].get<std::string>().size(), 29u) << "ISO 8601 with milliseconds and offset";
}

TEST_F(TraceTest, EnvironmentTracesEveryConnectionAndNothingOtherwise) {
  {
    Connection silent;
    silent.Connect("sqlite::memory:");
    silent.Execute("CREATE TABLE T (ID INT)");
  }
  EXPECT_FALSE(fs::exists(m_file));
  ::setenv("PASSAGGIO_SQL_TRACE", m_file.c_str(), 1);
  Connection first;
  first.Connect("sqlite::memory:");
  Connection second;
  second.Connect("sqlite::memory:");
  ::unsetenv("PASSAGGIO_SQL_TRACE");
  first.Execute("CREATE TABLE T (ID INT)");
  second.Execute("CREATE TABLE U (ID INT)");
  const auto lines = readTrace(m_file);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0]["conn"], lines[1]["conn"]);
}

TEST_F(TraceTest, TwoProcessesNeverInterleaveInsideALine) {
  const std::string padding(3000, 'x');  // lines longer than one pipe buffer
  pid_t children[2];
  for (pid_t& child : children) {
    child = ::fork();
    if (child == 0) {
      Tracer tracer(m_file.string());
      for (int i = 0; i < 300; ++i) tracer.record(TraceRecord{"execute", padding, nullptr, {}, i, nullptr});
      ::_exit(0);
    }
  }
  for (const pid_t child : children) ::waitpid(child, nullptr, 0);
  const auto lines = readTrace(m_file);  // throws on a torn line
  EXPECT_EQ(lines.size(), 600u);
}

}  // namespace
}  // namespace platform::db
