// The syntax tree of the T-SQL subset the console and our own DDL use. The parser builds it,
// the writer walks it; nothing here knows SQLite.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/db/tsql/token.h"

namespace platform::db::tsql {

//! A table, view or index name: [database.][schema.]name, brackets removed.
struct ObjectName {
  std::vector<std::string> parts;
  SourcePos pos;

  const std::string& name() const { return parts.back(); }
  //! #local and ##global temporary tables live in SQLite's temp schema.
  bool isTemp() const { return !parts.empty() && !name().empty() && name()[0] == '#'; }
};

//! A data type as written: INT, CHAR(25), DECIMAL(2,0), VARCHAR(MAX).
struct TypeName {
  std::string name;               // upper case
  std::vector<std::string> args;  // "25", "2", "0", "MAX"
  SourcePos pos;
};

struct Select;
struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

enum class ExprKind {
  Column,    // [qualifier.]name
  Star,      // * or qualifier.*
  Integer,   // text: the digits
  Decimal,   // text: 1.5, 1E3
  String,    // text: the value
  Null,
  Unary,     // op: "-", "+", "~", "NOT"; args[0]
  Binary,    // op: "+", "-", "*", "/", "%", "&", "|", "=", "<>", "<", "<=", ">", ">=" on args[0] and
             // args[1]; "AND", "OR" on two or more args (a chain is one node)
  IsNull,    // args[0] IS [NOT] NULL
  Between,   // args[0] [NOT] BETWEEN args[1] AND args[2]
  Like,      // args[0] [NOT] LIKE args[1] [ESCAPE args[2]]
  InList,    // args[0] [NOT] IN (args[1..])
  InSelect,  // args[0] [NOT] IN (select)
  Exists,    // EXISTS (select)
  Subquery,  // (select) as a value
  Function,  // text: upper-case name; args; distinct; star for COUNT(*)
  Cast,      // CAST(args[0] AS type) and CONVERT(type, args[0] [, style])
  Case,      // [operand] WHEN args[2i] THEN args[2i+1] ... [ELSE elseExpr]
};

struct Expr {
  ExprKind kind;
  SourcePos pos;
  std::string text;       // name, literal value, operator or function name
  std::string qualifier;  // Column, Star: the table or alias written before the dot
  bool negated = false;   // IS NOT NULL, NOT BETWEEN, NOT LIKE, NOT IN
  bool distinct = false;  // COUNT(DISTINCT x)
  bool star = false;      // COUNT(*)
  std::vector<ExprPtr> args;
  std::unique_ptr<Select> select;  // InSelect, Exists, Subquery
  TypeName type;                   // Cast
  std::optional<int> style;        // CONVERT's third argument
  ExprPtr operand;                 // simple CASE
  ExprPtr elseExpr;                // CASE ... ELSE
  int height = 1;                  // the longest path down to a leaf, through subqueries too
  //! InSelect: set by a rewrite whose subquery yields row ids, never NULL, and reads no row
  //! the statement writes; written as a set built once (rowidset) and probed (inrowidset).
  bool rowIdSet = false;

  Expr(ExprKind k, SourcePos p) : kind(k), pos(p) {}
};

enum class JoinKind { First, Comma, Inner, Left, Right, Full, Cross };

//! One entry of a FROM clause: the first table, or a join onto what precedes it.
struct TableRef {
  JoinKind join = JoinKind::First;
  ObjectName table;                 // when derived is null
  std::unique_ptr<Select> derived;  // (SELECT ...) AS alias
  std::string alias;                // empty when none
  ExprPtr on;
  SourcePos pos;

  //! The name its columns are qualified with: the alias, else the table's own name.
  const std::string& exposedName() const { return alias.empty() ? table.name() : alias; }
};

struct SelectItem {
  ExprPtr expr;
  std::string alias;  // empty when none was given
  SourcePos pos;
};

//! One SELECT of a query (a member of a UNION).
struct QuerySpec {
  bool distinct = false;
  ExprPtr top;
  std::vector<SelectItem> items;
  std::optional<ObjectName> into;
  std::vector<TableRef> from;
  ExprPtr where;
  std::vector<ExprPtr> groupBy;
  ExprPtr having;
  SourcePos pos;
};

enum class SetOp { Union, UnionAll, Except, Intersect };

struct OrderItem {
  ExprPtr expr;
  bool descending = false;
};

struct Select {
  std::vector<QuerySpec> specs;  // at least one
  std::vector<SetOp> ops;        // ops[i] joins specs[i] and specs[i + 1]
  std::vector<OrderItem> orderBy;
  int height = 1;  // the longest path down through its expressions and derived tables
};

struct SelectStmt {
  Select select;
};

struct InsertStmt {
  ObjectName table;
  std::vector<std::string> columns;
  std::vector<std::vector<ExprPtr>> rows;  // VALUES
  std::unique_ptr<Select> select;          // INSERT ... SELECT
  bool defaultValues = false;
};

struct Assignment {
  std::string column;
  ExprPtr value;
  SourcePos pos;
};

struct UpdateStmt {
  ObjectName target;
  std::vector<Assignment> sets;
  std::vector<TableRef> from;
  ExprPtr where;
  //! Set by a rewrite whose subqueries read the target only in columns no assignment writes,
  //! as a set built before the first row is written: the UPDATE may be written in place.
  bool selfReadsSettled = false;
};

struct DeleteStmt {
  ObjectName target;
  std::vector<TableRef> from;
  ExprPtr where;
};

struct ColumnDef {
  std::string name;
  TypeName type;
  SourcePos pos;
  bool identity = false;
  std::optional<bool> nullable;  // NULL / NOT NULL as written
  ExprPtr defaultValue;
  bool primaryKey = false;
  bool unique = false;
  bool collateCi = false;  // an explicit case-insensitive collation
};

struct TableConstraint {
  std::string name;  // CONSTRAINT name, or empty
  bool primaryKey = false;  // else UNIQUE
  std::vector<std::pair<std::string, bool>> columns;  // name, descending
  SourcePos pos;
};

struct CreateTableStmt {
  ObjectName table;
  std::vector<ColumnDef> columns;
  std::vector<TableConstraint> constraints;
};

struct CreateIndexStmt {
  bool unique = false;
  std::string name;
  ObjectName table;
  std::vector<std::pair<std::string, bool>> columns;  // name, descending
  SourcePos pos;                                      // of the column list
};

struct CreateViewStmt {
  ObjectName view;
  std::vector<std::string> columns;
  Select select;
};

enum class DropKind { Table, View, Index };

struct DropStmt {
  DropKind kind = DropKind::Table;
  bool ifExists = false;
  std::vector<ObjectName> names;
  std::vector<ObjectName> indexTables;  // DROP INDEX name ON table: the table of each name
};

//! Calls visit on each direct child of an expression: its arguments, CASE operand and ELSE.
//! Its subquery, if any, is the caller's to enter.
template <class Visit>
void forEachChild(const Expr& e, Visit&& visit) {
  for (const ExprPtr& arg : e.args) visit(*arg);
  if (e.operand) visit(*e.operand);
  if (e.elseExpr) visit(*e.elseExpr);
}

//! Calls visit on each expression a query holds directly: TOP, the select items, ON, WHERE,
//! GROUP BY, HAVING and ORDER BY of every member. Derived tables are the caller's to enter.
template <class Visit>
void forEachExpr(const Select& select, Visit&& visit) {
  auto each = [&](const ExprPtr& e) {
    if (e) visit(*e);
  };
  for (const QuerySpec& query : select.specs) {
    each(query.top);
    for (const SelectItem& item : query.items) each(item.expr);
    for (const TableRef& ref : query.from) each(ref.on);
    each(query.where);
    for (const ExprPtr& e : query.groupBy) each(e);
    each(query.having);
  }
  for (const OrderItem& item : select.orderBy) each(item.expr);
}

//! The conditions a WHERE requires: its operands of AND, however nested.
inline void requiredConditions(const Expr& condition, std::vector<const Expr*>& out) {
  if (condition.kind == ExprKind::Binary && condition.text == "AND") {
    for (const ExprPtr& operand : condition.args) requiredConditions(*operand, out);
    return;
  }
  out.push_back(&condition);
}

using StatementNode = std::variant<SelectStmt, InsertStmt, UpdateStmt, DeleteStmt, CreateTableStmt,
                                   CreateIndexStmt, CreateViewStmt, DropStmt>;

}  // namespace platform::db::tsql
