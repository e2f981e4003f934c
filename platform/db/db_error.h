// Database failures: the connection's error collection, and the one exception type that
// carries it to the console's error display.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace platform::db {

//! One entry of a connection's error collection, as the error display shows it.
struct ErrorEntry {
  long number = 0;          // provider error code (HRESULT style: -2147217900 statement, -2147467259 connection)
  std::string description;  // what went wrong, in words
  std::string source;       // which layer raised it ("passaggio.db.sqlite", "passaggio.db.tsql", ...)
  long nativeError = 0;     // the backend's own code (SQL Server error number, or SQLite's extended code)
  std::string sqlState;     // five-character SQLSTATE where known

  friend bool operator==(const ErrorEntry&, const ErrorEntry&) = default;
};

inline constexpr long kStatementErrorNumber = -2147217900;   // DB_E_ERRORSINCOMMAND
inline constexpr long kConnectionErrorNumber = -2147467259;  // E_FAIL

//! A failure of the database layer. Carries the error collection, the statement text as the
//! caller sent it and, where the backend translates, what it was translated into.
class DbError : public std::runtime_error {
 public:
  DbError(std::vector<ErrorEntry> errors, std::string sql = {}, std::string translated = {});

  const std::vector<ErrorEntry>& errors() const { return m_errors; }
  const std::string& sql() const { return m_sql; }
  const std::string& translated() const { return m_translated; }

 private:
  std::vector<ErrorEntry> m_errors;
  std::string m_sql;
  std::string m_translated;
};

//! A single-entry error, the common case.
DbError makeError(long number, std::string description, std::string source, long nativeError = 0,
                  std::string sql = {});

}  // namespace platform::db
