// Reading result sets: one plan per column, then SQLFetch and SQLGetData row by row.
#include "platform/db/odbc/odbc_result.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "platform/db/declared_shape.h"
#include "platform/text/ascii.h"
#include "platform/text/utf8.h"

namespace platform::db::odbc {
namespace {

enum class Fetch { Integer, Real, Exact, Wide, Text };

struct ColumnPlan {
  Fetch fetch = Fetch::Text;
  DeclaredShape shape;
  bool storedReal = false;  // a SQLite real in an exact column: shaped by the declared scale
};

Fetch fetchFor(SQLSMALLINT type) {
  switch (type) {
    case SQL_INTEGER:
    case SQL_SMALLINT:
    case SQL_TINYINT:
    case SQL_BIGINT:
    case SQL_BIT:
      return Fetch::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
      return Fetch::Real;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      return Fetch::Exact;
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
      return Fetch::Wide;
    default:
      return Fetch::Text;
  }
}

std::string attributeText(const Handle& statement, SQLUSMALLINT column, SQLUSMALLINT field) {
  char buffer[256] = {};
  SQLSMALLINT length = 0;
  if (!SQL_SUCCEEDED(SQLColAttribute(statement.get(), column, field, buffer, sizeof buffer, &length, nullptr))) {
    return {};
  }
  return std::string(buffer, static_cast<std::size_t>(std::clamp<SQLSMALLINT>(length, 0, sizeof buffer - 1)));
}

SQLLEN attributeNumber(const Handle& statement, SQLUSMALLINT column, SQLUSMALLINT field) {
  SQLLEN value = 0;
  SQLColAttribute(statement.get(), column, field, nullptr, 0, nullptr, &value);
  return value;
}

// The type as a server declares it: "CHAR(6)", "DECIMAL(7,3)", "INT".
std::string declaredByDriver(const std::string& typeName, SQLSMALLINT type, SQLULEN size, SQLSMALLINT digits) {
  const std::string name = platform::text::upperAscii(typeName);
  switch (type) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
      return name + "(" + std::to_string(size) + ")";
    case SQL_DECIMAL:
    case SQL_NUMERIC:
      return name + "(" + std::to_string(size) + "," + std::to_string(digits) + ")";
    default:
      return name;
  }
}

std::string utf8FromUtf16(const std::u16string& wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t c = wide[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++i] - 0xDC00);
    }
    platform::text::appendUtf8(out, c);
  }
  return out;
}

// The whole value of a text column in as many calls as it takes; nullopt for NULL.
template <class Char>
std::optional<std::basic_string<Char>> textValue(const Handle& statement, SQLUSMALLINT column, SQLSMALLINT cType,
                                                 const std::function<void()>& fail) {
  std::basic_string<Char> value;
  Char buffer[512];
  for (;;) {
    SQLLEN indicator = 0;
    const SQLRETURN rc = SQLGetData(statement.get(), column, cType, buffer, sizeof buffer, &indicator);
    if (rc == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(rc)) fail();
    if (indicator == SQL_NULL_DATA) return std::nullopt;
    const std::size_t room = sizeof buffer / sizeof(Char) - 1;
    const bool more = rc == SQL_SUCCESS_WITH_INFO && (indicator == SQL_NO_TOTAL || indicator / sizeof(Char) > room);
    value.append(buffer, more ? room : static_cast<std::size_t>(indicator) / sizeof(Char));
    if (!more) break;
  }
  return value;
}

bool integerText(const std::string& text) {
  if (text.empty() || text.size() > 18) return false;
  for (std::size_t i = text[0] == '-' ? 1 : 0; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return text != "-";
}

Variant readValue(const Handle& statement, SQLUSMALLINT column, const ColumnPlan& plan,
                  const std::function<void()>& fail) {
  SQLLEN indicator = 0;
  switch (plan.fetch) {
    case Fetch::Integer: {
      SQLBIGINT value = 0;
      if (!SQL_SUCCEEDED(SQLGetData(statement.get(), column, SQL_C_SBIGINT, &value, 0, &indicator))) fail();
      return indicator == SQL_NULL_DATA ? Variant::null() : Variant(static_cast<long long>(value));
    }
    case Fetch::Real: {
      double value = 0;
      if (!SQL_SUCCEEDED(SQLGetData(statement.get(), column, SQL_C_DOUBLE, &value, 0, &indicator))) fail();
      return indicator == SQL_NULL_DATA ? Variant::null() : plan.shape.real(value);
    }
    case Fetch::Exact: {
      const auto text = textValue<char>(statement, column, SQL_C_CHAR, fail);
      if (!text) return Variant::null();
      if (integerText(*text)) return Variant(std::atoll(text->c_str()));
      return plan.storedReal ? plan.shape.real(std::strtod(text->c_str(), nullptr)) : Variant(Decimal::parse(*text));
    }
    case Fetch::Wide: {
      const auto text = textValue<char16_t>(statement, column, SQL_C_WCHAR, fail);
      return text ? plan.shape.text(utf8FromUtf16(*text)) : Variant::null();
    }
    case Fetch::Text:
      break;
  }
  auto text = textValue<char>(statement, column, SQL_C_CHAR, fail);
  return text ? plan.shape.text(std::move(*text)) : Variant::null();
}

// The declared column of a SQLite base table, as the catalog knows it.
const tsql::CatalogColumn* catalogColumn(const tsql::Catalog& catalog, const ColumnInfo& column,
                                         std::optional<std::vector<tsql::CatalogColumn>>& columns) {
  if (column.baseTable.empty() || column.baseColumn.empty()) return nullptr;
  columns = catalog.columns(column.baseTable);
  if (!columns) return nullptr;
  for (const tsql::CatalogColumn& candidate : *columns) {
    if (platform::text::equalsIgnoringCase(candidate.name, column.baseColumn)) return &candidate;
  }
  return nullptr;
}

}  // namespace

ResultData readResult(const Handle& statement, const tsql::Catalog* catalog, const std::function<void()>& fail,
                      const std::vector<tsql::ResultSource>& sources) {
  ResultData data;
  SQLSMALLINT count = 0;
  if (!SQL_SUCCEEDED(SQLNumResultCols(statement.get(), &count))) fail();
  std::vector<ColumnPlan> plans(static_cast<std::size_t>(count));
  for (SQLUSMALLINT i = 1; i <= count; ++i) {
    SQLCHAR name[256] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    if (!SQL_SUCCEEDED(SQLDescribeCol(statement.get(), i, name, sizeof name, &nameLength, &type, &size, &digits,
                                      &nullable))) {
      fail();
    }
    ColumnInfo column;
    column.name = reinterpret_cast<const char*>(name);
    column.baseTable = attributeText(statement, i, SQL_DESC_BASE_TABLE_NAME);
    column.baseColumn = column.baseTable.empty() ? std::string() : attributeText(statement, i, SQL_DESC_BASE_COLUMN_NAME);
    for (const tsql::ResultSource& source : sources) {
      if (source.index + 1 != i) continue;
      column.baseTable = source.table;  // a packed column, which the driver sees as an expression
      column.baseColumn = source.column;
    }
    ColumnPlan& plan = plans[i - 1];
    plan.fetch = fetchFor(type);
    if (catalog != nullptr) {
      std::optional<std::vector<tsql::CatalogColumn>> columns;
      if (const tsql::CatalogColumn* declared = catalogColumn(*catalog, column, columns)) {
        column.declaredType = declared->type.declared;
        column.isKey = declared->isRowKey;
        plan.shape = DeclaredShape::of(column.declaredType);
        if (declared->type.exactNumeric()) {
          plan.fetch = Fetch::Exact;
          plan.storedReal = true;
        }
      } else {
        column.baseTable.clear();
        column.baseColumn.clear();
      }
    } else {
      column.declaredType = declaredByDriver(attributeText(statement, i, SQL_DESC_TYPE_NAME), type, size, digits);
      column.isKey = attributeNumber(statement, i, SQL_DESC_AUTO_UNIQUE_VALUE) == SQL_TRUE;
    }
    data.columns.push_back(std::move(column));
  }
  for (;;) {
    const SQLRETURN rc = SQLFetch(statement.get());
    if (rc == SQL_NO_DATA) break;
    if (!SQL_SUCCEEDED(rc)) fail();
    Row row;
    row.reserve(plans.size());
    for (SQLUSMALLINT i = 1; i <= count; ++i) row.push_back(readValue(statement, i, plans[i - 1], fail));
    data.rows.push_back(std::move(row));
  }
  return data;
}

std::optional<std::string> firstText(const Handle& statement, const std::function<void()>& fail) {
  const SQLRETURN rc = SQLFetch(statement.get());
  if (rc == SQL_NO_DATA) return std::nullopt;
  if (!SQL_SUCCEEDED(rc)) fail();
  return textValue<char>(statement, 1, SQL_C_CHAR, fail);
}

}  // namespace platform::db::odbc
