// Reads column declarations through SQLite's own catalogue: names and declared types from
// table_xinfo, collation and key from the column metadata, temporary tables first.
#include "platform/db/sqlite/sqlite_catalog.h"

#include <sqlite3.h>

#include <string>

#include "platform/text/ascii.h"

namespace platform::db::sqlite {

std::optional<std::vector<tsql::CatalogColumn>> SqliteCatalog::columns(std::string_view table) const {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(m_db, "SELECT name, type, pk FROM pragma_table_xinfo(?1) WHERE hidden = 0", -1, &statement,
                         nullptr) != SQLITE_OK) {
    return std::nullopt;
  }
  sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
  std::vector<tsql::CatalogColumn> result;
  int keyColumns = 0;
  const std::string tableName(table);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    tsql::CatalogColumn column;
    column.name = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
    column.type = tsql::SqlType::parse(reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
    const bool key = sqlite3_column_int(statement, 2) != 0;
    keyColumns += key;
    column.isRowKey = key && text::equalsIgnoringCase(column.type.declared, "INTEGER");
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(m_db, nullptr, tableName.c_str(), column.name.c_str(), nullptr, &collation,
                                      nullptr, nullptr, nullptr) == SQLITE_OK &&
        collation != nullptr && !text::equalsIgnoringCase(collation, "BINARY")) {
      column.collation = collation;
    }
    result.push_back(std::move(column));
  }
  sqlite3_finalize(statement);
  if (result.empty()) return std::nullopt;
  // Only a lone INTEGER PRIMARY KEY is the rowid, and so an identity.
  if (keyColumns != 1) {
    for (auto& column : result) column.isRowKey = false;
  }
  return result;
}

}  // namespace platform::db::sqlite
