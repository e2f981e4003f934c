// The writer's entry point and INSERT.
#include "platform/db/tsql/writer.h"

#include <algorithm>

#include "platform/db/tsql/fill_row_order.h"

namespace platform::db::tsql {

Statement Writer::write(const StatementNode& node) {
  return std::visit(
      [this](const auto& s) -> Statement {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, SelectStmt>) return selectStatement(s);
        if constexpr (std::is_same_v<T, InsertStmt>) return insert(s);
        if constexpr (std::is_same_v<T, UpdateStmt>) return update(s);
        if constexpr (std::is_same_v<T, DeleteStmt>) return remove(s);
        if constexpr (std::is_same_v<T, CreateTableStmt>) return createTable(s);
        if constexpr (std::is_same_v<T, CreateIndexStmt>) return createIndex(s);
        if constexpr (std::is_same_v<T, CreateViewStmt>) return createView(s);
        if constexpr (std::is_same_v<T, DropStmt>) return drop(s);
      },
      node);
}

// A fill the fill-in-row-order pass rewrites is written as its rewriting.
Statement Writer::insert(const InsertStmt& s) {
  if (m_catalog != nullptr && m_passes.fillInRowOrder) {
    if (std::optional<InsertStmt> rewritten = fillInRowOrder(s, *m_catalog)) return storedInsert(*rewritten);
  }
  return storedInsert(s);
}

// The INSERT as the target table stores its rows.
Statement Writer::storedInsert(const InsertStmt& s) {
  if (splits(s.table)) return splitInsert(s);
  if (!s.defaultValues && packs(s.table)) return packedInsert(s);
  return plainInsert(s);
}

Statement Writer::plainInsert(const InsertStmt& s) {
  std::string sql = "INSERT INTO " + tableName(s.table);
  // Values without a column list are those of every column but the identity, which SQLite
  // would count among them.
  std::vector<std::string> names = s.columns;
  const std::vector<CatalogColumn>* columns = names.empty() && !s.defaultValues ? tableColumns(s.table) : nullptr;
  if (columns != nullptr && std::any_of(columns->begin(), columns->end(), [](const CatalogColumn& c) { return c.isRowKey; })) {
    for (const CatalogColumn& column : *columns) {
      if (!column.isRowKey) names.push_back(column.name);
    }
  }
  sql += quotedColumnList(names);
  if (s.defaultValues) {
    sql += " DEFAULT VALUES";
  } else if (s.select) {
    sql += ' ';
    select(*s.select, sql);
  } else {
    sql += " VALUES ";
    for (size_t r = 0; r < s.rows.size(); ++r) {
      if (r > 0) sql += ", ";
      sql += '(';
      for (size_t i = 0; i < s.rows[r].size(); ++i) {
        if (i > 0) sql += ", ";
        expr(*s.rows[r][i], sql);
      }
      sql += ')';
    }
  }
  Statement statement;
  statement.steps.push_back({std::move(sql), true});
  return statement;
}

}  // namespace platform::db::tsql
