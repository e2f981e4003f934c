// Which columns of a new table go to its side table, which queries read them, and how a grid's
// edit of a row writes both tables. See verdict_side_table.h.
#include "platform/db/tsql/verdict_side_table.h"

#include <algorithm>

#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

using platform::text::equalsIgnoringCase;

bool names(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return equalsIgnoringCase(n, name); });
}

// Stars count only where they stand in the query's own select list: one in a subquery or a
// derived table covers that query's tables.
bool specMentions(const QuerySpec& core, std::string_view exposed, const std::vector<std::string>& columns,
                  bool starsCount);

bool selectMentions(const Select& s, std::string_view exposed, const std::vector<std::string>& columns,
                    bool starsCount) {
  for (const QuerySpec& core : s.specs) {
    if (specMentions(core, exposed, columns, starsCount)) return true;
  }
  return std::any_of(s.orderBy.begin(), s.orderBy.end(),
                     [&](const OrderItem& item) { return mentionsColumn(*item.expr, exposed, columns); });
}

bool specMentions(const QuerySpec& core, std::string_view exposed, const std::vector<std::string>& columns,
                  bool starsCount) {
  auto mentions = [&](const ExprPtr& e) { return e && mentionsColumn(*e, exposed, columns); };
  for (const SelectItem& item : core.items) {
    const Expr& e = *item.expr;
    if (starsCount && e.kind == ExprKind::Star && (e.qualifier.empty() || equalsIgnoringCase(e.qualifier, exposed))) {
      return true;
    }
    if (mentions(item.expr)) return true;
  }
  for (const TableRef& ref : core.from) {
    if (mentions(ref.on) || (ref.derived && selectMentions(*ref.derived, exposed, columns, false))) return true;
  }
  return mentions(core.top) || mentions(core.where) || mentions(core.having) ||
         std::any_of(core.groupBy.begin(), core.groupBy.end(), mentions);
}

}  // namespace

std::string sideTable(std::string_view table) { return "tsql_side " + std::string(table); }

bool maySplit(std::string_view table) { return !table.empty() && table.front() == '#'; }

std::string sideAlias(std::string_view exposed) { return std::string(exposed) + "~"; }

std::optional<std::size_t> sideStart(const CreateTableStmt& create, std::size_t runStart) {
  const auto identity = std::find_if(create.columns.begin(), create.columns.end(),
                                     [](const ColumnDef& column) { return column.identity; });
  if (identity == create.columns.end() || static_cast<std::size_t>(identity - create.columns.begin()) >= runStart) {
    return std::nullopt;
  }
  for (std::size_t i = runStart; i < create.columns.size(); ++i) {
    if (create.columns[i].primaryKey || create.columns[i].unique) return std::nullopt;
  }
  for (const TableConstraint& constraint : create.constraints) {
    for (const auto& [name, descending] : constraint.columns) {
      for (std::size_t i = runStart; i < create.columns.size(); ++i) {
        if (equalsIgnoringCase(create.columns[i].name, name)) return std::nullopt;
      }
    }
  }
  return runStart;
}

bool mentionsColumn(const Expr& e, std::string_view exposed, const std::vector<std::string>& columns) {
  if (e.kind == ExprKind::Column && names(columns, e.text) &&
      (e.qualifier.empty() || equalsIgnoringCase(e.qualifier, exposed))) {
    return true;
  }
  if (e.select && selectMentions(*e.select, exposed, columns, false)) return true;
  bool mentions = false;
  forEachChild(e, [&](const Expr& child) { mentions = mentions || mentionsColumn(child, exposed, columns); });
  return mentions;
}

bool mentionsColumn(const Select& s, std::string_view exposed, const std::vector<std::string>& columns) {
  return selectMentions(s, exposed, columns, true);
}

bool mentionsColumn(const QuerySpec& core, std::string_view exposed, const std::vector<std::string>& columns) {
  return specMentions(core, exposed, columns, true);
}

std::vector<std::string> rowEditStatements(const std::vector<CatalogColumn>* columns, std::string_view table,
                                           RowEdit edit, const std::vector<ColumnValue>& values,
                                           const std::string& keyTest) {
  const bool split = columns != nullptr && std::any_of(columns->begin(), columns->end(),
                                                       [](const CatalogColumn& column) { return column.inSide; });
  std::vector<ColumnValue> own;
  std::vector<ColumnValue> side;
  for (const ColumnValue& value : values) {
    const CatalogColumn* column = split ? findColumn(*columns, value.column) : nullptr;
    (column != nullptr && column->inSide ? side : own).push_back(value);
  }
  const std::string wide = quoteName(table);
  const std::string narrow = quoteName(sideTable(table));
  const std::string sideRow =
      " WHERE " + quoteName(kSideKey) + " IN (SELECT rowid FROM " + wide + keyTest + ")";
  std::vector<std::string> statements;
  switch (edit) {
    case RowEdit::Insert: {
      const auto [names, row] = insertLists(columns, table, own);
      statements.push_back(own.empty() ? "INSERT INTO " + wide + " DEFAULT VALUES"
                                       : "INSERT INTO " + wide + names + " VALUES (" + row + ")");
      if (split) {
        side.insert(side.begin(), {std::string(kSideKey), "last_insert_rowid()", false});
        const auto [sideNames, sideValues] = insertLists(columns, table, side);
        statements.push_back("INSERT INTO " + narrow + sideNames + " VALUES (" + sideValues + ")");
      }
      break;
    }
    case RowEdit::Update:
      // The side row first: it is found through the key the other may change.
      if (!side.empty()) {
        statements.push_back("UPDATE " + narrow + " SET " + assignmentList(columns, table, side) + sideRow);
      }
      if (!own.empty()) statements.push_back("UPDATE " + wide + " SET " + assignmentList(columns, table, own) + keyTest);
      break;
    case RowEdit::Delete:
      if (split) statements.push_back("DELETE FROM " + narrow + sideRow);
      statements.push_back("DELETE FROM " + wide + keyTest);
      break;
  }
  return statements;
}

}  // namespace platform::db::tsql
