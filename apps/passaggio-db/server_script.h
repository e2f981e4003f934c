// The T-SQL an administrator runs on SQL Server to create the console's database: the same
// DDL files (and demo rows) the embedded database is built from, batches ended by GO.
#pragma once

#include <ostream>
#include <string>

namespace passaggio_db {

//! `what` is "create" (the schema), "demo" (the schema and the demo company) or "log" (the
//! trigger that keeps the state-change log); false for anything else.
bool writeServerScript(std::ostream& out, const std::string& what);

}  // namespace passaggio_db
