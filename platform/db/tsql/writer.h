// The SQLite writer: walks a parsed statement and writes the SQLite statements that give SQL
// Server's result. Identifiers are always double-quoted; temporary tables live in "temp".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/rules.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

//! "name" with embedded quotes doubled.
std::string quoteName(std::string_view name);
//! " (\"a\", \"b\")" for a non-empty list of column names, nothing for an empty one.
std::string quotedColumnList(const std::vector<std::string>& names);

class Writer {
 public:
  Writer(const Catalog* catalog, std::string_view statement, const Passes& passes = {})
      : m_catalog(catalog), m_statement(statement), m_passes(passes) {}

  Statement write(const StatementNode& node);

  // Expressions (writer_expr.cpp). minPrecedence: parenthesise when the written form binds
  // looser than that.
  void expr(const Expr& e, std::string& out, int minPrecedence = 0);
  //! The expression with COLLATE TSQL_CI, parenthesised as needed.
  void collated(const Expr& e, std::string& out);
  //! What the expression is known to be before anything runs.
  ValueClass valueClass(const Expr& e) const;

  // Queries (writer_select.cpp).
  void select(const Select& s, std::string& out);
  void from(const std::vector<TableRef>& refs, std::string& out);
  //! A table where a table is named: temp."##x" for temporary tables, "x" otherwise.
  static std::string tableName(const ObjectName& name);

  [[noreturn]] void unsupported(std::string construct, SourcePos pos) const;
  [[noreturn]] void fail(std::string_view message, std::string construct, SourcePos pos, long nativeError) const;
  const Catalog* catalog() const { return m_catalog; }
  const Passes& passes() const { return m_passes; }

 private:
  void querySpec(const QuerySpec& core, bool deduplicates, bool withTop, std::string& out);
  void orderKey(const Expr& e, std::string& out);
  int precedence(const Expr& e) const;
  void binary(const Expr& e, std::string& out);
  void logicalChain(const Expr& e, size_t first, size_t end, std::string& out);
  void function(const Expr& e, std::string& out);
  void cast(const Expr& e, std::string& out);

  Statement selectStatement(const SelectStmt& s);
  Statement selectInto(const Select& s);
  Statement insert(const InsertStmt& s);
  Statement update(const UpdateStmt& s);
  Statement resetEveryRow(const UpdateStmt& s);
  Statement updateInPlace(const UpdateStmt& s);
  Statement updateThroughJoin(const UpdateStmt& s, bool plainFrom);
  Statement remove(const DeleteStmt& s);
  Statement createTable(const CreateTableStmt& s);
  Statement createIndex(const CreateIndexStmt& s);
  Statement createView(const CreateViewStmt& s);
  Statement drop(const DropStmt& s);

  const Catalog* m_catalog;
  std::string_view m_statement;
  Passes m_passes;
};

// Helpers shared by the writer's files.
bool isBareColumn(const Expr& e);
bool isNumericLiteral(const Expr& e);
//! Whether the expression reads no column and runs no subquery.
bool isConstant(const Expr& e);
//! Whether any subquery in the expression reads the named table.
bool readsTable(const Expr& e, std::string_view table);

}  // namespace platform::db::tsql
