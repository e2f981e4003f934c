// In-memory record sets for the control tests: rows a query would have returned, with no
// connection behind them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/db/result_data.h"

namespace platform::controls::testing {

inline std::shared_ptr<db::Recordset> makeRows(const std::vector<std::string>& columns, std::vector<db::Row> rows) {
  db::ResultData data;
  for (const std::string& column : columns) data.columns.push_back(db::ColumnInfo{column, "", "", "", false});
  data.rows = std::move(rows);
  return std::make_shared<db::Recordset>(nullptr, "SELECT", std::move(data));
}

}  // namespace platform::controls::testing
