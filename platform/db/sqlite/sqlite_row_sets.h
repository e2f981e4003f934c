// Sets of row ids as one value (the translator's entity-anti-join pass): a set built once by
// an aggregate and probed for every row of an update, where SQLite's own "NOT IN (SELECT ...)"
// would search a temporary b-tree for each row.
#pragma once

struct sqlite3;

namespace platform::db::sqlite {

//! Registers rowidset(ID), an aggregate giving the set of the integers it is given (NULLs left
//! out), a value only these functions can read, and inrowidset(SET, ID): 1 when ID is in the
//! set, 0 when not, NULL for a NULL ID. Returns SQLITE_OK or the SQLite error code of the
//! failing registration.
int registerRowSetFunctions(sqlite3* db);

}  // namespace platform::db::sqlite
