// passaggio-batch entities as a script runs it: the built program in a subprocess on a demo
// database, its listing, its exit status and what it wrote to the database.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "sql/database_file.h"
#include "tests/support/program_run.h"

namespace {

using passaggio::testing::Outcome;

class EntitiesCommand : public ::testing::Test {
 protected:
  EntitiesCommand() { sql::createDemoDatabase(m_folder.path() / "demo.db", sql::Existing::Replace); }

  Outcome run(std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), {"--db", "demo.db"});
    return m_folder.run(PASSAGGIO_BATCH_BINARY, arguments);
  }

  long long selected(const std::string& code) const {
    platform::db::Connection connection;
    connection.Connect(sql::connectionStringFor(m_folder.path() / "demo.db"));
    return connection
        .Open("SELECT MG0L_ENTITA_SEL FROM MG0L_ENTITA_PASSAGGI WHERE MG0L_DITTA_CG18 = 1 AND MG0L_ENTITA = '" +
              code + "'")
        ->Field(0)
        .toInteger();
  }

  passaggio::testing::ScratchFolder m_folder;
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
