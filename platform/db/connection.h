// A connection to the console's database, in the manner of the host's ADO connection:
// opened from a connection string, it executes SQL Server statements with or without rows,
// keeps an error collection filled on every failure, and hands out client-side record sets.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/db_error.h"

namespace platform::db {

class Backend;
class Recordset;
struct ConnectionState;

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  //! Opens the database the string names. A missing file, a file that is not a database or
  //! one that cannot be opened raises DbError with a message that says which and why.
  void Connect(std::string_view connectionString);
  bool IsOpen() const;
  const std::string& ConnectionString() const;

  //! Runs a statement or a batch that returns no rows; the rows affected, as SQL Server
  //! counts them (summed over a batch).
  long long Execute(std::string_view sql);
  //! Runs a query and returns a static client-side record set over all its rows.
  std::shared_ptr<Recordset> Open(std::string_view sql);

  //! The result of one statement of a batch run by Run: rows for a query, else a count.
  struct StatementResult {
    std::shared_ptr<Recordset> rows;  // set for a statement that returns rows
    long long affected = -1;          // rows affected, for the others
  };
  //! Runs a batch statement by statement, as a query tool shows it: each statement's rows
  //! or count. Stops at the first failure (raised, with the results so far lost).
  std::vector<StatementResult> Run(std::string_view batch);

  //! Called after each statement or batch has run, failed or not: a host that must keep its
  //! screen alive between the statements of a long action. It must not throw.
  void SetAfterStatement(std::function<void()> listener);

  //! The entries of the last failure; cleared when the next statement starts.
  const std::vector<ErrorEntry>& Errors() const;

  //! Closes the database. Record sets stay readable; statements then fail clearly.
  void Close();

  //! Test hook: the n-th statement from now (1 = the next) fails once with the description.
  void InjectFault(int statementsFromNow, std::string description);
  //! Support hook: the process stops itself (SIGSTOP) before the n-th statement from now, so
  //! that it can be looked at, resumed or killed at exactly that point.
  void InjectStop(int statementsFromNow);

  //! What a host sets up on each connection it makes: called once the database is open,
  //! before any statement; a failure there fails Connect.
  void SetOnConnect(std::function<void(Connection&)> setUp);
  //! Runs statements in the backend's own dialect, untranslated, outside the trace and the
  //! statement count (for a host's set-up); the rows as text, NULL as an empty optional.
  std::vector<std::vector<std::optional<std::string>>> ExecuteNative(std::string_view sql);
  //! What ExecuteNative runs: "sqlite" (the embedded database, or a SQLite data source over
  //! ODBC) or "tsql" (a server that takes T-SQL as composed), for the database last opened.
  const std::string& Dialect() const;
  //! True when the database file could only be opened for reading.
  bool IsReadOnly() const;

 private:
  std::shared_ptr<ConnectionState> m_state;
};

}  // namespace platform::db
