// The values of one grid row, read by name: what display-format and cell-colour handlers
// get, independent of where the record set stands while they run.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/recordset.h"
#include "platform/variant/variant.h"

namespace platform::controls {

class RowValues {
 public:
  RowValues() = default;
  RowValues(std::shared_ptr<const std::vector<std::string>> fields, db::Row values);

  //! Reads the current row of `rows` (empty values at BOF or EOF).
  static RowValues current(const db::Recordset& rows);

  //! The value of a field, by name without regard to letter case; Empty when there is none.
  const Variant& operator[](std::string_view field) const;
  bool has(std::string_view field) const;
  const std::vector<std::string>& fields() const;
  const db::Row& values() const { return m_values; }

 private:
  std::shared_ptr<const std::vector<std::string>> m_fields;
  db::Row m_values;
};

//! The field names of a record set, shared by the RowValues read from it.
std::shared_ptr<const std::vector<std::string>> fieldNames(const db::Recordset& rows);

}  // namespace platform::controls
