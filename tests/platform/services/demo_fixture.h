// The services' tests run on the demo database, built afresh in a scratch folder: two
// companies (1 with independent codes, 2 with hierarchical ones), users with and without
// restricted states, one inactive user, and a few logged state changes.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/services/global.h"
#include "platform/services/scripted_display.h"
#include "sql/database_file.h"

namespace platform::services::testing {

namespace fs = std::filesystem;

class DemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = fs::temp_directory_path() /
               ("passaggio_services_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    fs::remove_all(m_folder);
    fs::create_directories(m_folder);
    sql::createDemoDatabase(m_folder / "demo.db", sql::Existing::Refuse);
    connectionString = sql::connectionStringFor(m_folder / "demo.db");
    db.Connect(connectionString);
    display = std::make_shared<ScriptedDisplay>();
  }
  void TearDown() override {
    db.Close();
    fs::remove_all(m_folder);
  }

  std::shared_ptr<StandinGlobal> signIn(long long company = 1, const std::string& user = "ADMIN") {
    return StandinGlobal::signIn(connectionString, company, user, display);
  }

  //! The first column of the first row as text; "<no row>" when there is none.
  std::string value(const std::string& query) {
    auto rows = db.Open(query);
    return rows->Eof() ? std::string("<no row>") : rows->Field(0).toText();
  }

  const fs::path& folder() const { return m_folder; }

  std::string connectionString;
  db::Connection db;
  std::shared_ptr<ScriptedDisplay> display;

 private:
  fs::path m_folder;
};

}  // namespace platform::services::testing
