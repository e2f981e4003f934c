// Where the demo and the generator put their rows. The same row-writing code serves both:
// the demo writes T-SQL INSERT statements through a connection (the path the desktop host
// takes on first start), the generator binds prepared statements on a raw SQLite handle.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/variant/variant.h"

namespace platform::db {
class Connection;
}

namespace sql {

using platform::Variant;

class RowSink {
 public:
  //! Rows of one table with a fixed list of columns.
  class Table {
   public:
    virtual ~Table() = default;
    //! One row: a value per column, in the order the columns were given.
    virtual void insert(std::initializer_list<Variant> values) = 0;
  };

  virtual ~RowSink() = default;
  //! The handle for rows of `table` with these columns; lives as long as the sink.
  virtual Table& table(std::string_view table, std::vector<std::string> columns) = 0;
  //! Writes whatever is still buffered.
  virtual void flush() = 0;
};

//! The null value, for readability in row lists.
inline const Variant kNull = Variant::null();

//! A T-SQL literal for a value: NULL, a bare number, or text between single quotes with
//! embedded quotes doubled. Dates are written as 'YYYY-MM-DD HH:MM:SS'.
std::string tsqlLiteral(const Variant& value);

//! Writes rows as INSERT statements through the connection, many rows to a statement: each
//! statement commits on its own, so fewer statements make a load much faster. Rows of one
//! table handle reach the table in the order given, so identities follow that order.
class ConnectionSink : public RowSink {
 public:
  explicit ConnectionSink(platform::db::Connection& connection, std::size_t rowsPerStatement = 500);
  //! The same statements handed to `execute` instead (a script to be run elsewhere).
  explicit ConnectionSink(std::function<void(const std::string&)> execute, std::size_t rowsPerStatement = 500);
  ~ConnectionSink() override;
  Table& table(std::string_view table, std::vector<std::string> columns) override;
  void flush() override;

 private:
  class TableImpl;

  std::function<void(const std::string&)> m_execute;
  std::size_t m_rowsPerStatement;
  std::vector<std::unique_ptr<TableImpl>> m_tables;
};

}  // namespace sql
