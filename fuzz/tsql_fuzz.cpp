// Fuzz target for the T-SQL front end: any text is tokenized, parsed and written for SQLite,
// and what translates is run on an in-memory database holding the test tables. Nothing may
// crash, hang or grow without bound; errors are the expected outcome of most inputs.
#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "platform/db/sqlite/sqlite_catalog.h"
#include "platform/db/sqlite/sqlite_functions.h"
#include "platform/db/tsql/translator.h"

namespace {

namespace tsql = platform::db::tsql;

// SQLite virtual-machine steps one input may take: a cross join of the test tables stays far
// below it, a runaway one is stopped.
constexpr int kMaxSteps = 2'000'000;
constexpr int kMaxValueBytes = 1 << 20;

struct Database {
  sqlite3* db = nullptr;
  int steps = 0;

  Database() {
    sqlite3_open(":memory:", &db);
    platform::db::sqlite::registerTsqlFunctions(db);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxValueBytes);
    sqlite3_progress_handler(
        db, 1000, [](void* self) { return (static_cast<Database*>(self)->steps += 1000) > kMaxSteps ? 1 : 0; },
        this);
    std::ifstream in(PASSAGGIO_FUZZ_FIXTURE, std::ios::binary);
    std::stringstream fixture;
    fixture << in.rdbuf();
    run(fixture.str());
  }

  // Translates and runs statement by statement, as the backend does; stops at the first error.
  void run(std::string_view batch) {
    steps = 0;
    try {
      platform::db::sqlite::SqliteCatalog catalog(db);
      for (const tsql::ParsedStatement& parsed : tsql::parseBatch(batch)) {
        for (const tsql::SqliteStep& step : parsed.translate(catalog).steps) {
          if (!execute(step.sql)) return;
        }
      }
    } catch (const tsql::TranslationError&) {
    }
  }

  bool execute(const std::string& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
      sqlite3_finalize(statement);
      return false;
    }
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    return rc == SQLITE_DONE;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Database database;
  // Each input starts from the same tables: whatever it creates or changes is undone.
  sqlite3_exec(database.db, "SAVEPOINT fuzz", nullptr, nullptr, nullptr);
  database.run(std::string_view(reinterpret_cast<const char*>(data), size));
  sqlite3_exec(database.db, "ROLLBACK TO fuzz", nullptr, nullptr, nullptr);
  sqlite3_exec(database.db, "RELEASE fuzz", nullptr, nullptr, nullptr);
  return 0;
}
