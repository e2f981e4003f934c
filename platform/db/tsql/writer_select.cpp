// SELECT for SQLite: TOP becomes LIMIT, hints are gone, temporary tables are named in "temp",
// and keys that group, sort or remove duplicates compare through TSQL_CI.
#include <algorithm>
#include <utility>

#include "platform/db/tsql/lookup_index.h"
#include "platform/db/tsql/verdict_side_table.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// Whether an ORDER BY key is a bare name the query's select list gives a column.
bool namesResultColumn(const QuerySpec& core, const Expr& key) {
  if (key.kind != ExprKind::Column || !key.qualifier.empty()) return false;
  return std::any_of(core.items.begin(), core.items.end(), [&](const SelectItem& item) {
    const std::string name = !item.alias.empty() ? item.alias : item.expr->kind == ExprKind::Column ? item.expr->text : "";
    return platform::text::equalsIgnoringCase(name, key.text);
  });
}

}  // namespace

std::string Writer::tableName(const ObjectName& name) {
  if (name.isTemp()) return "temp." + quoteName(name.name());
  return quoteName(name.name());
}

void Writer::select(const Select& s, std::string& out) {
  bool compound = s.specs.size() > 1;
  for (size_t i = 0; i < s.specs.size(); ++i) {
    if (i > 0) {
      switch (s.ops[i - 1]) {
        case SetOp::Union: out += " UNION "; break;
        case SetOp::UnionAll: out += " UNION ALL "; break;
        case SetOp::Except: out += " EXCEPT "; break;
        case SetOp::Intersect: out += " INTERSECT "; break;
      }
    }
    const QuerySpec& core = s.specs[i];
    // UNION, EXCEPT and INTERSECT remove duplicates like DISTINCT does.
    bool deduplicates = core.distinct || (compound && ((i > 0 && s.ops[i - 1] != SetOp::UnionAll) ||
                                                       (i + 1 < s.specs.size() && s.ops[i] != SetOp::UnionAll)));
    if (compound && core.top) {
      // TOP limits its own member of a UNION: SQLite takes LIMIT there only inside a subquery.
      out += "SELECT * FROM (";
      querySpec(core, deduplicates, true, i == 0 ? &s.orderBy : nullptr, out);
      out += ')';
    } else {
      querySpec(core, deduplicates, false, i == 0 ? &s.orderBy : nullptr, out);
    }
  }
  if (!s.orderBy.empty()) {
    const EnteredScope entered(m_scopes, scopeOf(s.specs.front().from));
    out += " ORDER BY ";
    for (size_t i = 0; i < s.orderBy.size(); ++i) {
      if (i > 0) out += ", ";
      const Expr& key = *s.orderBy[i].expr;
      if (namesResultColumn(s.specs.front(), key)) {
        out += quoteName(key.text);  // SQL Server takes the select list's name first
      } else {
        orderKey(key, out);
      }
      if (s.orderBy[i].descending) out += " DESC";
    }
  }
  if (!compound && s.specs.front().top) {
    out += " LIMIT ";
    expr(*s.specs.front().top, out);
  }
}

void Writer::orderKey(const Expr& e, std::string& out) {
  if (isBareColumn(e) || isNumericLiteral(e)) {
    expr(e, out);
  } else {
    collated(e, out);
  }
}

void Writer::querySpec(const QuerySpec& core, bool deduplicates, bool withTop, const std::vector<OrderItem>* orderBy,
                       std::string& out) {
  ResultColumns result{std::exchange(m_sources, nullptr)};
  const EnteredScope entered(m_scopes, scopeOf(core.from));
  const bool expandStars = packsAny(m_scopes.back());
  out += core.distinct ? "SELECT DISTINCT " : "SELECT ";
  bool first = true;
  for (size_t i = 0; i < core.items.size(); ++i) {
    const SelectItem& item = core.items[i];
    const Expr& value = *item.expr;
    if (value.kind == ExprKind::Star && expandStars) {
      expandStar(value, m_scopes.back(), result, first, out);
      continue;
    }
    if (!first) out += ", ";
    first = false;
    if (const auto stored = value.kind == ExprKind::Column ? storedColumn(value) : std::nullopt) {
      resultItem(stored->written, item.alias.empty() ? stored->column->name : item.alias, &*stored, result, out);
      continue;
    }
    ++result.next;
    // A text expression has the database collation in SQL Server; in SQLite only a column has
    // one. Giving it TSQL_CI here carries it to whatever reads the result: a derived table, a
    // view, the other members of a UNION.
    bool text = !isBareColumn(value) && valueClass(value) == ValueClass::Text;
    if (text || (deduplicates && !isBareColumn(value) && !isNumericLiteral(value) && value.kind != ExprKind::Star)) {
      collated(value, out);
    } else {
      expr(value, out);
    }
    if (!item.alias.empty()) {
      out += " AS ";
      out += quoteName(item.alias);
    }
  }
  if (!core.from.empty()) {
    out += " FROM ";
    from(core.from, out, [&](const TableRef& ref) {
      const std::vector<std::string> side = sideColumns(ref.table);
      return mentionsColumn(core, ref.exposedName(), side) ||
             (orderBy != nullptr && std::any_of(orderBy->begin(), orderBy->end(), [&](const OrderItem& item) {
                return mentionsColumn(*item.expr, ref.exposedName(), side);
              }));
    });
  }
  if (core.where) {
    out += " WHERE ";
    expr(*core.where, out);
  }
  if (!core.groupBy.empty()) {
    out += " GROUP BY ";
    for (size_t i = 0; i < core.groupBy.size(); ++i) {
      if (i > 0) out += ", ";
      orderKey(*core.groupBy[i], out);
    }
  }
  if (core.having) {
    out += " HAVING ";
    expr(*core.having, out);
  }
  if (withTop && core.top) {
    out += " LIMIT ";
    expr(*core.top, out);
  }
}

void Writer::from(const std::vector<TableRef>& refs, std::string& out,
                  const std::function<bool(const TableRef&)>& readsSide) {
  for (const TableRef& ref : refs) {
    switch (ref.join) {
      case JoinKind::First: break;
      case JoinKind::Comma: out += ", "; break;
      case JoinKind::Inner: out += " INNER JOIN "; break;
      case JoinKind::Left: out += " LEFT JOIN "; break;
      case JoinKind::Right: out += " RIGHT JOIN "; break;
      case JoinKind::Full: out += " FULL JOIN "; break;
      case JoinKind::Cross: out += " CROSS JOIN "; break;
    }
    const bool paired = !ref.derived && readsSide && splits(ref.table) && readsSide(ref);
    if (ref.derived) {
      out += '(';
      select(*ref.derived, out);
      out += ')';
    } else if (paired) {
      splitRef(ref, out);  // aliased as it is exposed
    } else {
      out += tableName(ref.table);
    }
    if (!ref.alias.empty() && !paired) {
      out += " AS ";
      out += quoteName(ref.alias);
    }
    if (ref.on) {
      out += " ON ";
      expr(*ref.on, out);
    }
  }
}

Statement Writer::selectStatement(const SelectStmt& s) {
  Statement statement;
  if (s.select.specs.front().into) {
    statement = selectInto(s.select);
  } else {
    std::string sql;
    m_sources = &statement.sources;
    select(s.select, sql);
    m_sources = nullptr;
    statement.steps.push_back({std::move(sql), false});
    statement.returnsRows = true;
  }
  if (m_catalog != nullptr && m_passes.lookupIndex) {
    std::vector<SqliteStep> steps = lookupIndexSteps(s.select, *m_catalog);
    statement.steps.insert(statement.steps.begin(), steps.begin(), steps.end());
  }
  return statement;
}

}  // namespace platform::db::tsql
