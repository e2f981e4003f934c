// SQL Server's arithmetic and conversions where SQLite would quietly go on: "+" on values of
// unknown type, division by zero, text that is no number or no date. The writer calls these
// functions only where the operand types do not already rule the error out.
#pragma once

#include <string_view>

struct sqlite3;

namespace platform::db::sqlite {

//! Registers tsql_add(), tsql_divide(), tsql_modulo() and tsql_datetime() on the connection.
//! Returns SQLITE_OK or the SQLite error code of the failing registration.
int registerArithmeticFunctions(sqlite3* db);

//! SQL Server's messages for a value that does not fit a DECIMAL column, or is no number.
inline constexpr const char* kNumericOverflow = "Arithmetic overflow error converting numeric to data type numeric.";
inline constexpr const char* kNotNumeric = "Error converting data type varchar to numeric.";

//! SQL Server's error number for a message these functions raise; 0 for any other message.
long tsqlErrorNumber(std::string_view message);

}  // namespace platform::db::sqlite
