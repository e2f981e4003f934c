// An optimisation pass, not a dialect rule: it rewrites the WHERE of an INSERT ... SELECT that
// fills a working table, and changes no result.
// A working table is filled from a table of the database picked by an equality on the first
// column of one of its indexes, a company's items:
//   INSERT INTO #T (...) SELECT ... FROM B LEFT JOIN J ON ... WHERE B.company = 1 AND <rest>
// Without statistics SQLite trusts any such index to pick a few rows, and reads B in the
// index's order: a page read for nearly every row, and the searches of the joined tables in
// the same scattered order. Where the equality picks most of B, a scan in B's own order costs a
// third of that (SQL Server, which knows how many rows each company has, scans). Written
//   ... WHERE B.rowid IN (SELECT rowid FROM B WHERE B.company = 1) AND <rest>
// SQLite reads the row ids from the index, sorts them and then reads B in its own order: a copy
// of most of the table costs little more than a scan, and a copy of a few rows is still a search.
#pragma once

#include <optional>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

//! The INSERT with the conditions of its WHERE that read only the first table of its FROM moved
//! into "rowid IN (...)" as above; nullopt when it does not fill a working table with a query
//! from a table of the database, or when none of those conditions equates a column that leads
//! an index with a constant. An ORDER BY (the order of the identities) is left alone.
std::optional<InsertStmt> fillInRowOrder(const InsertStmt& insert, const Catalog& catalog);

}  // namespace platform::db::tsql
