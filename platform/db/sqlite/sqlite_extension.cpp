// The T-SQL functions as a SQLite loadable extension: what a SQLite database reached through
// another client (the ODBC driver) loads on connecting, so that the translated statements
// find TSQL_CI, LIKE, UPPER, LOWER and the arithmetic there too. The process shares one
// SQLite library with that client, so the functions are registered directly.
#include <sqlite3.h>

#include "platform/db/sqlite/sqlite_functions.h"

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** error,
                                                                              const void* /*api*/) {
  const int rc = platform::db::sqlite::registerTsqlFunctions(db);
  if (rc != SQLITE_OK) *error = sqlite3_mprintf("%s", sqlite3_errmsg(db));
  return rc;
}
