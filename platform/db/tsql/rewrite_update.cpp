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
  if (plainFrom && !s.where && s.target.isTemp() && plainValues) return resetEveryRow(s);
  if (plainFrom && (!readsItself || s.selfReadsSettled)) return updateInPlace(s);
  return updateThroughJoin(s, plainFrom);
}

// Every row of a temporary table set to plain numbers or NULL (the working tables' column
// resets): SQLite would rewrite each whole record even where nothing changes, so only rows
// that change are written, and the count, which SQL Server gives as every row, is taken from
// the table.
Statement Writer::resetEveryRow(const UpdateStmt& s) {
  std::string update = "UPDATE " + tableName(s.target) + " SET ";
  std::string changing;
  assignments(s.target, s.sets, [&](size_t i, std::string& value) { expr(*s.sets[i].value, value); }, update);
  for (size_t i = 0; i < s.sets.size(); ++i) {
    changing += i > 0 ? " OR " : "";
    std::string value;
    expr(*s.sets[i].value, value);
    changing += targetColumn(s.target, s.sets[i].column) + " IS NOT " + value;
  }
  Statement statement;
  statement.steps.push_back({"SELECT count(*) FROM " + tableName(s.target), false, true});
  statement.steps.push_back({update + " WHERE " + changing, false});
  return statement;
}

// The target alone, its subqueries reading other tables: SQLite's UPDATE means the same.
Statement Writer::updateInPlace(const UpdateStmt& s) {
  const EnteredScope entered(m_scopes, {targetOf(s.target)});
  std::string sql = "UPDATE " + tableName(s.target) + " SET ";
  assignments(s.target, s.sets, [&](size_t i, std::string& value) { expr(*s.sets[i].value, value); }, sql);
  if (s.where) {
    sql += " WHERE ";
    expr(*s.where, sql);
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

  // The joined rows, written once for either form.
  ObjectName updated = s.target;
  std::string source;
  std::string qualifier;
  Scope joined;
  if (plainFrom) {
    source = tableName(s.target);
    qualifier = quoteName(s.target.name());
    joined.push_back(targetOf(s.target));
  } else {
    TargetInFrom found = findTarget(*this, s.target, s.from);
    if (found.ref == nullptr) {
      // The target is not in FROM: SQL Server joins it to the FROM list.
      source = tableName(s.target) + ", ";
      qualifier = quoteName(s.target.name());
      joined.push_back(targetOf(s.target));
    } else {
      updated = found.ref->table;
      qualifier = found.qualifier;
    }
    const Scope listed = scopeOf(s.from);
    joined.insert(joined.end(), listed.begin(), listed.end());
  }
  const EnteredScope entered(m_scopes, std::move(joined));
  if (!plainFrom) from(s.from, source);
  std::string filter;
  if (s.where) {
    filter = " WHERE ";
    expr(*s.where, filter);
  }

  std::string sql = "UPDATE " + tableName(updated) + " SET ";
  if (constant) {
    assignments(updated, s.sets, [&](size_t i, std::string& value) { expr(*s.sets[i].value, value); }, sql);
    sql += " WHERE rowid IN (SELECT " + qualifier + ".rowid FROM " + source + filter + ")";
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
           ") AS " + std::string(kDerived) + " WHERE " + quoteName(updated.name()) + ".rowid = " +
           std::string(kDerived) + "." + std::string(kRowId);
  }
  Statement statement;
  statement.steps.push_back({std::move(sql), true});
  return statement;
}

Statement Writer::remove(const DeleteStmt& s) {
  std::string sql = "DELETE FROM ";
  if (s.from.empty() || fromIsTargetAlone(s.target, s.from)) {
    const EnteredScope entered(m_scopes, {targetOf(s.target)});
    sql += tableName(s.target);
    if (s.where) {
      sql += " WHERE ";
      expr(*s.where, sql);
    }
  } else {
    TargetInFrom found = findTarget(*this, s.target, s.from);
    ObjectName deleted = found.ref == nullptr ? s.target : found.ref->table;
    std::string qualifier = found.ref == nullptr ? quoteName(s.target.name()) : found.qualifier;
    Scope joined = found.ref == nullptr ? Scope{targetOf(s.target)} : Scope{};
    const Scope listed = scopeOf(s.from);
    joined.insert(joined.end(), listed.begin(), listed.end());
    const EnteredScope entered(m_scopes, std::move(joined));
    sql += tableName(deleted);
    sql += " WHERE rowid IN (SELECT " + qualifier + ".rowid FROM ";
    if (found.ref == nullptr) sql += tableName(s.target) + ", ";
    from(s.from, sql);
    if (s.where) {
      sql += " WHERE ";
      expr(*s.where, sql);
    }
    sql += ')';
  }
  Statement statement;
  statement.steps.push_back({std::move(sql), true});
  return statement;
}

}  // namespace platform::db::tsql
