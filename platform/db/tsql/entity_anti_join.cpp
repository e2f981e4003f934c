// The entity anti-join optimisation pass. Why the rewritten UPDATE updates the same rows:
// - Row t is in the set exactly when a row of O meets O's own conditions and every equality
//   with t's columns: when the NOT EXISTS is false for t. The equalities are the statement's
//   own, operands in the same order, so SQLite compares them under the same collation (the
//   left column's: TSQL_CI for text, trailing blanks and letter case ignored) and a NULL on
//   either side matches nothing: an item with a NULL classification is in no set, as no row
//   of O exists for it.
// - The set holds row keys (INTEGER PRIMARY KEY), never NULL: "ID NOT IN (set)" is true or false
//   for every row, never unknown, as NOT EXISTS is.
// - The set reads only the row key and the matching columns, which the UPDATE does not assign
//   (checked), and SQLite builds a subquery that reads nothing of the outer row once, before
//   the first row is judged: every row is judged against the table as it was before the
//   statement, as SQL Server judges it, so the UPDATE stays in place.
// - In the join, O's and T's columns share one scope: every column of the new subquery is
//   qualified, O's as O, T's by the alias, so that no name is read from the other table.
// O's own conditions may read only O: with a subquery or a column of T among them, the
// statement is left as it is. The matching columns must be text (codes): a row of O picks few
// rows of T by a code, while a number equated, such as a state, picks a large share of them
// for each row of O, and the set then costs more than the searches it saves (the start-state
// check of one of fifty bodies: a set of 1.1 million rows for 100,000 items, 16 times slower).
// A number is also where the set's index would be of least use.
#include "platform/db/tsql/entity_anti_join.h"

#include <algorithm>

#include "platform/db/tsql/ast_copy.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// The working table's name in the new subquery.
constexpr std::string_view kMatched = "tsql_w";

using Columns = std::vector<CatalogColumn>;

bool sameName(std::string_view a, std::string_view b) { return platform::text::equalsIgnoringCase(a, b); }


// An UPDATE of a working table alone ("FROM T" naming it again is the same).
bool updatesWorkingTable(const UpdateStmt& update) {
  if (!update.target.isTemp() || !update.where) return false;
  if (update.from.empty()) return true;
  const TableRef& only = update.from.front();
  return update.from.size() == 1 && !only.derived && only.alias.empty() &&
         sameName(only.table.name(), update.target.name());
}

bool isLiteral(const Expr& e) {
  return e.kind == ExprKind::Integer || e.kind == ExprKind::Decimal || e.kind == ExprKind::String ||
         e.kind == ExprKind::Null || e.kind == ExprKind::Star;
}

// The query of "NOT EXISTS (SELECT 1 FROM O WHERE ...)" over one table, or null. Its items
// must be literals: an aggregate would yield a row whatever the WHERE finds.
const QuerySpec* notExistsOverOneTable(const Expr& condition) {
  if (condition.kind != ExprKind::Unary || condition.text != "NOT" || condition.args[0]->kind != ExprKind::Exists) {
    return nullptr;
  }
  const Select& select = *condition.args[0]->select;
  if (select.specs.size() != 1 || !select.orderBy.empty()) return nullptr;
  const QuerySpec& query = select.specs.front();
  if (query.top || !query.groupBy.empty() || query.having || !query.where || query.from.size() != 1 ||
      query.from.front().derived) {
    return nullptr;
  }
  const bool literals = std::all_of(query.items.begin(), query.items.end(),
                                    [](const SelectItem& item) { return isLiteral(*item.expr); });
  return literals ? &query : nullptr;
}

bool equatesColumns(const Expr& condition) {
  return condition.kind == ExprKind::Binary && condition.text == "=" && condition.args.size() == 2 &&
         isBareColumn(*condition.args[0]) && isBareColumn(*condition.args[1]);
}

std::vector<const Expr*> conditionsOf(const Expr& where) {
  std::vector<const Expr*> conditions;
  requiredConditions(where, conditions);
  return conditions;
}

// Which table an unqualified or qualified column of the subquery reads: O first, as SQL
// resolves a name from the innermost query out, then the working table.
enum class Side { Other, Working, Unknown };

struct Sides {
  const TableRef& other;
  const Columns& otherColumns;
  const ObjectName& working;
  const Columns& workingColumns;

  Side of(const Expr& column) const {
    const bool otherNamed = column.qualifier.empty() || sameName(column.qualifier, other.exposedName());
    if (otherNamed && findColumn(otherColumns, column.text) != nullptr) return Side::Other;
    const bool workingNamed = column.qualifier.empty() || sameName(column.qualifier, working.name());
    if (workingNamed && findColumn(workingColumns, column.text) != nullptr) return Side::Working;
    return Side::Unknown;
  }

  // Whether the condition reads O's columns and nothing else: no subquery, no column of T.
  bool readsOnlyOther(const Expr& e) const {
    if (e.select || e.kind == ExprKind::Star) return false;
    if (e.kind == ExprKind::Column) return of(e) == Side::Other;
    bool only = true;
    forEachChild(e, [&](const Expr& child) { only = only && readsOnlyOther(child); });
    return only;
  }

  // The copy of a condition with every column qualified by the table it reads.
  ExprPtr qualified(const Expr& condition) const {
    ExprPtr copy = copyOf(condition);
    qualify(*copy);
    return copy;
  }

 private:
  void qualify(Expr& e) const {
    if (e.kind == ExprKind::Column) {
      e.qualifier = of(e) == Side::Other ? other.exposedName() : std::string(kMatched);
      return;
    }
    for (ExprPtr& arg : e.args) qualify(*arg);
    if (e.operand) qualify(*e.operand);
    if (e.elseExpr) qualify(*e.elseExpr);
  }
};

class Rewrite {
 public:
  Rewrite(const UpdateStmt& update, const Columns& working, const CatalogColumn& key, const Catalog& catalog)
      : m_update(update), m_working(working), m_key(key), m_catalog(catalog) {}

  //! "ID NOT IN (...)" for a NOT EXISTS that can be one, else null.
  ExprPtr antiJoin(const Expr& condition) {
    const QuerySpec* query = notExistsOverOneTable(condition);
    if (query == nullptr) return nullptr;
    const TableRef& other = query->from.front();
    if (sameName(other.table.name(), m_update.target.name())) return nullptr;
    const auto otherColumns = m_catalog.columns(other.table.name());
    if (!otherColumns) return nullptr;
    const Sides sides{other, *otherColumns, m_update.target, m_working};

    std::vector<ExprPtr> matches, own;
    std::vector<std::string> indexed;
    for (const Expr* inner : conditionsOf(*query->where)) {
      if (equatesColumns(*inner) && sides.of(*inner->args[0]) != sides.of(*inner->args[1]) &&
          sides.of(*inner->args[0]) != Side::Unknown && sides.of(*inner->args[1]) != Side::Unknown) {
        const Expr& workingSide = sides.of(*inner->args[0]) == Side::Working ? *inner->args[0] : *inner->args[1];
        const CatalogColumn& matched = *findColumn(m_working, workingSide.text);
        if (matched.collation.empty() || !unwritten(matched.name)) return nullptr;
        const std::string& name = matched.name;
        if (std::find(indexed.begin(), indexed.end(), name) == indexed.end()) indexed.push_back(name);
        matches.push_back(sides.qualified(*inner));
      } else if (sides.readsOnlyOther(*inner)) {
        own.push_back(sides.qualified(*inner));
      } else {
        return nullptr;
      }
    }
    if (matches.empty()) return nullptr;

    Select select;
    QuerySpec& matchedIds = select.specs.emplace_back();
    matchedIds.pos = query->pos;
    matchedIds.items.push_back({columnRef(std::string(kMatched), m_key.name, query->pos), "", query->pos});
    matchedIds.from.push_back(copyOf(other));
    TableRef& joined = matchedIds.from.emplace_back();
    joined.join = JoinKind::Inner;
    joined.table = m_update.target;
    joined.alias = kMatched;
    joined.on = allOf(std::move(matches), query->pos);
    joined.pos = other.pos;
    if (!own.empty()) matchedIds.where = allOf(std::move(own), query->pos);

    auto notIn = std::make_unique<Expr>(ExprKind::InSelect, condition.pos);
    notIn->negated = true;
    notIn->rowIdSet = true;
    notIn->args.push_back(columnRef("", m_key.name, condition.pos));
    notIn->select = std::make_unique<Select>(std::move(select));
    addIndex(indexed);
    return notIn;
  }

  std::vector<SqliteStep> takeSteps() { return std::move(m_steps); }

 private:
  // A column no assignment writes, and not the row key the set is made of.
  bool unwritten(const std::string& name) const {
    if (sameName(name, m_key.name)) return false;
    return std::none_of(m_update.sets.begin(), m_update.sets.end(),
                        [&](const Assignment& set) { return sameName(set.column, name); });
  }

  void addIndex(const std::vector<std::string>& columns) {
    const std::string& table = m_update.target.name();
    std::string name = "antijoin_" + table;
    for (const std::string& c : columns) name += "_" + c;
    std::string sql = "CREATE INDEX IF NOT EXISTS temp." + quoteName(name) + " ON " + quoteName(table) +
                      quotedColumnList(columns);
    const bool known = std::any_of(m_steps.begin(), m_steps.end(), [&](const SqliteStep& s) { return s.sql == sql; });
    if (!known) m_steps.push_back({std::move(sql), false});
  }

  const UpdateStmt& m_update;
  const Columns& m_working;
  const CatalogColumn& m_key;
  const Catalog& m_catalog;
  std::vector<SqliteStep> m_steps;
};

// "ID = n": the WHERE picks one row by its key.
bool picksOneRow(const Expr& condition, const CatalogColumn& key, const ObjectName& target) {
  if (condition.kind != ExprKind::Binary || condition.text != "=" || condition.args.size() != 2) return false;
  for (int i = 0; i < 2; ++i) {
    const Expr& keyed = *condition.args[i];
    const bool isKey = keyed.kind == ExprKind::Column && sameName(keyed.text, key.name) &&
                       (keyed.qualifier.empty() || sameName(keyed.qualifier, target.name()));
    if (isKey && isConstant(*condition.args[1 - i])) return true;
  }
  return false;
}

}  // namespace

bool mayAntiJoin(const UpdateStmt& update) {
  if (!updatesWorkingTable(update)) return false;
  for (const Expr* condition : conditionsOf(*update.where)) {
    const QuerySpec* query = notExistsOverOneTable(*condition);
    if (query == nullptr) continue;
    const std::vector<const Expr*> inner = conditionsOf(*query->where);
    if (std::any_of(inner.begin(), inner.end(), [](const Expr* c) { return equatesColumns(*c); })) return true;
  }
  return false;
}

std::optional<AntiJoin> entityAntiJoin(const UpdateStmt& update, const Catalog& catalog) {
  if (!mayAntiJoin(update)) return std::nullopt;
  // Only the new sets may read the target: the UPDATE is then written in place.
  const std::string& target = update.target.name();
  if (readsTable(*update.where, target)) return std::nullopt;
  for (const Assignment& set : update.sets) {
    if (readsTable(*set.value, target)) return std::nullopt;
  }
  const auto working = catalog.columns(target);
  if (!working) return std::nullopt;
  const auto key = std::find_if(working->begin(), working->end(), [](const CatalogColumn& c) { return c.isRowKey; });
  if (key == working->end()) return std::nullopt;

  const std::vector<const Expr*> conditions = conditionsOf(*update.where);
  const auto picksOne = [&](const Expr* c) { return picksOneRow(*c, *key, update.target); };
  if (std::any_of(conditions.begin(), conditions.end(), picksOne)) {
    return std::nullopt;
  }
  Rewrite rewrite(update, *working, *key, catalog);
  std::vector<ExprPtr> rewritten;
  bool changed = false;
  for (const Expr* condition : conditions) {
    ExprPtr antiJoin = rewrite.antiJoin(*condition);
    changed = changed || antiJoin != nullptr;
    rewritten.push_back(antiJoin ? std::move(antiJoin) : copyOf(*condition));
  }
  if (!changed) return std::nullopt;

  AntiJoin result;
  result.update.target = update.target;
  for (const Assignment& set : update.sets) result.update.sets.push_back({set.column, copyOf(*set.value), set.pos});
  for (const TableRef& ref : update.from) result.update.from.push_back(copyOf(ref));
  result.update.where = allOf(std::move(rewritten), update.where->pos);
  result.update.selfReadsSettled = true;
  result.steps = rewrite.takeSteps();
  return result;
}

}  // namespace platform::db::tsql
