// The extended attributes, from the attribute table's own columns.
#include "platform/controls/attribute_catalog.h"

#include <array>

#include "platform/text/ascii.h"

namespace platform::controls {
namespace {

constexpr std::string_view kPrefix = "CO5L_";
constexpr std::array<std::string_view, 2> kNotAttributes = {"CO5L_ID", "CO5L_GUID"};

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isNumericType(std::string_view declared) {
  const std::string type = text::upperAscii(declared.substr(0, declared.find('(')));
  for (const char* numeric : {"DECIMAL", "NUMERIC", "INT", "BIGINT", "SMALLINT", "TINYINT", "FLOAT", "REAL", "MONEY",
                              "SMALLMONEY", "BIT", "INTEGER", "DOUBLE"}) {
    if (text::trim(type) == numeric) return true;
  }
  return false;
}

}  // namespace

std::string attributeValuesQuery(const QueryAttribute& attribute) {
  return "SELECT DISTINCT " + attribute.column + " FROM " + std::string(kAttributeTable) + " WITH (NOLOCK) WHERE " +
         attribute.column + " IS NOT NULL ORDER BY " + attribute.column;
}

bool isBareName(std::string_view name) {
  if (name.empty() || !isLetter(name.front())) return false;
  for (const char c : name) {
    if (!isLetter(c) && !isDigit(c)) return false;
  }
  return true;
}

std::vector<QueryAttribute> attributesOf(const std::vector<db::ColumnInfo>& columns) {
  std::vector<QueryAttribute> attributes;
  for (const db::ColumnInfo& column : columns) {
    const std::string upper = text::upperAscii(column.name);
    bool link = false;
    for (const std::string_view other : kNotAttributes) link = link || upper == other;
    if (link || !isBareName(column.name)) continue;
    QueryAttribute attribute;
    attribute.column = column.name;
    attribute.name = upper.starts_with(kPrefix) ? column.name.substr(kPrefix.size()) : column.name;
    if (attribute.name.empty()) continue;
    attribute.number = isNumericType(column.declaredType);
    attributes.push_back(std::move(attribute));
  }
  return attributes;
}

std::vector<QueryAttribute> readAttributes(const QueryRunner& runner) {
  const std::shared_ptr<db::Recordset> rows =
      runner("SELECT TOP 0 * FROM " + std::string(kAttributeTable) + " WITH (NOLOCK)", "");
  std::vector<db::ColumnInfo> columns;
  for (std::size_t at = 0; at < rows->FieldCount(); ++at) columns.push_back(rows->Column(at));
  return attributesOf(columns);
}

}  // namespace platform::controls
