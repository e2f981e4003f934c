// The DDL of the database, as T-SQL the way it would be run on SQL Server: one constant per
// file of sql/, embedded at build time. Each is one batch, run through the database layer.
#pragma once

#include <string_view>

namespace sql::text {

extern const std::string_view kModuleTables;          // the console's eight tables
extern const std::string_view kHostTables;            // item master, users, companies, ...
extern const std::string_view kClassificationTables;  // families, brands, ... per company
extern const std::string_view kStandinTables;         // this host's own: user states, state log
extern const std::string_view kViews;                 // VFILTROSTATI (a view is a batch alone)
extern const std::string_view kIndexes;               // every secondary index

}  // namespace sql::text
