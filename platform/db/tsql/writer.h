// The SQLite writer: walks a parsed statement and writes the SQLite statements that give SQL
// Server's result. Identifiers are always double-quoted; temporary tables live in "temp".
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
  //! A FROM list. A split table (verdict_side_table.h) is joined to its side table where
  //! readsSide says the query reads the side's columns.
  void from(const std::vector<TableRef>& refs, std::string& out,
            const std::function<bool(const TableRef&)>& readsSide = {});
  //! A table where a table is named: temp."##x" for temporary tables, "x" otherwise.
  static std::string tableName(const ObjectName& name);

  [[noreturn]] void unsupported(std::string construct, SourcePos pos) const;
  [[noreturn]] void fail(std::string_view message, std::string construct, SourcePos pos, long nativeError) const;
  const Catalog* catalog() const { return m_catalog; }
  const Passes& passes() const { return m_passes; }

 private:
  // Packed columns (writer_packed.cpp): the tables a column name may reach, innermost query
  // last, and what the catalog says of the tables named.
  struct ScopeTable {
    const ObjectName* table = nullptr;  // null for a derived table
    const Select* derived = nullptr;
    std::string exposed;
    // A split table: what its side columns are qualified with, and whether its own columns
    // are read through the row id (an UPDATE of the side table).
    std::string sideAs;
    bool ownByRowId = false;
  };
  using Scope = std::vector<ScopeTable>;
  //! A query's tables in scope while it is written.
  class EnteredScope {
   public:
    EnteredScope(std::vector<Scope>& scopes, Scope scope) : m_scopes(scopes) { m_scopes.push_back(std::move(scope)); }
    EnteredScope(const EnteredScope&) = delete;
    EnteredScope& operator=(const EnteredScope&) = delete;
    ~EnteredScope() { m_scopes.pop_back(); }

   private:
    std::vector<Scope>& m_scopes;
  };
  Scope scopeOf(const std::vector<TableRef>& from);
  static ScopeTable targetOf(const ObjectName& target);
  const std::vector<CatalogColumn>* tableColumns(const ObjectName& table);
  bool packs(const ObjectName& table);
  std::vector<std::string> columnNames(const ScopeTable& table);
  bool hasColumn(const ScopeTable& table, std::string_view name);
  bool packsAny(const Scope& scope);
  //! A column stored other than as a column of its table: packed, or in the side table.
  struct StoredRef {
    std::string written;  // its read
    const CatalogColumn* column;
    std::string table;
  };
  //! The stored column the expression names, or nullopt.
  std::optional<StoredRef> storedColumn(const Expr& column);
  //! A packed column's read; the qualifier as written, or empty.
  std::string packedRead(const std::string& qualifier, const CatalogColumn& column) const;
  //! A stored column's read from its table known as t.
  std::optional<std::string> storedRead(const ScopeTable& t, const CatalogColumn& column);
  //! A result column: a packed one named as declared and, for the outermost query, described.
  struct ResultColumns {
    std::vector<ResultSource>* sources;  // null but for the outermost query's first SELECT
    std::size_t next = 0;
  };
  void resultItem(const std::string& written, const std::string& name, const StoredRef* stored, ResultColumns& result,
                  std::string& out);
  //! The select items of a star over a FROM with a packed table, written out.
  void expandStar(const Expr& star, const Scope& scope, ResultColumns& result, bool& first, std::string& out);
  //! An UPDATE's "column = value" list, the target's packed columns in one vset chain.
  void assignments(const ObjectName& target, const std::vector<Assignment>& sets,
                   const std::function<void(std::size_t, std::string&)>& value, std::string& out);
  //! A target column as the SET or the WHERE of its UPDATE reads it.
  std::string targetColumn(const ObjectName& target, const std::string& column);
  Statement storedInsert(const InsertStmt& s);
  Statement packedInsert(const InsertStmt& s);

  // The side table (writer_side.cpp).
  bool splits(const ObjectName& table);
  std::vector<std::string> sideColumns(const ObjectName& table);
  //! Where an UPDATE's assignments write.
  enum class SetsIn { Own, Side, Both };
  SetsIn setsIn(const ObjectName& table, const std::vector<Assignment>& sets);
  //! A split table where a FROM list names it, joined to its side table.
  void splitRef(const TableRef& ref, std::string& out);
  //! The target of an UPDATE or DELETE as the source of its rows, joined to its side table.
  std::string splitSource(const ObjectName& target);
  //! The steps creating a table's side table with the column definitions given.
  std::vector<SqliteStep> sideDefinition(const ObjectName& table, const std::string& columns);
  Statement splitInsert(const InsertStmt& s);
  Statement updateBothTables(const ObjectName& updated, const UpdateStmt& s, const std::string& rows);
  Statement splitDelete(const ObjectName& deleted, const std::string& filter);

  void querySpec(const QuerySpec& core, bool deduplicates, bool withTop, const std::vector<OrderItem>* orderBy,
                 std::string& out);
  void orderKey(const Expr& e, std::string& out);
  int precedence(const Expr& e) const;
  void binary(const Expr& e, std::string& out);
  void logicalChain(const Expr& e, size_t first, size_t end, std::string& out);
  void function(const Expr& e, std::string& out);
  void cast(const Expr& e, std::string& out);

  Statement selectStatement(const SelectStmt& s);
  Statement selectInto(const Select& s);
  Statement insert(const InsertStmt& s);
  Statement plainInsert(const InsertStmt& s);
  Statement update(const UpdateStmt& s);
  Statement resetEveryRow(const UpdateStmt& s, bool ofSide);
  Statement updateInPlace(const UpdateStmt& s, bool ofSide);
  //! The statement with the WHERE, if any, as its one step, which counts the rows.
  Statement filtered(std::string sql, const ExprPtr& where);
  Statement updateThroughJoin(const UpdateStmt& s, bool plainFrom);
  Statement remove(const DeleteStmt& s);
  Statement deleteThroughJoin(const DeleteStmt& s);
  Statement createTable(const CreateTableStmt& s);
  void columnDefinition(const ColumnDef& column, bool temp, std::string& out);
  Statement createIndex(const CreateIndexStmt& s);
  Statement createView(const CreateViewStmt& s);
  Statement drop(const DropStmt& s);

  const Catalog* m_catalog;
  std::string_view m_statement;
  Passes m_passes;
  std::vector<Scope> m_scopes;
  std::unordered_map<std::string, std::optional<std::vector<CatalogColumn>>> m_tables;
  std::vector<ResultSource>* m_sources = nullptr;  // the result columns of the query being written
};

// Helpers shared by the writer's files.
bool isBareColumn(const Expr& e);
bool isNumericLiteral(const Expr& e);
//! Whether the expression reads no column and runs no subquery.
bool isConstant(const Expr& e);
//! Whether any subquery in the expression reads the named table.
bool readsTable(const Expr& e, std::string_view table);

}  // namespace platform::db::tsql
