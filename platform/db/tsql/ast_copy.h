// Deep copies of parsed statements' parts, for rewrites that build a new statement from a
// parsed one without changing it (a parsed statement is shared and written again later).
#pragma once

#include "platform/db/tsql/ast.h"

namespace platform::db::tsql {

ExprPtr copyOf(const Expr& e);
Select copyOf(const Select& s);
TableRef copyOf(const TableRef& ref);

}  // namespace platform::db::tsql
