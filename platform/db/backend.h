// The interface every database backend implements behind Connection: the embedded SQLite
// file today, SQL Server over ODBC later. Statements arrive as the console composed them.
#pragma once

#include <string_view>
#include <vector>

#include "platform/db/result_data.h"

namespace platform::db {

class Backend {
 public:
  virtual ~Backend() = default;

  //! Runs a statement or batch without rows; returns the affected rows as SQL Server counts
  //! them (the sum over the batch). Throws DbError.
  virtual long long execute(std::string_view sql) = 0;
  //! Runs a query and reads all its rows. Throws DbError.
  virtual ResultData query(std::string_view sql) = 0;
  //! Writes client-side edits to the base table; returns the keys of inserted rows in order.
  virtual std::vector<Variant> applyChanges(const BatchChanges& changes) = 0;
};

}  // namespace platform::db
