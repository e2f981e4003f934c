// The extended attributes the host keeps for its entities: the columns of its attribute
// table, one row per entity's GUID. They are read from the database the filter works on,
// so that an attribute a company adds to the table is offered at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/query_runner.h"
#include "platform/db/result_data.h"
#include "platform/variant/variant.h"

namespace platform::controls {

//! The host's table of extended attributes.
inline constexpr std::string_view kAttributeTable = "CO5L_ATTRIBUTIDEN";

//! One attribute of the table, and the condition the user set on it.
struct QueryAttribute {
  std::string name;      // the column without the table's prefix: COLORE
  std::string column;    // CO5L_COLORE
  bool number = false;   // declared numeric: compared as a number
  bool contains = false;  // a text the attribute contains, instead of a value or a range
  Variant first;
  Variant second;
};

//! The attributes among a result's columns: every column but the row's id and its entity
//! link, and but a name that could not be written bare into a statement.
std::vector<QueryAttribute> attributesOf(const std::vector<db::ColumnInfo>& columns);

//! The attributes the table declares, read through `runner`.
std::vector<QueryAttribute> readAttributes(const QueryRunner& runner);

//! The distinct values of an attribute in its table, ascending, without NULL.
std::string attributeValuesQuery(const QueryAttribute& attribute);

//! Whether a name is a bare SQL name: a letter or an underscore, then letters, digits and
//! underscores.
bool isBareName(std::string_view name);

}  // namespace platform::controls
