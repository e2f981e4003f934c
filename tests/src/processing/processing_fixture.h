// A console on the demo database, driven through its processing buttons, with what a test
// reads back: the item working table's rows by item code, and the rows the items grid holds.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/controls/button.h"
#include "platform/controls/frame.h"
#include "platform/controls/grid.h"
#include "platform/db/recordset.h"
#include "platform/text/ascii.h"
#include "tests/src/console_fixture.h"

namespace passaggio::testing {

//! One row as field name to value.
using Row = std::map<std::string, platform::Variant>;

inline std::string trimmed(const std::string& text) { return std::string(platform::text::trimRight(text, " ")); }

//! A value as a test compares it: NULL, or its text. (Two Null Variants cannot be compared
//! with == : the comparison recurses without end.)
inline std::string value(const platform::Variant& v) { return v.isNull() ? "NULL" : v.isEmpty() ? "EMPTY" : v.toText(); }

inline Row rowOf(platform::db::Recordset& rows) {
  Row row;
  for (std::size_t i = 0; i < rows.FieldCount(); ++i) row[rows.Column(i).name] = rows.Field(i);
  return row;
}

class ProcessingTest : public ConsoleTest {
 protected:
  std::shared_ptr<FRMMG_PASSAGGIO> open(const std::string& user = "") {
    release();
    m_object = openConsole(user);
    return m_object->Form();
  }

  //! Closes the console and signs the host out, so that the database file can be replaced.
  void release() {
    if (m_object) m_object->CloseForm();
    m_object.reset();
    m_host.reset();
  }

  FRMMG_PASSAGGIO& form() { return *m_object->Form(); }
  platform::controls::Form& controls() { return form().Controls(); }
  bool press(const char* button) { return controls().get<platform::controls::Button>(button).click(); }
  bool shown(const char* frame) { return controls().get<platform::controls::Frame>(frame).isVisible(); }
  bool enabled(const char* button) { return controls().get<platform::controls::Button>(button).isEnabled(); }

  //! Runs a statement on the console's own connection, as another program would.
  long long exec(const std::string& sql) { return form().m_connection->Execute(sql); }
  platform::Variant scalar(const std::string& sql) { return form().m_connection->Open(sql)->Field(0); }

  //! Every row of the item working table, by item code.
  std::map<std::string, Row> workingTable() {
    std::map<std::string, Row> rows;
    auto all = form().m_connection->Open("SELECT * FROM " + form().m_itemTable + " ORDER BY ID");
    for (; !all->Eof(); all->MoveNext()) rows[trimmed(all->Field("CODART").toText())] = rowOf(*all);
    return rows;
  }

  //! Chooses an item in the items grid as a user clicking its row.
  void choose(const std::string& code) {
    auto& grid = controls().get<platform::controls::Grid>("GRD_ARTICOLI");
    const auto row = grid.findRowByKey(platform::Variant(code));
    ASSERT_TRUE(row.has_value()) << code;
    grid.setCurrentRow(*row);
  }

  //! The rows the items grid holds, in its order.
  std::vector<Row> gridRows() {
    std::vector<Row> rows;
    const auto& source = controls().get<platform::controls::Grid>("GRD_ARTICOLI").dataSource();
    if (!source || source->RecordCount() == 0) return rows;
    for (source->MoveFirst(); !source->Eof(); source->MoveNext()) rows.push_back(rowOf(*source));
    return rows;
  }

  std::shared_ptr<CLSMG_PASSAGGIO> m_object;
};

}  // namespace passaggio::testing
