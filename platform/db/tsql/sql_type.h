// A column's declared type read apart: its name, and the length, precision and scale in its
// parentheses. SQLite keeps the declaration as it was written, in any case and spacing.
#pragma once

#include <string>
#include <string_view>

namespace platform::db::tsql {

struct SqlType {
  std::string declared;  // as written: "CHAR(25)", "decimal (5, 2)", "" for an expression
  std::string name;      // upper case, without arguments: "CHAR", "DECIMAL", "INTEGER"
  int length = 0;        // CHAR(25) -> 25; 0 when there is none
  bool max = false;      // VARCHAR(MAX)
  int precision = 0;     // DECIMAL(5,2) -> 5
  int scale = 0;         // DECIMAL(5,2) -> 2; NUMERIC(5) -> 0

  static SqlType parse(std::string_view declared);

  //! CHAR and NCHAR: values are padded with blanks to the length.
  bool fixedText() const;
  //! DECIMAL and NUMERIC: values keep their scale.
  bool exactNumeric() const;
};

}  // namespace platform::db::tsql
