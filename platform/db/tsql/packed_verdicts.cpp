// Which columns of a new working table are packed, and the bytes of their defaults.
#include "platform/db/tsql/packed_verdicts.h"

#include <algorithm>
#include <cstdlib>
#include <type_traits>
#include <variant>

namespace platform::db::tsql {
namespace {

// Fewer columns than this stay columns of their own: the per-column cost of SQLite's records
// that packing saves does not yet outweigh reading every value through a function.
constexpr std::size_t kMinPackedColumns = 8;

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

}  // namespace platform::db::tsql
