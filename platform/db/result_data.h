// What a query returns to the client: the columns with where they come from, and the rows.
#pragma once

#include <string>
#include <vector>

#include "platform/variant/variant.h"

namespace platform::db {

struct ColumnInfo {
  std::string name;          // as the result set names it
  std::string declaredType;  // "CHAR(25)", "DECIMAL(2,0)", ...; empty for an expression
  std::string baseTable;     // the table the column is read from; empty for an expression
  std::string baseColumn;    // its name in that table
  bool isKey = false;        // the base table's row key (its identity / primary key)
};

using Row = std::vector<Variant>;

struct ResultData {
  std::vector<ColumnInfo> columns;
  std::vector<Row> rows;
};

//! Client-side edits of one result set, to be written to its base table by key.
struct RowChange {
  enum class Kind { Insert, Update, Delete };
  Kind kind = Kind::Update;
  Variant key;                                          // Update and Delete: the row's key value
  std::vector<std::pair<std::string, Variant>> values;  // Insert and Update: base columns and values
};

struct BatchChanges {
  std::string table;
  std::string keyColumn;
  std::vector<RowChange> changes;
};

}  // namespace platform::db
