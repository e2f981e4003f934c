// The verdict-side-table pass in the writer: a split table's two halves joined where a query
// reads side columns, created, filled and emptied together. See verdict_side_table.h.
#include <algorithm>

#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

using platform::text::equalsIgnoringCase;

std::string sideName(const ObjectName& table) { return "temp." + quoteName(sideTable(table.name())); }

// The two halves of a table exposed as `exposed`: the narrow one leads where the table leads
// its FROM list, so that SQLite reads the side rows in order and the wide ones by row id.
std::string paired(const ObjectName& table, const std::string& exposed, bool leads) {
  const std::string own = Writer::tableName(table) + " AS " + quoteName(exposed);
  const std::string side = sideName(table) + " AS " + quoteName(sideAlias(exposed));
  const std::string key = quoteName(sideAlias(exposed)) + "." + quoteName(kSideKey) + " = " + quoteName(exposed) + ".rowid";
  if (leads) return side + " CROSS JOIN " + own + " ON " + key;
  return "(" + own + " INNER JOIN " + side + " ON " + key + ")";
}

// The rows of a table whose wide row is gone, as a condition on its side table.
std::string orphaned(const ObjectName& table) {
  return "NOT EXISTS (SELECT 1 FROM " + Writer::tableName(table) + " WHERE rowid = " + quoteName(sideTable(table.name())) +
         "." + quoteName(kSideKey) + ")";
}

}  // namespace

bool Writer::splits(const ObjectName& table) {
  if (!m_passes.verdictSideTable || !packs(table)) return false;
  const std::vector<CatalogColumn>* columns = tableColumns(table);
  return std::any_of(columns->begin(), columns->end(), [](const CatalogColumn& column) { return column.inSide; });
}

std::vector<std::string> Writer::sideColumns(const ObjectName& table) {
  std::vector<std::string> names;
  if (!splits(table)) return names;
  for (const CatalogColumn& column : *tableColumns(table)) {
    if (column.inSide) names.push_back(column.name);
  }
  return names;
}

Writer::SetsIn Writer::setsIn(const ObjectName& table, const std::vector<Assignment>& sets) {
  if (!splits(table)) return SetsIn::Own;
  bool own = false;
  bool side = false;
  for (const Assignment& set : sets) {
    const CatalogColumn* column = findColumn(*tableColumns(table), set.column);
    (column != nullptr && column->inSide ? side : own) = true;
  }
  return own && side ? SetsIn::Both : side ? SetsIn::Side : SetsIn::Own;
}

void Writer::splitRef(const TableRef& ref, std::string& out) {
  out += paired(ref.table, ref.exposedName(), ref.join == JoinKind::First);
}

std::string Writer::splitSource(const ObjectName& target) { return paired(target, target.name(), true); }

std::vector<SqliteStep> Writer::sideDefinition(const ObjectName& table, const std::string& columns) {
  return {{"DROP TABLE IF EXISTS " + sideName(table), false},
          {"CREATE TEMP TABLE " + quoteName(sideTable(table.name())) + " (" + quoteName(kSideKey) +
               " INTEGER PRIMARY KEY, " + columns + ")",
           false}};
}

// An INSERT naming only wide columns writes the wide rows, then a side row of defaults for each
// new one (the new rows are those above the side table's last: rows are added at the end). One
// giving side values, or the row ids, computes its rows once into a table of their own.
Statement Writer::splitInsert(const InsertStmt& s) {
  const std::vector<CatalogColumn>& columns = *tableColumns(s.table);
  const std::string side = sideName(s.table);
  const std::string key = quoteName(kSideKey);
  std::vector<std::string> names = s.columns;
  if (names.empty() && !s.defaultValues) {
    for (const CatalogColumn& column : columns) {
      if (!column.isRowKey) names.push_back(column.name);
    }
  }
  const CatalogColumn* rowKey = nullptr;
  bool givesSide = false;
  for (const std::string& name : names) {
    const CatalogColumn* column = findColumn(columns, name);
    if (column != nullptr && column->isRowKey) rowKey = column;
    givesSide = givesSide || (column != nullptr && (column->inSide || column->isRowKey));
  }
  Statement statement = givesSide ? Statement{} : plainInsert(s);
  statement.allOrNothing = true;
  if (!givesSide) {
    statement.steps.push_back({"INSERT INTO " + side + " (" + key + ") SELECT rowid FROM " + tableName(s.table) +
                                   " WHERE rowid > (SELECT ifnull(max(" + key + "), 0) FROM " + side + ")",
                               false});
    return statement;
  }

  const std::string rows = "temp." + quoteName(kSplitRows);
  std::string staged = "CREATE TEMP TABLE " + quoteName(kSplitRows) + " AS WITH \"tsql_rows\" (";
  std::vector<ColumnValue> own;
  std::vector<ColumnValue> sideValues{{std::string(kSideKey), key, false}};
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string value = quoteName("tsql_c" + std::to_string(i + 1));
    staged += (i > 0 ? ", " : "") + value;
    const CatalogColumn* column = findColumn(columns, names[i]);
    if (column != nullptr && column->isRowKey) continue;
    (column != nullptr && column->inSide ? sideValues : own).push_back({names[i], value});
  }
  staged += ") AS (";
  if (s.select) {
    select(*s.select, staged);
  } else {
    staged += "VALUES ";
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
      const auto& given = s.rows[r];
      if (given.size() != names.size()) {
        const bool fewer = given.size() < names.size();
        fail(std::string("There are ") + (fewer ? "more" : "fewer") +
                 " columns in the INSERT statement than values specified in the VALUES clause.",
             "VALUES", given.empty() ? s.table.pos : given.front()->pos, fewer ? 109 : 110);
      }
      staged += r > 0 ? ", (" : "(";
      for (std::size_t i = 0; i < given.size(); ++i) {
        if (i > 0) staged += ", ";
        expr(*given[i], staged);
      }
      staged += ')';
    }
  }
  std::string rowId = "(SELECT ifnull(max(rowid), 0) FROM " + tableName(s.table) + ") + row_number() OVER ()";
  if (rowKey != nullptr) {
    const auto at = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return equalsIgnoringCase(n, rowKey->name); });
    rowId = quoteName("tsql_c" + std::to_string(at - names.begin() + 1));
  }
  staged += ") SELECT " + rowId + " AS " + key + ", * FROM \"tsql_rows\"";

  const CatalogColumn& identity = *std::find_if(columns.begin(), columns.end(), [](const CatalogColumn& c) { return c.isRowKey; });
  own.insert(own.begin(), {identity.name, key, false});
  const auto [ownNames, ownRow] = insertLists(nullptr, s.table.name(), own);
  const auto [sideNames, sideRow] = insertLists(&columns, s.table.name(), sideValues);
  statement.steps.push_back({"DROP TABLE IF EXISTS " + rows, false});
  statement.steps.push_back({std::move(staged), false});
  statement.steps.push_back(
      {"INSERT INTO " + tableName(s.table) + ownNames + " SELECT " + ownRow + " FROM " + rows + " ORDER BY " + key, true});
  statement.steps.push_back({"INSERT INTO " + side + sideNames + " SELECT " + sideRow + " FROM " + rows, false});
  statement.steps.push_back({"DROP TABLE " + rows, false});
  return statement;
}

// An UPDATE setting columns of both tables: its rows and values are computed once, before
// either table is written, as SQL Server reads every value from the rows before the update.
// `rows` selects the row ids as "tsql_rid" and the values as "tsql_v1", ... in order.
Statement Writer::updateBothTables(const ObjectName& updated, const UpdateStmt& s, const std::string& rows) {
  const std::vector<CatalogColumn>& columns = *tableColumns(updated);
  std::vector<ColumnValue> own;
  std::vector<ColumnValue> side;
  for (std::size_t i = 0; i < s.sets.size(); ++i) {
    const CatalogColumn* column = findColumn(columns, s.sets[i].column);
    const ColumnValue value{s.sets[i].column, "\"tsql_j\"." + quoteName("tsql_v" + std::to_string(i + 1))};
    (column != nullptr && column->inSide ? side : own).push_back(value);
  }
  const std::string staged = "temp." + quoteName(kSplitRows);
  const std::string joined = " FROM " + staged + " AS \"tsql_j\" WHERE ";
  const std::string key = "\"tsql_j\"." + quoteName(kSideKey);
  Statement statement;
  statement.allOrNothing = true;
  statement.steps.push_back({"DROP TABLE IF EXISTS " + staged, false});
  statement.steps.push_back({"CREATE TEMP TABLE " + quoteName(kSplitRows) + " AS " + rows, false});
  statement.steps.push_back({"UPDATE " + tableName(updated) + " SET " + assignmentList(&columns, updated.name(), own) +
                                 joined + quoteName(updated.name()) + ".rowid = " + key,
                             true});
  statement.steps.push_back({"UPDATE " + sideName(updated) + " SET " + assignmentList(&columns, updated.name(), side) +
                                 joined + quoteName(sideTable(updated.name())) + "." + quoteName(kSideKey) + " = " + key,
                             false});
  statement.steps.push_back({"DROP TABLE " + staged, false});
  return statement;
}

// DELETE from a split table: the wide rows, picked by `filter` (empty: every row), then the
// side rows left without one.
Statement Writer::splitDelete(const ObjectName& deleted, const std::string& filter) {
  Statement statement;
  statement.allOrNothing = true;
  statement.steps.push_back({"DELETE FROM " + tableName(deleted) + filter, true});
  statement.steps.push_back(
      {"DELETE FROM " + sideName(deleted) + (filter.empty() ? "" : " WHERE " + orphaned(deleted)), false});
  return statement;
}

}  // namespace platform::db::tsql
