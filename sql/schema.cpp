// Runs the embedded DDL batches in dependency order through the connection.
#include "sql/schema.h"

#include "platform/db/connection.h"
#include "platform/db/db_error.h"
#include "sql/sql_text.h"

namespace sql {
namespace {

// Whether a table of the console exists: a probe that reads no row.
bool hasConsoleTables(platform::db::Connection& connection) {
  try {
    connection.Open("SELECT MG0L_ID FROM MG0L_ENTITA_PASSAGGI WHERE 1 = 0");
    return true;
  } catch (const platform::db::DbError&) {
    return false;
  }
}

std::vector<std::string_view> tableBatches() {
  return {text::kModuleTables, text::kHostTables, text::kClassificationTables, text::kStandinTables, text::kViews};
}

}  // namespace

void createTables(platform::db::Connection& connection) {
  if (hasConsoleTables(connection)) {
    throw SchemaExistsError("il database contiene già le tabelle della console (MG0L_ENTITA_PASSAGGI esiste)");
  }
  for (const std::string_view batch : tableBatches()) connection.Execute(batch);
}

std::vector<std::string_view> schemaBatches() {
  std::vector<std::string_view> batches = tableBatches();
  batches.push_back(text::kIndexes);
  return batches;
}

void createIndexes(platform::db::Connection& connection) { connection.Execute(text::kIndexes); }

void createSchema(platform::db::Connection& connection) {
  createTables(connection);
  createIndexes(connection);
}

}  // namespace sql
