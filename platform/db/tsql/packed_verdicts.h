// An optimisation pass, not a dialect rule: how a wide working table stores its verdicts.
// SQLite decodes and re-encodes a whole record for every row it updates, so a working table
// with one small column per validation body costs more per update the more bodies there are.
// Such a table (a run of many NOT NULL DECIMAL(1,0) or (2,0) columns with a number as
// default) keeps the run in one BLOB, a signed byte per column: the table's own definition
// has the BLOB column in the run's place, and the empty table "tsql_packed <table>" beside it
// declares the packed columns in order, which is how the catalog knows them. The writer reads
// a packed column as CAST(vget(blob, k) AS its type), so that it compares as the column did,
// writes it as blob = vset(blob, k, value), several nested in one UPDATE (each reads the old
// row), and folds INSERT values and defaults into the BLOB.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

//! The BLOB column of a packed table.
inline constexpr std::string_view kPackedColumn = "tsql_packed";

//! The empty table declaring the packed columns of a table.
std::string packedLayoutTable(std::string_view table);

//! The run of columns a new temporary table packs (first index, count), if it has one long
//! enough.
std::optional<std::pair<std::size_t, std::size_t>> packedRun(const CreateTableStmt& create);

//! Whether the statement names a temporary table, which may be packed: writing it then asks
//! the catalog, and holds only while the tables keep their shape (a DROP of a packed table
//! drops its layout too).
bool namesTemporaryTable(const StatementNode& node);

//! A column given a value (SQLite text) by an UPDATE or an INSERT.
struct ColumnValue {
  std::string column;
  std::string value;
  bool mayBeNull = true;  // false for a number written as it stands
};

//! The SET list "c1 = v1, ...", the packed columns of the table (its catalog columns, or
//! null for a table the catalog does not know) one nested vset of their BLOB.
std::string assignmentList(const std::vector<CatalogColumn>* columns, std::string_view table,
                           const std::vector<ColumnValue>& values);

//! An INSERT's column list " (c1, ...)" and its row "v1, ...", the packed columns' values in
//! the BLOB of the table's defaults.
std::pair<std::string, std::string> insertLists(const std::vector<CatalogColumn>* columns, std::string_view table,
                                                const std::vector<ColumnValue>& values);

//! A packed column's default as its byte.
signed char packedDefault(const ColumnDef& column);

//! The BLOB of a packed row, as a literal.
std::string packedLiteral(const std::vector<signed char>& bytes);

}  // namespace platform::db::tsql
