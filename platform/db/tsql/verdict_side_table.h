// An optimisation pass over packed tables: the columns the checks write live in a narrow table
// of their own. SQLite re-encodes a whole record for every row it updates, so a check that
// writes one verdict of a wide row pays for every column of it. A packed table with an
// identity column keeps its packed BLOB and every column declared after it in the table
// "tsql_side <table>", keyed by "tsql_rid", the wide row's rowid; the table's own definition
// keeps the columns before. The catalog lists both as one table, in declared order.
//   - A query that mentions a side column reads both, joined on the row id: the narrow one
//     first where the table leads its FROM list (SQLite's planner would start from the wide
//     one, and reach the side rows one by one), else as one parenthesised join.
//   - An UPDATE setting side columns only updates the side table; the wide columns it reads
//     are reached through the row id. One setting only wide columns updates the wide table.
//     One setting both computes its rows once, then writes each table.
//   - INSERT writes the wide rows, then their side rows; DELETE and DROP remove both. Writes
//     in several steps are all or nothing.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/packed_verdicts.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

//! The side table's key: the rowid of its row in the wide table.
inline constexpr std::string_view kSideKey = "tsql_rid";
//! The rows an UPDATE setting both tables' columns, or an INSERT giving side values, writes.
inline constexpr std::string_view kSplitRows = "tsql_split_rows";

//! The side table of a table.
std::string sideTable(std::string_view table);
//! Whether a table of that name may have one: only temporary tables are split.
bool maySplit(std::string_view table);
//! The name a split table's side is joined under, beside the name its columns are qualified with.
std::string sideAlias(std::string_view exposed);

//! The first column of a new table that goes to the side table, given the start of its packed
//! run: the run and the columns after it move where the table has an identity column before
//! the run and no key at or after it.
std::optional<std::size_t> sideStart(const CreateTableStmt& create, std::size_t runStart);

//! Whether a column reference in the expression, its subqueries included, may name one of the
//! columns of the table its query knows as `exposed`.
bool mentionsColumn(const Expr& e, std::string_view exposed, const std::vector<std::string>& names);
//! The same over a query: its expressions and derived tables, or a star that covers the table.
bool mentionsColumn(const Select& s, std::string_view exposed, const std::vector<std::string>& names);
bool mentionsColumn(const QuerySpec& core, std::string_view exposed, const std::vector<std::string>& names);

//! One edit of a table's row, written for SQLite: the statements in order (two for a split
//! table's row). `keyTest` is " WHERE <key> = <value>"; values of an INSERT or UPDATE are
//! SQLite texts.
enum class RowEdit { Insert, Update, Delete };
std::vector<std::string> rowEditStatements(const std::vector<CatalogColumn>* columns, std::string_view table,
                                           RowEdit edit, const std::vector<ColumnValue>& values,
                                           const std::string& keyTest);

}  // namespace platform::db::tsql
