// The interface every database backend implements behind Connection: the embedded SQLite
// file through its C API, or a data source over ODBC. Statements arrive as the console
// composed them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/result_data.h"

namespace platform::db {

//! What one statement of a batch gave.
struct StatementOutcome {
  std::optional<ResultData> rows;  // the rows of a query, when they were asked for
  long long affected = -1;         // rows affected as SQL Server counts them; -1 when none
  std::string statement;           // the statement's own text within the batch
};

//! Which result sets a caller wants read: none (Execute), the first (Open), all (Run).
enum class RowsWanted { None, First, All };

class Backend {
 public:
  virtual ~Backend() = default;

  //! Runs a statement or batch; throws DbError at the first failing statement (a batch with a
  //! syntax error anywhere runs nothing). When `translated` is given, the texts the backend
  //! actually ran are appended to it (for the statement trace).
  virtual std::vector<StatementOutcome> run(std::string_view sql, RowsWanted wanted,
                                            std::vector<std::string>* translated) = 0;
  //! Writes client-side edits to the base table; returns the keys of inserted rows in order.
  virtual std::vector<Variant> applyChanges(const BatchChanges& changes) = 0;
  //! Runs statements in the backend's own dialect, untranslated; the rows of all of them, as
  //! text (NULL as an empty optional). A backend without a dialect of its own has nothing to
  //! run (DbError).
  virtual std::vector<std::vector<std::optional<std::string>>> runNative(std::string_view sql);
  //! True when the database was opened read-only.
  virtual bool readOnly() const { return false; }
};

}  // namespace platform::db
