// The fill-in-row-order optimisation pass. Why the rewritten fill copies the same rows:
// - The moved conditions read only the first table's columns and constants: no subquery, no
//   column another table of FROM has. For a row of B they hold inside "SELECT rowid FROM B
//   WHERE ..." exactly when they hold in the fill, and B, first in FROM with no RIGHT or FULL
//   join after it, is never the NULL side of a join, so where they are judged does not change
//   which rows pass.
// - A table's row id names one row and is never NULL: "rowid IN (...)" is true or false.
// - Only the order in which SQLite finds the rows changes, which SQL Server does not promise
//   without ORDER BY; a fill with ORDER BY numbers its rows in that order, and is left alone.
#include "platform/db/tsql/fill_row_order.h"

#include <algorithm>
#include <vector>

#include "platform/db/tsql/ast_copy.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

using Columns = std::vector<CatalogColumn>;

constexpr std::string_view kRowId = "rowid";

bool sameName(std::string_view a, std::string_view b) { return platform::text::equalsIgnoringCase(a, b); }

// The tables of the fill's FROM: the first one, whose conditions move, and the others.
struct Sources {
  const TableRef& first;
  const Columns& firstColumns;
  const std::vector<std::string>& firstIndexLeaders;
  const std::vector<Columns>& otherColumns;

  // The first table's column a column reference reads, or null: qualified by its name, or
  // unqualified and a column of no other table.
  const CatalogColumn* firstTableColumn(const Expr& column) const {
    if (column.kind != ExprKind::Column) return nullptr;
    if (!column.qualifier.empty() && !sameName(column.qualifier, first.exposedName())) return nullptr;
    const CatalogColumn* found = findColumn(firstColumns, column.text);
    if (found == nullptr || !column.qualifier.empty()) return found;
    const bool elsewhere = std::any_of(otherColumns.begin(), otherColumns.end(), [&](const Columns& other) {
      return findColumn(other, column.text) != nullptr;
    });
    return elsewhere ? nullptr : found;
  }

  bool readsOnlyFirst(const Expr& e) const {
    if (e.select || e.kind == ExprKind::Star) return false;
    if (e.kind == ExprKind::Column) return firstTableColumn(e) != nullptr;
    bool only = true;
    forEachChild(e, [&](const Expr& child) { only = only && readsOnlyFirst(child); });
    return only;
  }

  // "column = constant" (either way round) on a column that leads one of the first table's
  // indexes: the equality SQLite would read the table through.
  bool searchesIndex(const Expr& condition) const {
    if (condition.kind != ExprKind::Binary || condition.text != "=" || condition.args.size() != 2) return false;
    for (int i = 0; i < 2; ++i) {
      const CatalogColumn* column = firstTableColumn(*condition.args[i]);
      if (column != nullptr && leadsIndex(*column) && isConstant(*condition.args[1 - i])) return true;
    }
    return false;
  }

  bool leadsIndex(const CatalogColumn& column) const {
    return std::any_of(firstIndexLeaders.begin(), firstIndexLeaders.end(),
                       [&](const std::string& leader) { return sameName(leader, column.name); });
  }
};

// The fill's query when the pass may apply to it: one query, no ORDER BY or TOP, from a table
// of the database first, followed by no RIGHT or FULL join.
const QuerySpec* fillingQuery(const InsertStmt& insert) {
  if (!insert.table.isTemp() || !insert.select) return nullptr;
  const Select& select = *insert.select;
  if (select.specs.size() != 1 || !select.orderBy.empty()) return nullptr;
  const QuerySpec& query = select.specs.front();
  if (query.top || query.into || !query.where || query.from.empty()) return nullptr;
  const TableRef& first = query.from.front();
  if (first.derived || first.table.isTemp()) return nullptr;
  const bool outerJoined = std::any_of(query.from.begin(), query.from.end(), [](const TableRef& ref) {
    return ref.join == JoinKind::Right || ref.join == JoinKind::Full;
  });
  return outerJoined ? nullptr : &query;
}

}  // namespace

std::optional<InsertStmt> fillInRowOrder(const InsertStmt& insert, const Catalog& catalog) {
  const QuerySpec* query = fillingQuery(insert);
  if (query == nullptr) return std::nullopt;
  const TableRef& first = query->from.front();
  const auto firstColumns = catalog.columns(first.table.name());
  if (!firstColumns || findColumn(*firstColumns, kRowId) != nullptr) return std::nullopt;
  std::vector<Columns> otherColumns;
  for (auto ref = query->from.begin() + 1; ref != query->from.end(); ++ref) {
    auto columns = ref->derived ? std::nullopt : catalog.columns(ref->table.name());
    if (!columns) return std::nullopt;  // a derived table's names are not known here
    otherColumns.push_back(std::move(*columns));
  }
  const std::vector<std::string> leaders = catalog.indexLeaders(first.table.name());
  if (leaders.empty()) return std::nullopt;
  const Sources sources{first, *firstColumns, leaders, otherColumns};

  std::vector<const Expr*> conditions;
  requiredConditions(*query->where, conditions);
  if (std::none_of(conditions.begin(), conditions.end(), [&](const Expr* c) { return sources.searchesIndex(*c); })) {
    return std::nullopt;
  }
  std::vector<ExprPtr> moved, kept;
  for (const Expr* condition : conditions) {
    (sources.readsOnlyFirst(*condition) ? moved : kept).push_back(copyOf(*condition));
  }

  const SourcePos pos = query->where->pos;
  Select rowIds;
  QuerySpec& picked = rowIds.specs.emplace_back();
  picked.pos = pos;
  picked.items.push_back({columnRef("", std::string(kRowId), pos), "", pos});
  picked.from.push_back(copyOf(first));
  picked.where = allOf(std::move(moved), pos);

  auto inRowIds = std::make_unique<Expr>(ExprKind::InSelect, pos);
  inRowIds->args.push_back(columnRef(first.exposedName(), std::string(kRowId), pos));
  inRowIds->select = std::make_unique<Select>(std::move(rowIds));
  kept.insert(kept.begin(), std::move(inRowIds));

  InsertStmt rewritten;
  rewritten.table = insert.table;
  rewritten.columns = insert.columns;
  rewritten.select = std::make_unique<Select>(copyOf(*insert.select));
  rewritten.select->specs.front().where = allOf(std::move(kept), pos);
  return rewritten;
}

}  // namespace platform::db::tsql
