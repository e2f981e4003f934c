// The embedded backend: a SQLite file (or memory) that runs the console's T-SQL through the
// translator, with SQL Server's text comparison, counts and temporary-table lifetimes.
#pragma once

#include <memory>

#include "platform/db/backend.h"
#include "platform/db/connection_string.h"

namespace platform::db {

//! Opens the database the connection string names; throws DbError with a clear message.
std::unique_ptr<Backend> openSqliteBackend(const ConnectionString& connection);

}  // namespace platform::db
