// passaggio-batch entities as a script runs it: the built program in a subprocess on a demo
// database, its listing, its exit status and what it wrote to the database.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"

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

class EntitiesCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("passaggio_batch_entities_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    sql::createDemoDatabase(m_dir / "demo.db", sql::Existing::Replace);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  Outcome run(const std::vector<std::string>& arguments) const {
    std::string command = shellQuoted(PASSAGGIO_BATCH_BINARY) + " --db " + shellQuoted((m_dir / "demo.db").string());
    for (const std::string& argument : arguments) command += " " + shellQuoted(argument);
    command += " > " + shellQuoted((m_dir / "stdout.txt").string()) + " 2> " +
               shellQuoted((m_dir / "stderr.txt").string());
    const int raw = std::system(command.c_str());
    Outcome outcome;
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.out = contents(m_dir / "stdout.txt");
    outcome.err = contents(m_dir / "stderr.txt");
    return outcome;
  }

  long long selected(const std::string& code) const {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(m_dir / "demo.db"));
    return connection
        .Open("SELECT MG0L_ENTITA_SEL FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA = '" +
              code + "'")
        ->Field(0)
        .toInteger();
  }

  fs::path m_dir;
};

TEST_F(EntitiesCommand, ListsTicksThroughTheGridSavesAndListsAgain) {
  const Outcome listing = run({"entities"});
  ASSERT_EQ(listing.status, 0) << listing.err;
  EXPECT_EQ(listing.out.substr(0, listing.out.find("SFAMIGLIA,")),
            "code,description,selected\r\n"
            "AZIENDA,Azienda,1\r\n"
            "TIPO_PROD,Tipo prodotto,1\r\n"
            "FAMIGLIA,Famiglia,1\r\n");
  EXPECT_EQ(listing.out.find("\r\n\r\n"), std::string::npos) << "without changes, one listing";

  const Outcome outcome = run({"entities", "GRUPPO=1", "AZIENDA=0", "FAMIGLIA=1"});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  const auto again = outcome.out.find("\r\n\r\n");
  ASSERT_NE(again, std::string::npos) << "listed twice";
  const std::string after = outcome.out.substr(again + 4);
  EXPECT_NE(after.find("AZIENDA,Azienda,0\r\n"), std::string::npos);
  EXPECT_NE(after.find("GRUPPO,Gruppo,1\r\n"), std::string::npos);
  EXPECT_EQ(selected("GRUPPO"), 1);
  EXPECT_EQ(selected("AZIENDA"), 0);
  EXPECT_EQ(selected("FAMIGLIA"), 1);
}

TEST_F(EntitiesCommand, ARefusedUnselectShowsWhyAndSavesNothing) {
  const Outcome outcome = run({"entities", "GRUPPO=1", "FAMIGLIA=0"});
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("message: Impossibile cancellare l'entità perchè"), std::string::npos) << outcome.err;
  EXPECT_EQ(selected("FAMIGLIA"), 1);
  EXPECT_EQ(selected("GRUPPO"), 0) << "the change before the refusal is not saved either";

  for (const char* wrong : {"FAMIGLIA=2", "FAMIGLIA", "=1"}) {
    SCOPED_TRACE(wrong);
    EXPECT_EQ(run({"entities", wrong}).status, 2);
  }
  EXPECT_EQ(run({"entities", "NESSUNA=1"}).status, 1);
}

}  // namespace
