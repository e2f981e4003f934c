// The row sink of bulk loads: prepared INSERT statements with bound values on a raw SQLite
// handle, for the generator's large data sets. The caller owns the handle and the transaction.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "sql/row_sink.h"

struct sqlite3;

namespace sql {

//! A failure of the raw SQLite path, with SQLite's own message.
class SqliteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

//! Runs one or more SQL statements on the handle (no rows); throws SqliteError.
void execSqlite(sqlite3* db, const std::string& sql);

class SqliteSink : public RowSink {
 public:
  explicit SqliteSink(sqlite3* db);
  ~SqliteSink() override;
  Table& table(std::string_view table, std::vector<std::string> columns) override;
  void flush() override {}

 private:
  class TableImpl;
  sqlite3* m_db;
  std::vector<std::unique_ptr<TableImpl>> m_tables;
};

}  // namespace sql
