// The T-SQL front end of the embedded backend: a batch as the console sends it to SQL Server
// is tokenized, parsed into statements and written out as SQLite statements that give SQL
// Server's results.
#pragma once

#include <optional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/tsql/passes.h"
#include "platform/db/tsql/sql_type.h"

namespace platform::db::tsql {

//! A column of a table as the SQLite database holds it.
struct CatalogColumn {
  std::string name;
  SqlType type;            // as declared in SQLite: "CHAR(25)", "DECIMAL(2,0)", "INTEGER", ""
  std::string collation;   // "TSQL_CI" for text columns, empty for BINARY
  bool isRowKey = false;   // INTEGER PRIMARY KEY: the table's identity
  std::string defaultValue;  // the DEFAULT expression as declared, empty when none
  int packedSlot = -1;     // a packed column: its byte in the table's packed BLOB
  bool inSide = false;     // stored in the table's side table (verdict_side_table.h)
};

//! The column of that name, as SQL Server matches names (any letter case), or null.
const CatalogColumn* findColumn(const std::vector<CatalogColumn>& columns, std::string_view name);

//! What the translator may ask of the database while it writes a statement.
class Catalog {
 public:
  virtual ~Catalog() = default;
  //! Columns of a table or view in order (temporary tables shadow main ones, as SQLite
  //! resolves names); nullopt when there is no such table.
  virtual std::optional<std::vector<CatalogColumn>> columns(std::string_view table) const = 0;
  //! The columns that lead one of a table's indexes (its first key), as declared; empty when
  //! there is none or no such table.
  virtual std::vector<std::string> indexLeaders(std::string_view table) const = 0;
};

//! One SQLite statement to run.
struct SqliteStep {
  std::string sql;
  bool countsRows = false;  // its sqlite3_total_changes64() delta is the statement's affected rows
  //! A query whose one value is the statement's affected rows (for an update written to
  //! leave alone rows it would not change, which SQL Server still counts).
  bool countIsValue = false;
};

//! A result column the written query computes where the T-SQL one reads a table's column: the
//! declared type and the base column that record sets report for it.
struct ResultSource {
  std::size_t index = 0;
  std::string table;
  std::string column;
  std::string declaredType;
};

//! One T-SQL statement of a batch, written for SQLite.
struct Statement {
  std::string tsql;               // this statement's own text, as it stands in the batch
  std::vector<SqliteStep> steps;  // run in order; the last one yields the rows when returnsRows
  bool returnsRows = false;       // a SELECT without INTO
  bool changesSchema = false;     // CREATE, DROP, SELECT INTO
  bool allOrNothing = false;      // a write in several steps: a failing step undoes the others
  std::vector<ResultSource> sources;  // when returnsRows: the columns SQLite cannot describe
};

//! A construct that is not T-SQL, or not supported here. Names the construct, its 1-based
//! line and column in the batch, and the statement it stands in.
class TranslationError : public std::runtime_error {
 public:
  TranslationError(const std::string& message, std::string construct, int line, int column, std::string statement,
                   long nativeError);
  const std::string& construct() const { return m_construct; }
  int line() const { return m_line; }
  int column() const { return m_column; }
  const std::string& statement() const { return m_statement; }
  //! SQL Server's number for the same failure: 102 syntax error, 1038 empty name, 0 for a
  //! construct this backend does not support.
  long nativeError() const { return m_nativeError; }

 private:
  std::string m_construct;
  int m_line;
  int m_column;
  std::string m_statement;
  long m_nativeError;
};

struct ParsedStatementImpl;

//! A statement parsed and checked, ready to be written once the catalog can be asked.
class ParsedStatement {
 public:
  explicit ParsedStatement(std::shared_ptr<const ParsedStatementImpl> impl);
  const std::string& tsql() const;
  //! Whether writing it asks the catalog (SELECT ... INTO, whose new columns take their types
  //! from the tables read): such a translation holds only while those tables keep their shape.
  bool needsCatalog() const;
  //! Writes the statement for SQLite, with the optimisation passes on. Throws TranslationError.
  Statement translate(const Catalog& catalog, const Passes& passes = {}) const;

 private:
  std::shared_ptr<const ParsedStatementImpl> m_impl;
};

//! Parses a whole batch: statements need no separator (";" is accepted), as SQL Server reads
//! them. A syntax error or unsupported construct anywhere throws before anything can run.
std::vector<ParsedStatement> parseBatch(std::string_view batch);

}  // namespace platform::db::tsql
