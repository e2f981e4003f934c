// The look-up index optimisation pass: indexes for look-ups of working tables by a code.
#include "platform/db/tsql/lookup_index.h"

#include <algorithm>
#include <optional>

#include "platform/db/tsql/token.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// The column of "column = 'text'" (written either way round), or null.
const Expr* codeLookedUp(const Expr& condition) {
  if (condition.kind != ExprKind::Binary || condition.text != "=") return nullptr;
  const Expr& left = *condition.args[0];
  const Expr& right = *condition.args[1];
  if (left.kind == ExprKind::Column && right.kind == ExprKind::String) return &left;
  if (right.kind == ExprKind::Column && left.kind == ExprKind::String) return &right;
  return nullptr;
}

// The only query of a SELECT without UNION, or null.
const QuerySpec* singleQuery(const Select& select) {
  return select.specs.size() == 1 && select.specs.front().where ? &select.specs.front() : nullptr;
}

std::vector<const Expr*> columnsLookedUp(const QuerySpec& query) {
  std::vector<const Expr*> conditions;
  requiredConditions(*query.where, conditions);
  std::vector<const Expr*> columns;
  for (const Expr* condition : conditions) {
    if (const Expr* column = codeLookedUp(*condition)) columns.push_back(column);
  }
  return columns;
}

bool isWorkingTable(const TableRef& ref) { return !ref.derived && ref.table.isTemp(); }

// The working table of FROM the column belongs to, with the column as the catalog spells it.
struct Owner {
  const TableRef* table;
  CatalogColumn column;
};

std::optional<Owner> ownerOf(const Expr& column, const QuerySpec& query, const Catalog& catalog) {
  for (const TableRef& ref : query.from) {
    if (!isWorkingTable(ref)) continue;
    if (!column.qualifier.empty() && !platform::text::equalsIgnoringCase(column.qualifier, ref.exposedName())) continue;
    const auto columns = catalog.columns(ref.table.name());
    if (!columns) continue;
    if (const CatalogColumn* found = findColumn(*columns, column.text)) return Owner{&ref, *found};
  }
  return std::nullopt;
}

}  // namespace

bool mayLookUpWorkingTable(const Select& select) {
  const QuerySpec* query = singleQuery(select);
  return query != nullptr && std::any_of(query->from.begin(), query->from.end(), isWorkingTable) &&
         !columnsLookedUp(*query).empty();
}

std::vector<SqliteStep> lookupIndexSteps(const Select& select, const Catalog& catalog) {
  std::vector<SqliteStep> steps;
  const QuerySpec* query = singleQuery(select);
  if (query == nullptr) return steps;
  for (const Expr* column : columnsLookedUp(*query)) {
    const auto owner = ownerOf(*column, *query, catalog);
    if (!owner || owner->column.isRowKey || owner->column.inSide || owner->column.collation.empty()) continue;
    const std::string& table = owner->table->table.name();
    steps.push_back({"CREATE INDEX IF NOT EXISTS temp." + quoteName("lookup_" + table + "_" + owner->column.name) +
                         " ON " + quoteName(table) + " (" + quoteName(owner->column.name) + ")",
                     false});
  }
  return steps;
}

}  // namespace platform::db::tsql
