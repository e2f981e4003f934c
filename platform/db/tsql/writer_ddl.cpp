// CREATE TABLE, CREATE INDEX, CREATE VIEW and DROP for SQLite. Temporary tables go to the
// connection's temp schema; every text column compares through TSQL_CI; an IDENTITY(1,1)
// column becomes the rowid (AUTOINCREMENT on permanent tables, whose identities must not be
// reused after a delete).
#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/packed_verdicts.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

void indexColumns(const std::vector<std::pair<std::string, bool>>& columns, std::string& out) {
  out += '(';
  for (size_t i = 0; i < columns.size(); ++i) {
    if (i > 0) out += ", ";
    out += quoteName(columns[i].first);
    if (columns[i].second) out += " DESC";
  }
  out += ')';
}

bool comparesAsText(const TypeName& type) {
  const TypeRule* rule = findType(type.name);
  return rule != nullptr && (rule->typeClass == TypeClass::Text || rule->typeClass == TypeClass::Guid);
}

}  // namespace

Statement Writer::createTable(const CreateTableStmt& s) {
  const ColumnDef* identity = nullptr;
  for (const ColumnDef& column : s.columns) {
    if (!column.identity) continue;
    if (identity != nullptr) {
      fail("Multiple identity columns specified for table '" + s.table.name() +
               "'. Only one identity column per table is allowed.",
           "IDENTITY", column.pos, 2744);
    }
    identity = &column;
  }
  // The identity becomes the rowid, so it must be the key if the table declares one.
  const TableConstraint* identityKey = nullptr;
  if (identity != nullptr) {
    for (const ColumnDef& column : s.columns) {
      if (column.primaryKey && &column != identity) unsupported("IDENTITY column outside the primary key", column.pos);
    }
    for (const TableConstraint& constraint : s.constraints) {
      if (!constraint.primaryKey) continue;
      if (constraint.columns.size() != 1 || !platform::text::equalsIgnoringCase(constraint.columns[0].first, identity->name)) {
        unsupported("IDENTITY column outside the primary key", constraint.pos);
      }
      identityKey = &constraint;
    }
  }

  // A run of many small verdict columns is stored in one BLOB (packed_verdicts.h): the BLOB
  // stands in the run's place, its layout in a table of its own.
  // With the side table (verdict_side_table.h), the BLOB and the columns after it go there.
  const auto run = m_passes.packedVerdicts ? packedRun(s) : std::nullopt;
  const size_t runStart = run ? run->first : s.columns.size();
  const size_t runLength = run ? run->second : 0;
  const size_t sideFrom = run && m_passes.verdictSideTable ? sideStart(s, runStart).value_or(s.columns.size())
                                                           : s.columns.size();
  std::string layout;
  std::string sql = s.table.isTemp() ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  sql += quoteName(s.table.name());
  sql += " (";
  std::string sideColumns;
  for (size_t i = 0; i < s.columns.size(); ++i) {
    std::string& definitions = i >= sideFrom ? sideColumns : sql;
    if (i > 0 && i != sideFrom) definitions += ", ";
    if (i == runStart) {
      std::vector<signed char> defaults;
      for (size_t k = 0; k < runLength; ++k) {
        defaults.push_back(packedDefault(s.columns[i + k]));
        layout += k > 0 ? ", " : "";
        columnDefinition(s.columns[i + k], true, layout);
      }
      definitions += quoteName(kPackedColumn) + " BLOB NOT NULL DEFAULT (" + packedLiteral(defaults) + ")";
      i += runLength - 1;
      continue;
    }
    columnDefinition(s.columns[i], s.table.isTemp(), definitions);
  }
  for (const TableConstraint& constraint : s.constraints) {
    if (&constraint == identityKey) continue;
    sql += ", ";
    if (!constraint.name.empty()) sql += "CONSTRAINT " + quoteName(constraint.name) + " ";
    sql += constraint.primaryKey ? "PRIMARY KEY " : "UNIQUE ";
    indexColumns(constraint.columns, sql);
  }
  sql += ')';
  Statement statement;
  statement.steps.push_back({std::move(sql), false});
  if (runLength > 0) {
    // A layout left behind goes first: statements of a trace replayed as they were written
    // drop the table with a DROP translated before the table existed.
    const std::string layoutTable = quoteName(packedLayoutTable(s.table.name()));
    statement.steps.push_back({"DROP TABLE IF EXISTS temp." + layoutTable, false});
    statement.steps.push_back({"CREATE TEMP TABLE " + layoutTable + " (" + layout + ")", false});
  }
  if (sideFrom < s.columns.size()) {
    const std::vector<SqliteStep> steps = sideDefinition(s.table, sideColumns);
    statement.steps.insert(statement.steps.end(), steps.begin(), steps.end());
  }
  statement.changesSchema = true;
  return statement;
}

void Writer::columnDefinition(const ColumnDef& column, bool temp, std::string& out) {
  out += quoteName(column.name);
  if (column.identity) {
    out += temp ? " INTEGER PRIMARY KEY" : " INTEGER PRIMARY KEY AUTOINCREMENT";
  } else {
    out += ' ';
    out += columnTypeText(column.type);
    if (comparesAsText(column.type)) out += " COLLATE TSQL_CI";
  }
  if (column.nullable.has_value()) out += *column.nullable ? " NULL" : " NOT NULL";
  if (column.defaultValue) {
    out += " DEFAULT (";
    expr(*column.defaultValue, out);
    out += ')';
  }
  if (column.primaryKey && !column.identity) out += " PRIMARY KEY";
  if (column.unique) out += " UNIQUE";
}

// A packed column is indexed as its byte, read as queries read it; the columns of a split
// table's side table are indexed there. One index cannot span the two tables.
Statement Writer::createIndex(const CreateIndexStmt& s) {
  const std::vector<CatalogColumn>* columns = tableColumns(s.table);
  std::string keys = "(";
  int inSide = 0;
  for (const auto& [name, descending] : s.columns) {
    const CatalogColumn* column = columns != nullptr ? findColumn(*columns, name) : nullptr;
    inSide += column != nullptr && column->inSide;
    if (keys.size() > 1) keys += ", ";
    keys += column != nullptr && column->packedSlot >= 0 ? packedRead("", *column) : quoteName(name);
    if (descending) keys += " DESC";
  }
  keys += ')';
  if (inSide > 0 && inSide < static_cast<int>(s.columns.size())) {
    unsupported("CREATE INDEX mixing columns of a working table's side table with its own (verdict-side-table pass)",
                s.pos);
  }
  // An index of a temporary table lives in the temp schema, named there, with the table unqualified.
  std::string sql = s.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  if (s.table.isTemp()) sql += "temp.";
  sql += quoteName(s.name) + " ON " + quoteName(inSide > 0 ? sideTable(s.table.name()) : s.table.name()) + " " + keys;
  Statement statement;
  statement.steps.push_back({std::move(sql), false});
  statement.changesSchema = true;
  return statement;
}

Statement Writer::createView(const CreateViewStmt& s) {
  std::string sql = "CREATE VIEW " + quoteName(s.view.name());
  sql += quotedColumnList(s.columns);
  sql += " AS ";
  select(s.select, sql);
  Statement statement;
  statement.steps.push_back({std::move(sql), false});
  statement.changesSchema = true;
  return statement;
}

Statement Writer::drop(const DropStmt& s) {
  Statement statement;
  statement.changesSchema = true;
  for (size_t i = 0; i < s.names.size(); ++i) {
    std::string sql;
    switch (s.kind) {
      case DropKind::Table: sql = "DROP TABLE "; break;
      case DropKind::View: sql = "DROP VIEW "; break;
      case DropKind::Index: sql = "DROP INDEX "; break;
    }
    if (s.ifExists) sql += "IF EXISTS ";
    if (s.kind == DropKind::Index) {
      if (s.indexTables[i].isTemp()) sql += "temp.";
      sql += quoteName(s.names[i].name());
    } else {
      sql += tableName(s.names[i]);
    }
    statement.steps.push_back({std::move(sql), false});
    // A packed table's layout goes with it, and a split table's side.
    if (s.kind == DropKind::Table && splits(s.names[i])) {
      statement.steps.push_back({"DROP TABLE IF EXISTS temp." + quoteName(sideTable(s.names[i].name())), false});
    }
    if (s.kind == DropKind::Table && packs(s.names[i])) {
      statement.steps.push_back(
          {"DROP TABLE IF EXISTS temp." + quoteName(packedLayoutTable(s.names[i].name())), false});
    }
  }
  return statement;
}

}  // namespace platform::db::tsql
