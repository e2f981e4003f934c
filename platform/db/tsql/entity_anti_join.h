// An optimisation pass, not a dialect rule: it rewrites an UPDATE into one with the same result
// that SQLite runs faster, with a step before it, and changes no result.
// A working table's check against another table's rows,
//   UPDATE T SET c = v WHERE ... AND NOT EXISTS (SELECT 1 FROM O WHERE <O's own conditions>
//                                               AND O.a = a AND O.b = b ...)
// searches O once for every row of T. The rows it updates are those whose ID is not among the
// IDs of T that a row of O matches:
//   UPDATE T SET c = v WHERE ... AND ID NOT IN (SELECT W.ID FROM O INNER JOIN T AS W
//                                              ON O.a = W.a AND O.b = W.b WHERE <O's own conditions>)
// a set SQLite builds once, from the few rows of O, each reaching its rows of T through an index
// on T's matching columns (made by the step before the statement, once per working table).
#pragma once

#include <optional>
#include <vector>

#include "platform/db/tsql/ast.h"
#include "platform/db/tsql/translator.h"

namespace platform::db::tsql {

//! Whether the UPDATE may have such a NOT EXISTS: of a working table, its WHERE requiring NOT
//! EXISTS over one table whose WHERE equates two columns. Writing it then asks the catalog.
bool mayAntiJoin(const UpdateStmt& update);

struct AntiJoin {
  UpdateStmt update;              // the statement rewritten
  std::vector<SqliteStep> steps;  // to run before it: the indexes on the matching columns
};

//! The UPDATE with every NOT EXISTS its WHERE requires, correlated to the working table only
//! by equalities of its text columns, written as the anti-join above; nullopt when there is none, and
//! for the re-check of one row (a WHERE requiring "ID = n"), a search of O for that row alone.
std::optional<AntiJoin> entityAntiJoin(const UpdateStmt& update, const Catalog& catalog);

}  // namespace platform::db::tsql
