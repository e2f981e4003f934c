// The packed-verdicts pass in the writer: column references resolved through the catalog to a
// packed column are read from their byte, UPDATE and INSERT write the byte, a star over a
// packed table lists its columns in declared order. See packed_verdicts.h.
#include <algorithm>

#include "platform/db/tsql/packed_verdicts.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

using platform::text::equalsIgnoringCase;

const CatalogColumn* findColumn(const std::vector<CatalogColumn>* columns, std::string_view name) {
  return columns == nullptr ? nullptr : tsql::findColumn(*columns, name);
}

// A column packed or in the side table: read other than by its name.
const CatalogColumn* findStored(const std::vector<CatalogColumn>* columns, std::string_view name) {
  const CatalogColumn* column = findColumn(columns, name);
  return column != nullptr && (column->packedSlot >= 0 || column->inSide) ? column : nullptr;
}

}  // namespace

Writer::Scope Writer::scopeOf(const std::vector<TableRef>& from) {
  Scope scope;
  for (const TableRef& ref : from) {
    scope.push_back({ref.derived ? nullptr : &ref.table, ref.derived.get(), ref.exposedName(), {}});
    if (!ref.derived && splits(ref.table)) scope.back().sideAs = quoteName(sideAlias(ref.exposedName()));
  }
  return scope;
}

Writer::ScopeTable Writer::targetOf(const ObjectName& target) { return {&target, nullptr, target.name(), {}}; }

const std::vector<CatalogColumn>* Writer::tableColumns(const ObjectName& table) {
  if (m_catalog == nullptr) return nullptr;
  const std::string key = platform::text::upperAscii(table.name());
  auto found = m_tables.find(key);
  if (found == m_tables.end()) found = m_tables.emplace(key, m_catalog->columns(table.name())).first;
  return found->second ? &*found->second : nullptr;
}

bool Writer::packs(const ObjectName& table) {
  if (!m_passes.packedVerdicts || !table.isTemp()) return false;
  const std::vector<CatalogColumn>* columns = tableColumns(table);
  return columns != nullptr &&
         std::any_of(columns->begin(), columns->end(), [](const CatalogColumn& c) { return c.packedSlot >= 0; });
}

bool Writer::packsAny(const Scope& scope) {
  return std::any_of(scope.begin(), scope.end(), [&](const ScopeTable& t) { return t.table != nullptr && packs(*t.table); });
}

std::vector<std::string> Writer::columnNames(const ScopeTable& table) {
  std::vector<std::string> names;
  if (table.table != nullptr) {
    if (const auto* columns = tableColumns(*table.table)) {
      for (const CatalogColumn& column : *columns) names.push_back(column.name);
    }
    return names;
  }
  const QuerySpec& core = table.derived->specs.front();
  for (const SelectItem& item : core.items) {
    if (!item.alias.empty()) {
      names.push_back(item.alias);
    } else if (item.expr->kind == ExprKind::Column) {
      names.push_back(item.expr->text);
    } else if (item.expr->kind == ExprKind::Star) {
      for (const ScopeTable& inner : scopeOf(core.from)) {
        if (!item.expr->qualifier.empty() && !equalsIgnoringCase(item.expr->qualifier, inner.exposed)) continue;
        const std::vector<std::string> more = columnNames(inner);
        names.insert(names.end(), more.begin(), more.end());
      }
    }
  }
  return names;
}

bool Writer::hasColumn(const ScopeTable& table, std::string_view name) {
  const std::vector<std::string> names = columnNames(table);
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return equalsIgnoringCase(n, name); });
}

std::string Writer::packedRead(const std::string& qualifier, const CatalogColumn& column) const {
  std::string blob = quoteName(kPackedColumn);
  if (!qualifier.empty()) blob = qualifier + "." + blob;
  return "CAST(vget(" + blob + ", " + std::to_string(column.packedSlot) + ") AS " + column.type.declared + ")";
}

std::optional<std::string> Writer::storedRead(const ScopeTable& t, const CatalogColumn& column) {
  if (column.inSide) {
    return column.packedSlot >= 0 ? packedRead(t.sideAs, column) : t.sideAs + "." + quoteName(column.name);
  }
  if (t.ownByRowId) {
    const std::string key = t.sideAs + "." + quoteName(kSideKey);
    if (column.isRowKey) return key;
    return "(SELECT " + quoteName(column.name) + " FROM " + tableName(*t.table) + " WHERE rowid = " + key + ")";
  }
  if (column.packedSlot >= 0) return packedRead(quoteName(t.exposed), column);
  return std::nullopt;
}

std::optional<Writer::StoredRef> Writer::storedColumn(const Expr& column) {
  if (!m_passes.packedVerdicts || m_scopes.empty()) return std::nullopt;
  // Most names are no stored column anywhere in scope: those need no look-up of other tables.
  if (column.qualifier.empty()) {
    bool named = false;
    for (const Scope& scope : m_scopes) {
      for (const ScopeTable& t : scope) {
        named = named || (t.table != nullptr && packs(*t.table) &&
                          (t.ownByRowId || findStored(tableColumns(*t.table), column.text)));
      }
    }
    if (!named) return std::nullopt;
  }
  // As SQL Server binds it: the innermost query with a table of that name or column.
  for (auto scope = m_scopes.rbegin(); scope != m_scopes.rend(); ++scope) {
    for (const ScopeTable& t : *scope) {
      if (!column.qualifier.empty() ? !equalsIgnoringCase(column.qualifier, t.exposed) : !hasColumn(t, column.text)) {
        continue;
      }
      if (t.table == nullptr || !packs(*t.table)) return std::nullopt;
      const CatalogColumn* found = findColumn(tableColumns(*t.table), column.text);
      if (found == nullptr) return std::nullopt;
      std::optional<std::string> written = storedRead(t, *found);
      if (!written) return std::nullopt;
      return StoredRef{std::move(*written), found, t.table->name()};
    }
  }
  return std::nullopt;
}

void Writer::resultItem(const std::string& written, const std::string& name, const StoredRef* stored,
                        ResultColumns& result, std::string& out) {
  out += written;
  if (stored != nullptr) {
    out += " AS " + quoteName(name);
    if (result.sources != nullptr) {
      result.sources->push_back({result.next, stored->table, stored->column->name, stored->column->type.declared});
    }
  }
  ++result.next;
}

void Writer::expandStar(const Expr& star, const Scope& scope, ResultColumns& result, bool& first, std::string& out) {
  for (const ScopeTable& t : scope) {
    if (!star.qualifier.empty() && !equalsIgnoringCase(star.qualifier, t.exposed)) continue;
    const bool packed = t.table != nullptr && packs(*t.table);
    const std::vector<CatalogColumn>* columns = t.table != nullptr ? tableColumns(*t.table) : nullptr;
    for (const std::string& name : columnNames(t)) {
      if (!first) out += ", ";
      first = false;
      const CatalogColumn* column = packed ? findStored(columns, name) : nullptr;
      if (column != nullptr) {
        const StoredRef ref{*storedRead(t, *column), column, t.table->name()};
        resultItem(ref.written, name, &ref, result, out);
      } else {
        resultItem(quoteName(t.exposed) + "." + quoteName(name), name, nullptr, result, out);
      }
    }
  }
}

std::string Writer::targetColumn(const ObjectName& target, const std::string& column) {
  const CatalogColumn* packed = packs(target) ? findColumn(tableColumns(target), column) : nullptr;
  return packed != nullptr && packed->packedSlot >= 0 ? packedRead("", *packed) : quoteName(column);
}

void Writer::assignments(const ObjectName& target, const std::vector<Assignment>& sets,
                         const std::function<void(std::size_t, std::string&)>& value, std::string& out) {
  std::vector<ColumnValue> values;
  for (std::size_t i = 0; i < sets.size(); ++i) {
    values.push_back({sets[i].column, {}, !isNumericLiteral(*sets[i].value)});
    value(i, values.back().value);
  }
  out += assignmentList(packs(target) ? tableColumns(target) : nullptr, target.name(), values);
}

// INSERT into a packed table: the packed columns given become one BLOB value, the table's
// defaults with their bytes replaced; an INSERT ... SELECT reads the rows from a CTE first.
Statement Writer::packedInsert(const InsertStmt& s) {
  const std::vector<CatalogColumn>* columns = tableColumns(s.table);
  std::vector<std::string> names = s.columns;
  if (names.empty()) {
    for (const CatalogColumn& column : *columns) {
      if (!column.isRowKey) names.push_back(column.name);
    }
  }
  std::string sql;
  if (s.select) {
    std::vector<ColumnValue> values;
    sql = "WITH \"tsql_rows\" (";
    for (std::size_t i = 0; i < names.size(); ++i) {
      values.push_back({names[i], quoteName("tsql_c" + std::to_string(i + 1))});
      sql += (i > 0 ? ", " : "") + values.back().value;
    }
    sql += ") AS (";
    select(*s.select, sql);
    const auto [stored, row] = insertLists(columns, s.table.name(), values);
    sql += ") INSERT INTO " + tableName(s.table) + stored + " SELECT " + row + " FROM \"tsql_rows\"";
  } else {
    for (const auto& given : s.rows) {
      if (given.size() != names.size()) {
        const bool fewer = given.size() < names.size();
        fail(std::string("There are ") + (fewer ? "more" : "fewer") +
                 " columns in the INSERT statement than values specified in the VALUES clause.",
             "VALUES", given.empty() ? s.table.pos : given.front()->pos, fewer ? 109 : 110);
      }
      std::vector<ColumnValue> values;
      for (std::size_t i = 0; i < names.size(); ++i) {
        values.push_back({names[i], {}, !isNumericLiteral(*given[i])});
        expr(*given[i], values.back().value);
      }
      const auto [stored, row] = insertLists(columns, s.table.name(), values);
      sql += (sql.empty() ? "INSERT INTO " + tableName(s.table) + stored + " VALUES (" : ", (") + row + ")";
    }
  }
  Statement statement;
  statement.steps.push_back({std::move(sql), true});
  return statement;
}

}  // namespace platform::db::tsql
