// The services' tests run on the demo database, built afresh in a scratch folder: two
// companies (1 with independent codes, 2 with hierarchical ones), users with and without
// restricted states, one inactive user, and a few logged state changes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/services/global.h"
#include "platform/services/scripted_display.h"
#include "sql/database_file.h"
#include "tests/support/program_run.h"

namespace platform::services::testing {

class DemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sql::createDemoDatabase(folder() / "demo.db", sql::Existing::Refuse);
    connectionString = sql::connectionStringFor(folder() / "demo.db");
    db.Connect(connectionString);
    display = std::make_shared<ScriptedDisplay>();
  }

  std::shared_ptr<StandinGlobal> signIn(long long company = 1, const std::string& user = "ADMIN") {
    return StandinGlobal::signIn(connectionString, company, user, display);
  }

  //! The first column of the first row as text; "<no row>" when there is none.
  std::string value(const std::string& query) {
    auto rows = db.Open(query);
    return rows->Eof() ? std::string("<no row>") : rows->Field(0).toText();
  }

  const std::filesystem::path& folder() const { return m_folder.path(); }

 private:
  passaggio::testing::ScratchFolder m_folder;  // outlives the connections below

 protected:
  std::string connectionString;
  db::Connection db;
  std::shared_ptr<ScriptedDisplay> display;
};

}  // namespace platform::services::testing
