// The embedded backend: a SQLite file (or memory) that runs the console's T-SQL through the
// translator, with SQL Server's text comparison, counts and temporary-table lifetimes.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/db/backend.h"
#include "platform/db/connection_string.h"
#include "platform/db/db_error.h"
#include "platform/db/tsql/verdict_side_table.h"

namespace platform::db {

//! Opens the database the connection string names; throws DbError with a clear message.
std::unique_ptr<Backend> openSqliteBackend(const ConnectionString& connection);

//! A SQLite failure as the error collection carries it, from SQLite's result code (extended or
//! primary) and message: SQL Server's number where there is one, and words a user can read.
DbError describeSqliteFailure(int code, const std::string& message, std::string_view tsql,
                              std::string_view sqliteText);

//! A grid's edit of a row as the translator writes it for SQLite, whichever transport sends it.
tsql::RowEdit rowEditOf(RowChange::Kind kind);

}  // namespace platform::db
