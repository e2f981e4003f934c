// The SQL Server semantics that SQLite needs as functions of its own, registered on every
// connection: the TSQL_CI collation, a LIKE that follows it, UPPER and LOWER of any letter,
// and SQL Server's arithmetic.
#pragma once

struct sqlite3;

namespace platform::db::sqlite {

//! Registers TSQL_CI, like() (2 and 3 arguments), upper(), lower(), the arithmetic and
//! packed-column functions and passaggio_collation(TABLE, COLUMN) on the connection.
//! Returns SQLITE_OK or the SQLite error code of the failing registration.
int registerTsqlFunctions(sqlite3* db);

//! TSQL_CI: trailing U+0020 ignored, letters of any script compared case-insensitively,
//! accents significant. Negative, zero or positive like memcmp.
int compareTsqlCi(const char* a, int aLength, const char* b, int bLength);

}  // namespace platform::db::sqlite
