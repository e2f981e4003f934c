// The function and type tables. SQL Server's semantics that SQLite lacks are either emulated
// here by a shape (LEN ignores trailing blanks, RIGHT with n = 0 is empty) or by functions the
// SQLite backend registers (like(), tsql_add()).
#include <algorithm>
#include <array>

#include "platform/db/tsql/rules.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// Sorted by name for binary search.
constexpr std::array<FunctionRule, 19> kFunctions = {{
    {"ABS", FunctionShape::Rename, "ABS", 1, 1, ValueClass::FirstArgument},
    {"AVG", FunctionShape::Aggregate, "AVG", 1, 1, ValueClass::FirstArgument},
    {"COALESCE", FunctionShape::Rename, "COALESCE", 2, 64, ValueClass::FirstArgument},
    {"COUNT", FunctionShape::Aggregate, "COUNT", 1, 1, ValueClass::Number},
    {"GETDATE", FunctionShape::Now, "", 0, 0, ValueClass::Unknown},
    // ISNULL returns the type of its first argument; SQLite's IFNULL returns whichever value.
    {"ISNULL", FunctionShape::Rename, "IFNULL", 2, 2, ValueClass::FirstArgument},
    {"LEFT", FunctionShape::Left, "SUBSTR", 2, 2, ValueClass::Text},
    {"LEN", FunctionShape::Len, "", 1, 1, ValueClass::Number},
    {"LOWER", FunctionShape::Rename, "LOWER", 1, 1, ValueClass::Text},
    {"LTRIM", FunctionShape::Rename, "LTRIM", 1, 1, ValueClass::Text},
    {"MAX", FunctionShape::Aggregate, "MAX", 1, 1, ValueClass::FirstArgument},
    {"MIN", FunctionShape::Aggregate, "MIN", 1, 1, ValueClass::FirstArgument},
    {"NULLIF", FunctionShape::Rename, "NULLIF", 2, 2, ValueClass::FirstArgument},
    {"REPLACE", FunctionShape::Rename, "REPLACE", 3, 3, ValueClass::Text},
    {"RIGHT", FunctionShape::Right, "SUBSTR", 2, 2, ValueClass::Text},
    // One-argument RTRIM removes spaces only in both dialects.
    {"RTRIM", FunctionShape::Rename, "RTRIM", 1, 1, ValueClass::Text},
    {"SUBSTRING", FunctionShape::Rename, "SUBSTR", 3, 3, ValueClass::Text},
    {"SUM", FunctionShape::Aggregate, "SUM", 1, 1, ValueClass::FirstArgument},
    {"UPPER", FunctionShape::Rename, "UPPER", 1, 1, ValueClass::Text},
}};

// Numeric types keep their names so that SQLite gives them NUMERIC/INTEGER/REAL affinity and
// converts quoted numbers as SQL Server does. Dates are kept as declared (their text survives
// NUMERIC affinity) but CAST to them would turn '2024-01-31' into 2024, so a CAST keeps text.
constexpr std::array<TypeRule, 26> kTypes = {{
    {"BIGINT", TypeClass::Integer, 0, ""},
    {"BIT", TypeClass::Integer, 0, ""},
    {"CHAR", TypeClass::Text, 1, ""},
    {"DATE", TypeClass::Date, 0, "TEXT"},
    {"DATETIME", TypeClass::Date, 0, "TEXT"},
    {"DATETIME2", TypeClass::Date, 1, "TEXT"},
    {"DECIMAL", TypeClass::Numeric, 2, ""},
    {"FLOAT", TypeClass::Float, 1, ""},
    {"IMAGE", TypeClass::Binary, 0, "BLOB"},
    {"INT", TypeClass::Integer, 0, ""},
    {"INTEGER", TypeClass::Integer, 0, ""},
    {"MONEY", TypeClass::Numeric, 0, ""},
    {"NCHAR", TypeClass::Text, 1, ""},
    {"NTEXT", TypeClass::Text, 0, ""},
    {"NUMERIC", TypeClass::Numeric, 2, ""},
    {"NVARCHAR", TypeClass::Text, 1, ""},
    {"REAL", TypeClass::Float, 0, ""},
    {"SMALLDATETIME", TypeClass::Date, 0, "TEXT"},
    {"SMALLINT", TypeClass::Integer, 0, ""},
    {"SMALLMONEY", TypeClass::Numeric, 0, ""},
    {"TEXT", TypeClass::Text, 0, ""},
    {"TIME", TypeClass::Date, 1, "TEXT"},
    {"TINYINT", TypeClass::Integer, 0, ""},
    {"UNIQUEIDENTIFIER", TypeClass::Guid, 0, "TEXT"},
    {"VARBINARY", TypeClass::Binary, 1, "BLOB"},
    {"VARCHAR", TypeClass::Text, 1, ""},
}};

template <typename Table>
auto findByName(const Table& table, std::string_view name) -> decltype(&table[0]) {
  auto it = std::lower_bound(table.begin(), table.end(), name,
                             [](const auto& rule, std::string_view key) { return rule.name < key; });
  return (it != table.end() && it->name == name) ? &*it : nullptr;
}

constexpr std::array<ConvertStyle, 8> kConvertStyles = {{
    {0, ""},
    {23, "%Y-%m-%d"},
    {103, "%d/%m/%Y"},
    {108, "%H:%M:%S"},
    {112, "%Y%m%d"},
    {120, "%Y-%m-%d %H:%M:%S"},
    {121, "%Y-%m-%d %H:%M:%f"},
    {126, "%Y-%m-%dT%H:%M:%f"},
}};

}  // namespace

const FunctionRule* findFunction(std::string_view upperName) { return findByName(kFunctions, upperName); }

const TypeRule* findType(std::string_view upperName) { return findByName(kTypes, upperName); }

std::string columnTypeText(const TypeName& type) {
  std::string text = type.name;
  bool hasMax = std::find(type.args.begin(), type.args.end(), "MAX") != type.args.end();
  if (!type.args.empty() && !hasMax) {
    text += '(';
    for (size_t i = 0; i < type.args.size(); ++i) {
      if (i > 0) text += ',';
      text += type.args[i];
    }
    text += ')';
  }
  return text;
}

std::string castTypeText(const TypeName& type) {
  const TypeRule* rule = findType(type.name);
  if (rule != nullptr && !rule->castAs.empty()) return std::string(rule->castAs);
  return columnTypeText(type);
}

bool isTextType(const TypeName& type) {
  const TypeRule* rule = findType(type.name);
  return rule != nullptr && rule->typeClass == TypeClass::Text;
}

bool isNumericType(const TypeName& type) {
  const TypeRule* rule = findType(type.name);
  return rule != nullptr && (rule->typeClass == TypeClass::Integer || rule->typeClass == TypeClass::Numeric ||
                             rule->typeClass == TypeClass::Float);
}

bool isDateType(const TypeName& type) {
  const TypeRule* rule = findType(type.name);
  return rule != nullptr && rule->typeClass == TypeClass::Date;
}

const ConvertStyle* findConvertStyle(int style) {
  for (const ConvertStyle& candidate : kConvertStyles) {
    if (candidate.style == style) return &candidate;
  }
  return nullptr;
}

bool isCaseInsensitiveCollation(std::string_view name) {
  std::string upper = platform::text::upperAscii(name);
  return upper == "DATABASE_DEFAULT" || upper == "TSQL_CI" || upper.find("_CI_") != std::string::npos ||
         (upper.size() > 3 && upper.compare(upper.size() - 3, 3, "_CI") == 0);
}

}  // namespace platform::db::tsql
