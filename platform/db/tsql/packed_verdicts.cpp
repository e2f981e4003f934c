// Which columns of a new working table are packed, and how values are written into them.
#include "platform/db/tsql/packed_verdicts.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <variant>

#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// Fewer columns than this stay columns of their own: the per-column cost of SQLite's records
// that packing saves does not yet outweigh reading every value through a function.
constexpr std::size_t kMinPackedColumns = 4;

// The number a DEFAULT(n) or DEFAULT(-n) gives, if that is what it is.
std::optional<long> defaultNumber(const ColumnDef& column) {
  const Expr* value = column.defaultValue.get();
  if (value == nullptr) return std::nullopt;
  bool negative = false;
  if (value->kind == ExprKind::Unary && (value->text == "-" || value->text == "+")) {
    negative = value->text == "-";
    value = value->args[0].get();
  }
  if (value->kind != ExprKind::Integer || value->text.size() > 3) return std::nullopt;
  const long number = std::strtol(value->text.c_str(), nullptr, 10);
  return negative ? -number : number;
}

// A NOT NULL DECIMAL(1,0) or (2,0) with a number for default: every value fits a byte.
bool packable(const ColumnDef& column) {
  const TypeName& type = column.type;
  if (column.identity || column.primaryKey || column.unique || column.nullable != false) return false;
  if (type.name != "DECIMAL" && type.name != "NUMERIC") return false;
  if (type.args.empty() || (type.args[0] != "1" && type.args[0] != "2")) return false;
  if (type.args.size() > 1 && type.args[1] != "0") return false;
  const auto number = defaultNumber(column);
  const long limit = type.args[0] == "1" ? 9 : 99;
  return number && *number >= -limit && *number <= limit;
}

bool selectNamesTemporary(const Select& select);

bool exprNamesTemporary(const Expr& e) {
  if (e.select && selectNamesTemporary(*e.select)) return true;
  bool names = false;
  forEachChild(e, [&](const Expr& child) { names = names || exprNamesTemporary(child); });
  return names;
}

bool refsNameTemporary(const std::vector<TableRef>& refs) {
  return std::any_of(refs.begin(), refs.end(), [](const TableRef& ref) {
    return ref.derived ? selectNamesTemporary(*ref.derived) : ref.table.isTemp();
  });
}

bool selectNamesTemporary(const Select& select) {
  bool names = std::any_of(select.specs.begin(), select.specs.end(),
                           [](const QuerySpec& core) { return refsNameTemporary(core.from); });
  forEachExpr(select, [&](const Expr& e) { names = names || exprNamesTemporary(e); });
  return names;
}

}  // namespace

bool namesTemporaryTable(const StatementNode& node) {
  return std::visit(
      [](const auto& s) {
        using T = std::decay_t<decltype(s)>;
        if constexpr (std::is_same_v<T, SelectStmt>) return selectNamesTemporary(s.select);
        if constexpr (std::is_same_v<T, InsertStmt>) return s.table.isTemp() || (s.select && selectNamesTemporary(*s.select));
        if constexpr (std::is_same_v<T, UpdateStmt> || std::is_same_v<T, DeleteStmt>) {
          bool names = s.target.isTemp() || refsNameTemporary(s.from) || (s.where && exprNamesTemporary(*s.where));
          if constexpr (std::is_same_v<T, UpdateStmt>) {
            for (const Assignment& set : s.sets) names = names || exprNamesTemporary(*set.value);
          }
          return names;
        }
        if constexpr (std::is_same_v<T, DropStmt>) {
          return s.kind == DropKind::Table &&
                 std::any_of(s.names.begin(), s.names.end(), [](const ObjectName& name) { return name.isTemp(); });
        }
        return false;
      },
      node);
}

std::string packedLayoutTable(std::string_view table) { return std::string(kPackedColumn) + " " + std::string(table); }

std::optional<std::pair<std::size_t, std::size_t>> packedRun(const CreateTableStmt& create) {
  std::pair<std::size_t, std::size_t> longest{0, 0};
  for (std::size_t i = 0; i < create.columns.size();) {
    std::size_t end = i;
    while (end < create.columns.size() && packable(create.columns[end])) ++end;
    if (end - i > longest.second) longest = {i, end - i};
    i = end == i ? i + 1 : end;
  }
  if (!create.table.isTemp() || longest.second < kMinPackedColumns) return std::nullopt;
  return longest;
}

signed char packedDefault(const ColumnDef& column) { return static_cast<signed char>(*defaultNumber(column)); }

}  // namespace platform::db::tsql

namespace platform::db::tsql {

std::string packedLiteral(const std::vector<signed char>& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string literal = "x'";
  for (const signed char byte : bytes) {
    const auto b = static_cast<unsigned char>(byte);
    literal += kHex[b >> 4];
    literal += kHex[b & 15];
  }
  return literal + "'";
}

namespace {

const CatalogColumn* packedColumn(const std::vector<CatalogColumn>* columns, std::string_view name) {
  const CatalogColumn* column = columns != nullptr ? findColumn(*columns, name) : nullptr;
  return column != nullptr && column->packedSlot >= 0 ? column : nullptr;
}

std::string quotedLiteral(std::string_view text) {
  std::string literal = "'";
  for (char c : text) literal += c == '\'' ? std::string("''") : std::string(1, c);
  return literal + "'";
}

// vset(blob, k, value[, name]) round the BLOB written so far. The name, for the message of a
// NULL, is passed only where the value may be one.
std::string setByte(const std::string& blob, const CatalogColumn& column, const ColumnValue& value,
                    std::string_view table) {
  std::string written = "vset(" + blob + ", " + std::to_string(column.packedSlot) + ", " + value.value;
  if (value.mayBeNull) written += ", " + quotedLiteral(std::string(table) + "." + column.name);
  return written + ")";
}

// The table's defaults as a BLOB literal; the catalog gives them as declared: a number,
// perhaps in parentheses.
std::string defaultBlob(const std::vector<CatalogColumn>& columns) {
  std::vector<signed char> bytes;
  for (const CatalogColumn& column : columns) {
    if (column.packedSlot < 0) continue;
    if (bytes.size() <= static_cast<std::size_t>(column.packedSlot)) bytes.resize(column.packedSlot + 1);
    const std::size_t digits = column.defaultValue.find_first_not_of("( ");
    if (digits == std::string::npos) continue;
    bytes[column.packedSlot] = static_cast<signed char>(std::strtol(column.defaultValue.c_str() + digits, nullptr, 10));
  }
  return packedLiteral(bytes);
}

}  // namespace

std::string assignmentList(const std::vector<CatalogColumn>* columns, std::string_view table,
                           const std::vector<ColumnValue>& values) {
  std::string list;
  std::string blob = quoteName(kPackedColumn);
  bool packed = false;
  for (const ColumnValue& value : values) {
    if (const CatalogColumn* column = packedColumn(columns, value.column)) {
      blob = setByte(blob, *column, value, table);
      packed = true;
      continue;
    }
    list += (list.empty() ? "" : ", ") + quoteName(value.column) + " = " + value.value;
  }
  if (packed) list += (list.empty() ? "" : ", ") + quoteName(kPackedColumn) + " = " + blob;
  return list;
}

std::pair<std::string, std::string> insertLists(const std::vector<CatalogColumn>* columns, std::string_view table,
                                                const std::vector<ColumnValue>& values) {
  std::vector<std::string> names;
  std::string row;
  std::string blob;
  for (const ColumnValue& value : values) {
    if (const CatalogColumn* column = packedColumn(columns, value.column)) {
      blob = setByte(blob.empty() ? defaultBlob(*columns) : blob, *column, value, table);
      continue;
    }
    names.push_back(value.column);
    row += (row.empty() ? "" : ", ") + value.value;
  }
  if (!blob.empty()) {
    names.emplace_back(kPackedColumn);
    row += (row.empty() ? "" : ", ") + blob;
  }
  return {quotedColumnList(names), row};
}

}  // namespace platform::db::tsql
