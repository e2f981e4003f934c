// Handle ownership and diagnostic records.
#include "platform/db/odbc/odbc_handle.h"

#include <stdexcept>

namespace platform::db::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : m_type(type) {
  if (!SQL_SUCCEEDED(SQLAllocHandle(type, parent, &m_handle))) {
    throw std::runtime_error("ODBC: impossibile allocare un handle");
  }
}

Handle::~Handle() { SQLFreeHandle(m_type, m_handle); }

std::vector<Diagnostic> diagnostics(const Handle& handle) {
  std::vector<Diagnostic> result;
  for (SQLSMALLINT record = 1;; ++record) {
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLSMALLINT length = 0;
    std::string message(512, '\0');
    SQLRETURN rc = SQLGetDiagRec(handle.type(), handle.get(), record, state, &native,
                                 reinterpret_cast<SQLCHAR*>(message.data()), static_cast<SQLSMALLINT>(message.size()),
                                 &length);
    if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
      message.assign(static_cast<std::size_t>(length) + 1, '\0');
      rc = SQLGetDiagRec(handle.type(), handle.get(), record, state, &native,
                         reinterpret_cast<SQLCHAR*>(message.data()), static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(rc)) break;
    message.resize(std::min<std::size_t>(static_cast<std::size_t>(length), message.size() - 1));
    result.push_back({reinterpret_cast<const char*>(state), static_cast<long>(native), std::move(message)});
  }
  return result;
}

}  // namespace platform::db::odbc
