// Working-table columns packed a byte each into one BLOB (the translator's packed-verdicts
// pass): the functions that read and write one of them.
#pragma once

struct sqlite3;

namespace platform::db::sqlite {

//! Registers vget(BLOB, K) and vset(BLOB, K, VALUE[, NAME]) on the connection.
//! Returns SQLITE_OK or the SQLite error code of the failing registration.
int registerPackedFunctions(sqlite3* db);

}  // namespace platform::db::sqlite
