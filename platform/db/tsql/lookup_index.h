// An optimisation pass, not a dialect rule: it adds steps before a query and changes no result.
// Working tables have no index: a query that picks one row of a large working table by a code
// ("column = 'text'") would scan every row, each time it runs. The first such query indexes
// the column, so the following ones search it. Only text columns are indexed: verdict and
// flag columns are compared with numbers, match many rows, and are written again and again
// by the statements that fill them, where an index would only cost.
#pragma once

#include <vector>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

//! Whether the query may pick rows of a working table by a code: a temporary table in its
//! FROM and "column = 'text'" among the conditions its WHERE requires. Writing it then asks
//! the catalog, for the tables' columns.
bool mayLookUpWorkingTable(const Select& select);

//! The steps, to run before the query, that index each working-table text column the query
//! picks rows by (none for a row key or a column of another table).
std::vector<SqliteStep> lookupIndexSteps(const Select& select, const Catalog& catalog);

}  // namespace platform::db::tsql
