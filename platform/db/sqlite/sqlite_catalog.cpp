// Reads column declarations through SQLite's own catalogue: names and declared types from
// table_xinfo, collation and key from the column metadata, temporary tables first.
#include "platform/db/sqlite/sqlite_catalog.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>

#include "platform/db/tsql/packed_verdicts.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/text/ascii.h"

namespace platform::db::sqlite {

namespace {

bool isPackedBlob(const DeclaredColumn& column) { return column.name == tsql::kPackedColumn; }

}  // namespace

std::optional<std::vector<tsql::CatalogColumn>> catalogColumns(std::string_view table, const DeclaredColumns& declared) {
  const std::string name(table);
  std::vector<DeclaredColumn> columns = declared(name);
  if (columns.empty()) return std::nullopt;
  const std::size_t ownCount = columns.size();
  const std::vector<DeclaredColumn> side = tsql::maySplit(name) ? declared(tsql::sideTable(name)) : std::vector<DeclaredColumn>{};
  if (!side.empty()) columns.insert(columns.end(), side.begin() + 1, side.end());  // its key is the row's
  std::vector<DeclaredColumn> packed;
  if (std::any_of(columns.begin(), columns.end(), isPackedBlob)) packed = declared(tsql::packedLayoutTable(name));

  std::vector<tsql::CatalogColumn> result;
  int keyColumns = 0;
  for (std::size_t i = 0; i < columns.size(); ++i) {
    const DeclaredColumn& source = columns[i];
    const bool inSide = i >= ownCount;
    if (isPackedBlob(source) && !packed.empty()) {
      for (const DeclaredColumn& member : packed) {
        tsql::CatalogColumn column;
        column.name = member.name;
        column.type = tsql::SqlType::parse(member.type);
        column.defaultValue = member.defaultValue;
        column.packedSlot = static_cast<int>(&member - packed.data());
        column.inSide = inSide;
        result.push_back(std::move(column));
      }
      continue;
    }
    tsql::CatalogColumn column;
    column.defaultValue = source.defaultValue;
    column.name = source.name;
    column.type = tsql::SqlType::parse(source.type);
    column.inSide = inSide;
    keyColumns += source.primaryKey;
    column.isRowKey = source.primaryKey && text::equalsIgnoringCase(column.type.declared, "INTEGER");
    if (!source.collation.empty() && !text::equalsIgnoringCase(source.collation, "BINARY")) {
      column.collation = source.collation;
    }
    result.push_back(std::move(column));
  }
  // Only a lone INTEGER PRIMARY KEY is the rowid, and so an identity.
  if (keyColumns != 1) {
    for (auto& column : result) column.isRowKey = false;
  }
  return result;
}

std::optional<std::vector<tsql::CatalogColumn>> SqliteCatalog::columns(std::string_view table) const {
  return catalogColumns(table, [this](const std::string& name) { return declared(name); });
}

std::vector<std::string> SqliteCatalog::indexLeaders(std::string_view table) const {
  std::vector<std::string> leaders;
  for (const auto& row : rows(kIndexLeadersQuery, table)) leaders.push_back(row.at(0).value_or(""));
  return leaders;
}

std::vector<DeclaredColumn> SqliteCatalog::declared(const std::string& table) const {
  std::vector<DeclaredColumn> declared;
  for (const auto& row : rows(kDeclaredColumnsQuery, table)) declared.push_back(declaredColumn(row));
  return declared;
}

std::vector<std::vector<std::optional<std::string>>> SqliteCatalog::rows(std::string_view query,
                                                                         std::string_view table) const {
  std::vector<std::vector<std::optional<std::string>>> rows;
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(m_db, queryForTable(query, "?1").c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    return rows;
  }
  sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()), SQLITE_TRANSIENT);
  while (sqlite3_step(statement) == SQLITE_ROW) {
    auto& row = rows.emplace_back();
    for (int i = 0; i < sqlite3_column_count(statement); ++i) {
      const auto* value = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
      row.push_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  sqlite3_finalize(statement);
  return rows;
}

std::string queryForTable(std::string_view query, std::string_view table) {
  std::string sql(query);
  for (auto at = sql.find("TABLE"); at != std::string::npos; at = sql.find("TABLE", at + table.size())) {
    sql.replace(at, 5, table);
  }
  return sql;
}

DeclaredColumn declaredColumn(const std::vector<std::optional<std::string>>& row) {
  const auto text = [&](std::size_t i) { return i < row.size() ? row[i].value_or("") : std::string(); };
  return {text(0), text(1), !text(2).empty() && text(2) != "0", text(3), text(4)};
}

}  // namespace platform::db::sqlite
