// Rule tables of the translation: T-SQL functions and data types, and what each becomes in
// SQLite. A difference between the dialects is a row here, not a branch in the writer.
#pragma once

#include <string>
#include <string_view>

#include "platform/db/tsql/ast.h"

namespace platform::db::tsql {

//! How a function call is written for SQLite.
enum class FunctionShape {
  Rename,     // same arguments, SQLite's name
  Len,        // LEN(x): length(rtrim(x)), trailing blanks do not count
  Left,       // LEFT(x, n): substr(x, 1, n)
  Right,      // RIGHT(x, n): the last n characters
  Now,        // GETDATE(): local time as SQL Server's datetime text
  Aggregate,  // COUNT, MIN, MAX, SUM, AVG: same name, DISTINCT and * allowed
};

//! What a function's result is known to be before anything runs.
enum class ValueClass { Unknown, Text, Number, FirstArgument };

struct FunctionRule {
  std::string_view name;  // T-SQL, upper case
  FunctionShape shape;
  std::string_view sqliteName;
  int minArgs;
  int maxArgs;
  ValueClass result;
};

//! The rule for a T-SQL function name (upper case), or nullptr when it is not supported.
const FunctionRule* findFunction(std::string_view upperName);

enum class TypeClass { Text, Integer, Numeric, Float, Date, Binary, Guid };

struct TypeRule {
  std::string_view name;    // T-SQL, upper case
  TypeClass typeClass;
  int maxArgs;              // how many arguments it takes in parentheses
  std::string_view castAs;  // the type written in CAST, when it is not the name itself
};

//! The rule for a T-SQL type name (upper case), or nullptr when it is not supported.
const TypeRule* findType(std::string_view upperName);

//! The type as a column declares it: CHAR(25), DECIMAL(2,0); VARCHAR(MAX) becomes VARCHAR.
std::string columnTypeText(const TypeName& type);

//! The type as CAST names it: the declared type, except that dates stay text.
std::string castTypeText(const TypeName& type);

bool isTextType(const TypeName& type);
bool isNumericType(const TypeName& type);
bool isDateType(const TypeName& type);

//! A CONVERT style for a date written as text: SQL Server's number and the strftime format
//! that writes it. Style 0, the default, has no format: the value is converted as it stands.
struct ConvertStyle {
  int style;
  std::string_view format;
};

//! The style of that number, or nullptr when it is not supported.
const ConvertStyle* findConvertStyle(int style);

//! Whether a collation name is case-insensitive (DATABASE_DEFAULT, *_CI_*): those become TSQL_CI.
bool isCaseInsensitiveCollation(std::string_view name);

}  // namespace platform::db::tsql
