// The T-SQL functions as a SQLite loadable extension: what a SQLite database reached through
// another client (the ODBC driver) loads on connecting, so that the translated statements
// find there what the embedded backend sets up itself: TSQL_CI, LIKE, UPPER, LOWER, the
// arithmetic, double quotes for names only, the connection's settings and the WAL journal.
// The process shares one SQLite library with that client, so everything is called directly.
#include <sqlite3.h>

#include "platform/db/sqlite/sqlite_functions.h"
#include "platform/db/sqlite/sqlite_settings.h"

extern "C" __attribute__((visibility("default"))) int sqlite3_extension_init(sqlite3* db, char** error,
                                                                              const void* /*api*/) {
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  int rc = platform::db::sqlite::registerTsqlFunctions(db);
  for (const char* setting : platform::db::sqlite::kConnectionPragmas) {
    if (rc == SQLITE_OK) rc = sqlite3_exec(db, setting, nullptr, nullptr, nullptr);
  }
  // Several consoles on one file; a file that may only be read keeps its journal as it is.
  if (rc == SQLITE_OK && sqlite3_db_readonly(db, "main") == 0) {
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) *error = sqlite3_mprintf("%s", sqlite3_errmsg(db));
  return rc;
}
