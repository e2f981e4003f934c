// The ODBC transport: a data source reached through the driver manager, in either dialect,
// T-SQL as composed (SQL Server) or translated (a SQLite database behind the SQLite driver).
#pragma once

#include <memory>

#include "platform/db/backend.h"
#include "platform/db/connection_string.h"

namespace platform::db {

//! Connects within the login timeout; throws DbError saying plainly what failed, without
//! the password.
std::unique_ptr<Backend> openOdbcBackend(const ConnectionString& connection);

}  // namespace platform::db
