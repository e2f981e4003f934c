// UPDATE ... FROM and DELETE ... FROM with SQL Server's meaning. In SQL Server the target named
// again in FROM *is* the target, so unqualified names in every ON clause reach it; SQLite joins
// FROM as further tables and rejects or misreads those shapes. Such statements keep their FROM
// and WHERE whole inside a subquery that picks target rows by rowid:
//   constant SET:  UPDATE t SET c = 0 WHERE rowid IN (SELECT t.rowid FROM <from> WHERE <where>)
//   otherwise:     UPDATE t SET c = J.v1 FROM (SELECT t.rowid AS rid, <expr> AS v1 FROM <from>
//                  WHERE <where>) AS J WHERE t.rowid = J.rid
// The same forms make an UPDATE whose subqueries read its own target set-based: SQLite lets
// later rows see the changes made to earlier ones.
#include "platform/db/tsql/entity_anti_join.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

constexpr std::string_view kDerived = "\"tsql_j\"";
constexpr std::string_view kRowId = "\"tsql_rid\"";

bool selectReadsTable(const Select& select, std::string_view table);

bool refsReadTable(const std::vector<TableRef>& refs, std::string_view table) {
  for (const TableRef& ref : refs) {
    if (ref.derived ? selectReadsTable(*ref.derived, table) : platform::text::equalsIgnoringCase(ref.table.name(), table)) return true;
  }
  return false;
}

bool selectReadsTable(const Select& select, std::string_view table) {
  for (const QuerySpec& core : select.specs) {
    if (refsReadTable(core.from, table)) return true;
  }
  bool reads = false;
  forEachExpr(select, [&](const Expr& e) { reads = reads || readsTable(e, table); });
  return reads;
}

// How the target stands in the FROM list.
struct TargetInFrom {
  const TableRef* ref = nullptr;  // null: the target is not in FROM
  std::string qualifier;          // what its rowid is qualified with
};

}  // namespace

bool readsTable(const Expr& e, std::string_view table) {
  if (e.select && selectReadsTable(*e.select, table)) return true;
  bool reads = false;
  forEachChild(e, [&](const Expr& child) { reads = reads || readsTable(child, table); });
  return reads;
}

namespace {

// The FROM entry that is the target: one aliased with the target's name, else the one
// unaliased entry of the target table. Two unaliased entries are SQL Server's error 8154.
TargetInFrom findTarget(const Writer& writer, const ObjectName& target, const std::vector<TableRef>& from) {
  TargetInFrom found;
  for (const TableRef& ref : from) {
    if (!ref.alias.empty() && platform::text::equalsIgnoringCase(ref.alias, target.name())) {
      if (ref.derived) writer.unsupported("UPDATE of a derived table", ref.pos);
      found.ref = &ref;
      found.qualifier = quoteName(ref.alias);
      return found;
    }
  }
  for (const TableRef& ref : from) {
    if (ref.derived || !ref.alias.empty() || !platform::text::equalsIgnoringCase(ref.table.name(), target.name())) continue;
    if (found.ref != nullptr) {
      writer.fail("The table '" + target.name() + "' is ambiguous.", "table " + target.name(), ref.pos, 8154);
    }
    found.ref = &ref;
    found.qualifier = quoteName(ref.table.name());
  }
  return found;
}

// A number or NULL written as it stands: what an unchanged-row test can compare with.
bool isPlainValue(const Expr& e) {
  if (e.kind == ExprKind::Integer || e.kind == ExprKind::Decimal || e.kind == ExprKind::Null) return true;
  return e.kind == ExprKind::Unary && (e.text == "-" || e.text == "+") && e.args.size() == 1 &&
         (e.args[0]->kind == ExprKind::Integer || e.args[0]->kind == ExprKind::Decimal);
}

bool fromIsTargetAlone(const ObjectName& target, const std::vector<TableRef>& from) {
  return from.size() == 1 && !from.front().derived && from.front().alias.empty() &&
         platform::text::equalsIgnoringCase(from.front().table.name(), target.name());
}

// Whether an UPDATE or DELETE reads a side column of the table it knows as `exposed`: in its
// WHERE, its values or its FROM list.
bool readsColumn(const ExprPtr& where, const std::vector<Assignment>* sets, const std::vector<TableRef>& from,
                 std::string_view exposed, const std::vector<std::string>& columns) {
  if (columns.empty()) return false;
  if (where && mentionsColumn(*where, exposed, columns)) return true;
  if (sets != nullptr) {
    for (const Assignment& set : *sets) {
      if (mentionsColumn(*set.value, exposed, columns)) return true;
    }
  }
  for (const TableRef& ref : from) {
    if ((ref.on && mentionsColumn(*ref.on, exposed, columns)) ||
        (ref.derived && mentionsColumn(*ref.derived, exposed, columns))) {
      return true;
    }
  }
  return false;
}

}  // namespace

// UPDATE picks one of three ways to write the statement, in this order: a reset of every row
// of a working table, an UPDATE in place, or an UPDATE through the joined rows. A statement
// the entity anti-join pass rewrites is written as its rewriting, after the pass's steps.
Statement Writer::update(const UpdateStmt& s) {
  if (m_catalog != nullptr && m_passes.entityAntiJoin) {
    if (std::optional<AntiJoin> rewritten = entityAntiJoin(s, *m_catalog)) {
      Statement statement = update(rewritten->update);
      statement.steps.insert(statement.steps.begin(), rewritten->steps.begin(), rewritten->steps.end());
      return statement;
    }
  }
  // "FROM target" alone names the target again: the statement is the UPDATE without FROM.
  const bool plainFrom = s.from.empty() || fromIsTargetAlone(s.target, s.from);
  bool readsItself = s.where && readsTable(*s.where, s.target.name());
  bool plainValues = true;
  for (const Assignment& set : s.sets) {
    readsItself = readsItself || readsTable(*set.value, s.target.name());
    plainValues = plainValues && isPlainValue(*set.value);
  }
  // A split table's side columns are updated in the side table, its own ones in place where
  // the statement reads no side column (verdict_side_table.h).
  const SetsIn sets = setsIn(s.target, s.sets);
  if (plainFrom && !s.where && s.target.isTemp() && plainValues && sets != SetsIn::Both) {
    return resetEveryRow(s, sets == SetsIn::Side);
  }
  if (plainFrom && (!readsItself || s.selfReadsSettled)) {
    if (sets == SetsIn::Side) return updateInPlace(s, true);
    if (sets == SetsIn::Own && !readsColumn(s.where, &s.sets, s.from, s.target.name(), sideColumns(s.target))) {
      return updateInPlace(s, false);
    }
  }
  return updateThroughJoin(s, plainFrom);
}

// Every row of a temporary table set to plain numbers or NULL (the working tables' column
// resets): SQLite would rewrite each whole record even where nothing changes, so only rows
// that change are written, and the count, which SQL Server gives as every row, is taken from
// the table.
Statement Writer::resetEveryRow(const UpdateStmt& s, bool ofSide) {
  const std::string table = ofSide ? "temp." + quoteName(sideTable(s.target.name())) : tableName(s.target);
  std::string update = "UPDATE " + table + " SET ";
  std::string changing;
  assignments(s.target, s.sets, [&](size_t i, std::string& value) { expr(*s.sets[i].value, value); }, update);
  for (size_t i = 0; i < s.sets.size(); ++i) {
    changing += i > 0 ? " OR " : "";
    std::string value;
    expr(*s.sets[i].value, value);
    changing += targetColumn(s.target, s.sets[i].column) + " IS NOT " + value;
  }
  Statement statement;
  statement.steps.push_back({"SELECT count(*) FROM " + table, false, true});
  statement.steps.push_back({update + " WHERE " + changing, false});
  return statement;
}

// The target alone, its subqueries reading other tables: SQLite's UPDATE means the same. An
// update of the side table reads the other columns through the row id.
Statement Writer::updateInPlace(const UpdateStmt& s, bool ofSide) {
  ScopeTable target = targetOf(s.target);
  if (ofSide) {
    target.sideAs = quoteName(sideTable(s.target.name()));
    target.ownByRowId = true;
  }
  const EnteredScope entered(m_scopes, {target});
  std::string sql = "UPDATE " + (ofSide ? "temp." + target.sideAs : tableName(s.target)) + " SET ";
  assignments(s.target, s.sets, [&](size_t i, std::string& value) { expr(*s.sets[i].value, value); }, sql);
  return filtered(std::move(sql), s.where);
}

Statement Writer::filtered(std::string sql, const ExprPtr& where) {
  if (where) {
    sql += " WHERE ";
    expr(*where, sql);
  }
  Statement statement;
  statement.steps.push_back({std::move(sql), true});
  return statement;
}

// UPDATE ... FROM, or an UPDATE reading its own target: the rows are picked (and the values
// computed) in a subquery over the FROM list, as the header says.
Statement Writer::updateThroughJoin(const UpdateStmt& s, bool plainFrom) {
  bool constant = true;
  for (const Assignment& set : s.sets) constant = constant && isConstant(*set.value);

  // The joined rows, written once for either form. A split table is joined to its side table
  // where the statement reads side columns.
  ObjectName updated = s.target;
  std::string source;
  std::string qualifier;
  Scope joined;
  auto readsSide = [&](const TableRef& ref) {
    return readsColumn(s.where, &s.sets, s.from, ref.exposedName(), sideColumns(ref.table));
  };
  TargetInFrom found = plainFrom ? TargetInFrom{} : findTarget(*this, s.target, s.from);
  if (found.ref == nullptr) {
    // Without FROM, or with the target not in FROM: SQL Server joins it to the FROM list.
    const bool paired = readsColumn(s.where, &s.sets, s.from, s.target.name(), sideColumns(s.target));
    source = paired ? splitSource(s.target) : tableName(s.target);
    if (!plainFrom) source += ", ";
    qualifier = quoteName(s.target.name());
    joined.push_back(targetOf(s.target));
    if (paired) joined.back().sideAs = quoteName(sideAlias(s.target.name()));
  } else {
    updated = found.ref->table;
    qualifier = found.qualifier;
  }
  if (!plainFrom) {
    const Scope listed = scopeOf(s.from);
    joined.insert(joined.end(), listed.begin(), listed.end());
  }
  const EnteredScope entered(m_scopes, std::move(joined));
  if (!plainFrom) from(s.from, source, readsSide);
  std::string filter;
  if (s.where) {
    filter = " WHERE ";
    expr(*s.where, filter);
  }

  // Side columns are written in the side table, whose rows have the wide rows' ids.
  const SetsIn sets = setsIn(updated, s.sets);
  const std::string written =
      sets == SetsIn::Side ? "temp." + quoteName(sideTable(updated.name())) : tableName(updated);
  const std::string writtenKey =
      sets == SetsIn::Side ? quoteName(sideTable(updated.name())) + "." + quoteName(kSideKey) : quoteName(updated.name()) + ".rowid";
  if (sets == SetsIn::Both) {
    std::string rows = "SELECT " + qualifier + ".rowid AS " + std::string(kRowId);
    for (size_t i = 0; i < s.sets.size(); ++i) {
      rows += ", ";
      expr(*s.sets[i].value, rows);
      rows += " AS " + quoteName("tsql_v" + std::to_string(i + 1));
    }
    return updateBothTables(updated, s, rows + " FROM " + source + filter);
  }
  std::string sql = "UPDATE " + written + " SET ";
  if (constant) {
    assignments(updated, s.sets, [&](size_t i, std::string& value) { expr(*s.sets[i].value, value); }, sql);
    sql += " WHERE " + (sets == SetsIn::Side ? quoteName(kSideKey) : std::string("rowid")) + " IN (SELECT " + qualifier +
           ".rowid FROM " + source + filter + ")";
  } else {
    std::string values;
    for (size_t i = 0; i < s.sets.size(); ++i) {
      values += ", ";
      expr(*s.sets[i].value, values);
      values += " AS " + quoteName("tsql_v" + std::to_string(i + 1));
    }
    assignments(
        updated, s.sets,
        [&](size_t i, std::string& value) {
          value += std::string(kDerived) + "." + quoteName("tsql_v" + std::to_string(i + 1));
        },
        sql);
    sql += " FROM (SELECT " + qualifier + ".rowid AS " + std::string(kRowId) + values + " FROM " + source + filter +
           ") AS " + std::string(kDerived) + " WHERE " + writtenKey + " = " + std::string(kDerived) + "." +
           std::string(kRowId);
  }
  Statement statement;
  statement.steps.push_back({std::move(sql), true});
  return statement;
}

Statement Writer::remove(const DeleteStmt& s) {
  if (splits(s.target) || (!s.from.empty() && !fromIsTargetAlone(s.target, s.from))) return deleteThroughJoin(s);
  const EnteredScope entered(m_scopes, {targetOf(s.target)});
  return filtered("DELETE FROM " + tableName(s.target), s.where);
}

// DELETE ... FROM, or a DELETE of a split table: the rows are picked by rowid in a subquery.
Statement Writer::deleteThroughJoin(const DeleteStmt& s) {
  const bool plainFrom = s.from.empty() || fromIsTargetAlone(s.target, s.from);
  TargetInFrom found = plainFrom ? TargetInFrom{} : findTarget(*this, s.target, s.from);
  const ObjectName deleted = found.ref == nullptr ? s.target : found.ref->table;
  std::string qualifier = found.ref == nullptr ? quoteName(s.target.name()) : found.qualifier;
  auto readsSide = [&](const TableRef& ref) {
    return readsColumn(s.where, nullptr, s.from, ref.exposedName(), sideColumns(ref.table));
  };
  Scope joined;
  std::string source;
  if (found.ref == nullptr) {
    const bool paired = readsColumn(s.where, nullptr, s.from, s.target.name(), sideColumns(s.target));
    source = paired ? splitSource(s.target) : tableName(s.target);
    joined.push_back(targetOf(s.target));
    if (paired) joined.back().sideAs = quoteName(sideAlias(s.target.name()));
  }
  if (!plainFrom) {
    const Scope listed = scopeOf(s.from);
    joined.insert(joined.end(), listed.begin(), listed.end());
    if (!source.empty()) source += ", ";
  }
  const EnteredScope entered(m_scopes, std::move(joined));
  if (!plainFrom) from(s.from, source, readsSide);
  std::string filter;
  if (s.where || !plainFrom) {
    filter = " WHERE rowid IN (SELECT " + qualifier + ".rowid FROM " + source;
    if (s.where) {
      filter += " WHERE ";
      expr(*s.where, filter);
    }
    filter += ')';
  }
  if (splits(deleted)) return splitDelete(deleted, filter);
  Statement statement;
  statement.steps.push_back({"DELETE FROM " + tableName(deleted) + filter, true});
  return statement;
}

}  // namespace platform::db::tsql
