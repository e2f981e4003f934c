// Creating the database's schema through the database layer: the console's tables, the host
// tables it reads, the classification tables, this host's own tables, the view and indexes.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform::db {
class Connection;
}

namespace sql {

//! The database already holds the console's schema; nothing was changed.
class SchemaExistsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

//! Creates every table, the view and every index. Refuses (SchemaExistsError) a database that
//! already has the console's tables; any other failure is the layer's DbError.
void createSchema(platform::db::Connection& connection);

//! The tables and the view only, for bulk loads that build the indexes afterwards.
void createTables(platform::db::Connection& connection);
//! The schema as batches, in the order createSchema runs them: tables, view, indexes.
std::vector<std::string_view> schemaBatches();
//! Every secondary index, on tables created by createTables.
void createIndexes(platform::db::Connection& connection);

}  // namespace sql
