// Record sets for the control tests: rows a query would have returned with no connection
// behind them, and a table kept in memory behind a record set, which saving writes to and
// requerying reads again, as the database would.
#pragma once

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/db/backend.h"
#include "platform/db/connection_state.h"
#include "platform/db/recordset.h"
#include "platform/db/result_data.h"

namespace platform::controls::testing {

inline std::shared_ptr<db::Recordset> makeRows(const std::vector<std::string>& columns, std::vector<db::Row> rows) {
  db::ResultData data;
  for (const std::string& column : columns) data.columns.push_back(db::ColumnInfo{column, "", "", "", false});
  data.rows = std::move(rows);
  return std::make_shared<db::Recordset>(nullptr, "SELECT", std::move(data));
}

//! One table with a whole-number key that the table assigns on insert.
class MemoryTable : public db::Backend {
 public:
  MemoryTable(std::string table, const std::vector<std::string>& columns, std::vector<db::Row> rows)
      : m_table(std::move(table)) {
    for (const std::string& column : columns) m_data.columns.push_back(db::ColumnInfo{column, "", m_table, column, false});
    m_data.columns.front().isKey = true;  // the first column is the key
    m_data.rows = std::move(rows);
  }

  //! A record set over every row, on a connection to this table.
  static std::pair<std::shared_ptr<db::Recordset>, MemoryTable*> open(std::string table,
                                                                       const std::vector<std::string>& columns,
                                                                       std::vector<db::Row> rows) {
    auto state = std::make_shared<db::ConnectionState>();
    auto memory = std::make_unique<MemoryTable>(std::move(table), columns, std::move(rows));
    MemoryTable* raw = memory.get();
    state->backend = std::move(memory);
    return {std::make_shared<db::Recordset>(state, "SELECT * FROM " + raw->m_table, raw->m_data), raw};
  }

  //! The texts one column holds, in row order.
  std::vector<std::string> column(const std::string& name) const {
    std::size_t index = 0;
    while (m_data.columns[index].name != name) ++index;
    std::vector<std::string> texts;
    for (const db::Row& row : m_data.rows) texts.push_back(row[index].toText());
    return texts;
  }

  int batches = 0;

  std::vector<db::StatementOutcome> run(std::string_view, db::RowsWanted, std::vector<std::string>*) override {
    return {db::StatementOutcome{m_data, -1, {}}};
  }

  std::vector<Variant> applyChanges(const db::BatchChanges& changes) override {
    ++batches;
    std::vector<Variant> keys;
    for (const db::RowChange& change : changes.changes) {
      if (change.kind == db::RowChange::Kind::Insert) {
        db::Row row(m_data.columns.size(), Variant::null());
        row[0] = Variant(++m_lastKey);
        keys.push_back(row[0]);
        m_data.rows.push_back(std::move(row));
      }
      auto found = std::find_if(m_data.rows.begin(), m_data.rows.end(), [&](const db::Row& row) {
        return change.kind == db::RowChange::Kind::Insert ? row[0] == keys.back() : row[0] == change.key;
      });
      if (change.kind == db::RowChange::Kind::Delete) {
        m_data.rows.erase(found);
        continue;
      }
      for (const auto& [name, value] : change.values) {
        for (std::size_t i = 0; i < m_data.columns.size(); ++i) {
          if (m_data.columns[i].name == name) (*found)[i] = value;
        }
      }
    }
    return keys;
  }

 private:
  std::string m_table;
  db::ResultData m_data;
  long long m_lastKey = 100;
};

}  // namespace platform::controls::testing
