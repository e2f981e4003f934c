// ODBC handles owned, and what the driver says about a failure: every diagnostic record.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

namespace platform::db::odbc {

class Handle {
 public:
  Handle(SQLSMALLINT type, SQLHANDLE parent);
  ~Handle();
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  SQLHANDLE get() const { return m_handle; }
  SQLSMALLINT type() const { return m_type; }

 private:
  SQLSMALLINT m_type;
  SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

//! One diagnostic record as the driver manager or the driver wrote it.
struct Diagnostic {
  std::string sqlState;
  long nativeError = 0;
  std::string message;
};

std::vector<Diagnostic> diagnostics(const Handle& handle);

}  // namespace platform::db::odbc
