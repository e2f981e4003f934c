// Raw SQLite reads of a database file (with the project's collation registered), for what
// the layer does not show.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/db/sqlite/sqlite_functions.h"
#include "tests/support/program_run.h"

namespace sql::testing {

namespace fs = std::filesystem;
using passaggio::testing::ScratchFolder;

//! A raw read-write handle on a database file, with TSQL_CI registered.
class RawFile {
 public:
  explicit RawFile(const fs::path& path) {
    EXPECT_EQ(sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK) << path;
    platform::db::sqlite::registerTsqlFunctions(m_db);
  }
  ~RawFile() { sqlite3_close_v2(m_db); }
  RawFile(const RawFile&) = delete;
  RawFile& operator=(const RawFile&) = delete;
  sqlite3* db() const { return m_db; }

  //! Every row of a query, each value as text ("NULL" for NULL), cells joined by "|".
  std::vector<std::string> rows(const std::string& sql) const {
    std::vector<std::string> result;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      ADD_FAILURE() << sqlite3_errmsg(m_db) << " in " << sql;
      return result;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
      std::string row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        if (i) row += "|";
        const unsigned char* text = sqlite3_column_text(statement, i);
        row += text ? reinterpret_cast<const char*>(text) : "NULL";
      }
      result.push_back(row);
    }
    sqlite3_finalize(statement);
    return result;
  }

  std::string value(const std::string& sql) const {
    auto all = rows(sql);
    return all.empty() ? std::string("<no row>") : all.front();
  }

  long long number(const std::string& sql) const { return std::stoll(value(sql)); }

 private:
  sqlite3* m_db = nullptr;
};

}  // namespace sql::testing
