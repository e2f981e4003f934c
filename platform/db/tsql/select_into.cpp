// SELECT ... INTO: SQLite's CREATE TABLE ... AS SELECT would type the new columns by affinity
// only and drop their collations, and it reports no row count. The new table is created with
// the types SQL Server gives it (taken from the catalog for columns, from the expression
// otherwise), then filled by INSERT ... SELECT, which counts the rows.
#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/writer.h"
#include "platform/text/ascii.h"
#include "platform/text/utf8.h"

namespace platform::db::tsql {
namespace {

struct ColumnType {
  SqlType sql;            // as SQLite declares it: "CHAR(25)", "INT", ""
  std::string collation;  // "TSQL_CI" or empty
  bool rowKey = false;    // an identity column of its table
};

struct ScopeColumn {
  std::string name;
  ColumnType type;
};

struct Source {
  std::string exposedName;
  std::vector<ScopeColumn> columns;
};

struct Scope {
  std::vector<Source> sources;
  const Scope* outer = nullptr;
};

ColumnType valueType(std::string_view declared) { return {SqlType::parse(declared), "", false}; }
ColumnType textType(std::string_view declared) { return {SqlType::parse(declared), "TSQL_CI", false}; }

class IntoTyper {
 public:
  IntoTyper(const Writer& writer, const Catalog& catalog) : m_writer(writer), m_catalog(catalog) {}

  Scope scopeOf(const std::vector<TableRef>& refs, const Scope* outer) {
    Scope scope;
    scope.outer = outer;
    for (const TableRef& ref : refs) {
      Source source;
      if (ref.derived) {
        source.exposedName = ref.alias;
        source.columns = columnsOf(*ref.derived, outer);
        for (ScopeColumn& column : source.columns) column.type.rowKey = false;
      } else {
        source.exposedName = ref.exposedName();
        auto columns = m_catalog.columns(ref.table.name());
        if (!columns) {
          m_writer.fail("Invalid object name '" + ref.table.name() + "'.", "table " + ref.table.name(),
                        ref.table.pos, kInvalidObject);
        }
        for (const CatalogColumn& column : *columns) {
          source.columns.push_back({column.name, {column.type, column.collation, column.isRowKey}});
        }
      }
      scope.sources.push_back(std::move(source));
    }
    return scope;
  }

  //! The columns a query yields: names and types of its first SELECT's list.
  std::vector<ScopeColumn> columnsOf(const Select& select, const Scope* outer) {
    const QuerySpec& core = select.specs.front();
    Scope scope = scopeOf(core.from, outer);
    std::vector<ScopeColumn> columns;
    for (const SelectItem& item : core.items) {
      const Expr& e = *item.expr;
      if (e.kind == ExprKind::Star) {
        for (const Source& source : scope.sources) {
          if (!e.qualifier.empty() && !platform::text::equalsIgnoringCase(e.qualifier, source.exposedName)) continue;
          columns.insert(columns.end(), source.columns.begin(), source.columns.end());
        }
        continue;
      }
      std::string name = !item.alias.empty() ? item.alias : e.kind == ExprKind::Column ? e.text : std::string();
      columns.push_back({std::move(name), typeOf(e, scope)});
    }
    return columns;
  }

  ColumnType typeOf(const Expr& e, const Scope& scope) {
    switch (e.kind) {
      case ExprKind::Column:
        return resolve(e, scope).type;
      case ExprKind::Integer:
        return valueType("INT");
      case ExprKind::Decimal:
        return valueType(decimalType(e.text));
      case ExprKind::String:
        return textType("VARCHAR(" + std::to_string(std::max<size_t>(platform::text::utf8Length(e.text), 1)) + ")");
      case ExprKind::Null:
        return valueType("INT");
      case ExprKind::Cast:
        if (isTextType(e.type) || e.style.has_value()) return textType(columnTypeText(e.type));
        return valueType(columnTypeText(e.type));
      case ExprKind::Unary:
        if (e.text == "NOT") return valueType("INT");
        return plain(typeOf(*e.args[0], scope));
      case ExprKind::Binary:
        if (m_writer.valueClass(e) == ValueClass::Text) return textType("VARCHAR");
        return plain(typeOf(*e.args[0], scope));
      case ExprKind::Case:
        for (size_t i = 1; i < e.args.size(); i += 2) {
          if (e.args[i]->kind != ExprKind::Null) return plain(typeOf(*e.args[i], scope));
        }
        return e.elseExpr ? plain(typeOf(*e.elseExpr, scope)) : valueType("INT");
      case ExprKind::Subquery: {
        std::vector<ScopeColumn> columns = columnsOf(*e.select, &scope);
        return columns.empty() ? ColumnType{} : plain(columns.front().type);
      }
      case ExprKind::Function:
        return functionType(e, scope);
      default:
        return valueType("INT");  // predicates: SQL Server has no boolean columns
    }
  }

 private:
  static ColumnType plain(ColumnType type) {
    type.rowKey = false;
    return type;
  }

  static std::string decimalType(const std::string& literal) {
    if (literal.find_first_of("eE") != std::string::npos) return "FLOAT";
    size_t dot = literal.find('.');
    size_t digits = 0;
    for (char c : literal) digits += c >= '0' && c <= '9';
    size_t scale = dot == std::string::npos ? 0 : literal.size() - dot - 1;
    return "DECIMAL(" + std::to_string(std::max<size_t>(digits, 1)) + "," + std::to_string(scale) + ")";
  }

  ColumnType functionType(const Expr& e, const Scope& scope) {
    const FunctionRule& rule = *findFunction(e.text);
    if (rule.shape == FunctionShape::Now) return valueType("DATETIME");
    if (e.text == "COUNT" || e.text == "LEN") return valueType("INT");
    if (rule.result == ValueClass::Text) {
      const SqlType argument = typeOf(*e.args[0], scope).sql;
      return textType(argument.length == 0 ? "VARCHAR" : "VARCHAR(" + std::to_string(argument.length) + ")");
    }
    // ISNULL, COALESCE, NULLIF, MIN, MAX, SUM, AVG, ABS: the type of the first argument.
    return plain(typeOf(*e.args[0], scope));
  }

  const ScopeColumn& resolve(const Expr& column, const Scope& scope) {
    for (const Scope* level = &scope; level != nullptr; level = level->outer) {
      for (const Source& source : level->sources) {
        if (!column.qualifier.empty() && !platform::text::equalsIgnoringCase(column.qualifier, source.exposedName)) continue;
        for (const ScopeColumn& candidate : source.columns) {
          if (platform::text::equalsIgnoringCase(candidate.name, column.text)) return candidate;
        }
      }
    }
    if (!column.qualifier.empty()) {
      std::string name = column.qualifier + "." + column.text;
      m_writer.fail("The multi-part identifier \"" + name + "\" could not be bound.", "column " + name, column.pos,
                    4104);
    }
    m_writer.fail("Invalid column name '" + column.text + "'.", "column " + column.text, column.pos,
                  kInvalidColumn);
  }

  const Writer& m_writer;
  const Catalog& m_catalog;
};

}  // namespace

Statement Writer::selectInto(const Select& s) {
  const QuerySpec& core = s.specs.front();
  const ObjectName& target = *core.into;
  if (m_catalog == nullptr) unsupported("SELECT INTO without a catalog", core.pos);

  IntoTyper typer(*this, *m_catalog);
  std::vector<ScopeColumn> columns = typer.columnsOf(s, nullptr);
  // SQL Server keeps the IDENTITY property only for a column copied as is from one table.
  bool keepsIdentity = s.specs.size() == 1 && core.from.size() == 1 && !core.from.front().derived &&
                       core.groupBy.empty() && !core.distinct;

  std::string create = target.isTemp() ? "CREATE TEMP TABLE " : "CREATE TABLE ";
  create += quoteName(target.name());
  create += " (";
  std::string names;
  bool keyTaken = false;
  for (size_t i = 0; i < columns.size(); ++i) {
    const ScopeColumn& column = columns[i];
    if (i > 0) {
      create += ", ";
      names += ", ";
    }
    create += quoteName(column.name);
    names += quoteName(column.name);
    if (column.type.rowKey && keepsIdentity && !keyTaken) {
      create += " INTEGER PRIMARY KEY";
      keyTaken = true;
      continue;
    }
    if (!column.type.sql.declared.empty()) {
      create += ' ';
      create += column.type.sql.declared;
    }
    if (!column.type.collation.empty()) {
      create += " COLLATE ";
      create += column.type.collation;
    }
  }
  create += ')';

  std::string insert = "INSERT INTO " + tableName(target) + " (" + names + ") ";
  select(s, insert);

  Statement statement;
  statement.steps.push_back({std::move(create), false});
  statement.steps.push_back({std::move(insert), true});
  statement.changesSchema = true;
  return statement;
}

}  // namespace platform::db::tsql
