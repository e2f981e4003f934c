// Deep copies of parsed statements' parts, and the new parts rewrites add, for rewrites that
// build a new statement from a parsed one without changing it (a parsed statement is shared
// and written again later).
#pragma once

#include "platform/db/tsql/ast.h"

namespace platform::db::tsql {

ExprPtr copyOf(const Expr& e);
Select copyOf(const Select& s);
TableRef copyOf(const TableRef& ref);

//! A reference to a column, qualified when `qualifier` is not empty.
ExprPtr columnRef(std::string qualifier, std::string name, SourcePos pos);

//! The conditions as one: the only one, or their AND chain.
ExprPtr allOf(std::vector<ExprPtr> conditions, SourcePos pos);

}  // namespace platform::db::tsql
