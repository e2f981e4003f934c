// Consoles for the configuration pages: opened for a chosen company on a copy of the demo
// database that a test may change first, with direct access to that database.
#pragma once

#include <string>

#include "platform/controls/grid.h"
#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "tests/src/console_fixture.h"

namespace passaggio::testing {

class ConfigTest : public ConsoleTest {
 protected:
  void SetUp() override { m_file = demoCopy(); }

  std::string connectionString() const { return sql::connectionStringFor(m_file); }

  //! Opens a console on the test database for `company`, as a host does.
  std::shared_ptr<CLSMG_PASSAGGIO> open(long long company = 1, const std::string& options = "") {
    auto object = console(connectionString() + options, "", company);
    object->ShowForm();
    return object;
  }

  //! Runs statements on the test database beside any console.
  void execute(const std::string& sql) const {
    platform::db::Connection connection;
    connection.Connect(connectionString());
    connection.Execute(sql);
  }

  long long scalar(const std::string& sql) const {
    platform::db::Connection connection;
    connection.Connect(connectionString());
    return connection.Open(sql)->Field(0).toInteger();
  }

  //! The row of GRD_ENTITA that shows `code`.
  static std::size_t entityRow(const platform::controls::Grid& grid, const std::string& code) {
    for (std::size_t row = 0; row < grid.rowCount(); ++row) {
      if (grid.cellValue(row, "MG0L_ENTITA").toText() == code) return row;
    }
    ADD_FAILURE() << "no row for " << code;
    return 0;
  }
};

}  // namespace passaggio::testing
