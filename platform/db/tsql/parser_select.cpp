// SELECT: select lists with their aliases, INTO, FROM with joins, derived tables and table
// hints (which are read and dropped), WHERE, GROUP BY, HAVING, UNION and ORDER BY.
#include <array>

#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/parser.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

// Locking and access-path hints. The embedded database runs one statement at a time on one
// connection, so none of them changes a result: they are dropped.
constexpr std::array<std::string_view, 18> kTableHints = {
    "FORCESCAN",  "FORCESEEK",     "HOLDLOCK", "INDEX",    "NOEXPAND", "NOLOCK",   "NOWAIT",   "PAGLOCK",
    "READCOMMITTED", "READCOMMITTEDLOCK", "READPAST", "READUNCOMMITTED", "REPEATABLEREAD", "ROWLOCK",
    "SERIALIZABLE", "TABLOCK", "TABLOCKX", "UPDLOCK"};

}  // namespace

Select Parser::parseSelect(bool allowInto) {
  Select select;
  select.specs.push_back(parseQuerySpec(allowInto));
  for (;;) {
    if (acceptKeyword("UNION")) {
      select.ops.push_back(acceptKeyword("ALL") ? SetOp::UnionAll : SetOp::Union);
    } else if (acceptKeyword("EXCEPT")) {
      select.ops.push_back(SetOp::Except);
    } else if (acceptKeyword("INTERSECT")) {
      select.ops.push_back(SetOp::Intersect);
    } else {
      break;
    }
    select.specs.push_back(parseQuerySpec(false));
  }
  if (atKeyword("ORDER")) {
    advance();
    expectKeyword("BY", "ORDER BY");
    do {
      OrderItem item;
      item.expr = parseExpr();
      if (acceptKeyword("DESC")) {
        item.descending = true;
      } else {
        acceptKeyword("ASC");
      }
      select.orderBy.push_back(std::move(item));
    } while (acceptSymbol(","));
  }
  if (atKeyword("OPTION")) unsupported("query hint (OPTION)", peek().pos);
  if (atKeyword("FOR")) unsupported("FOR clause", peek().pos);
  return select;
}

QuerySpec Parser::parseQuerySpec(bool allowInto) {
  QuerySpec core;
  core.pos = expectKeyword("SELECT", "SELECT").pos;
  if (acceptKeyword("DISTINCT")) {
    core.distinct = true;
  } else {
    acceptKeyword("ALL");
  }
  if (atKeyword("TOP")) {
    advance();
    if (atSymbol("(")) {
      advance();
      core.top = parseExpr();
      expectSymbol(")", "TOP");
    } else {
      const Token& count = peek();
      if (count.kind != TokenKind::Number) syntaxError("TOP");
      core.top = std::make_unique<Expr>(ExprKind::Integer, count.pos);
      core.top->text = std::string(count.text);
      advance();
    }
    if (atKeyword("PERCENT")) unsupported("TOP ... PERCENT", peek().pos);
    if (atKeyword("WITH") && atKeyword("TIES", 1)) unsupported("TOP ... WITH TIES", peek().pos);
  }
  do {
    core.items.push_back(parseSelectItem());
  } while (acceptSymbol(","));
  if (atKeyword("INTO")) {
    if (!allowInto) syntaxError("INTO");
    advance();
    core.into = parseObjectName("INTO table");
    // SELECT INTO names every new column: an expression needs an alias (SQL Server error 1038).
    for (const SelectItem& item : core.items) {
      if (item.alias.empty() && item.expr->kind != ExprKind::Column && item.expr->kind != ExprKind::Star) {
        emptyName(item.pos);
      }
    }
  }
  if (acceptKeyword("FROM")) {
    core.from = parseFrom();
  } else {
    for (const SelectItem& item : core.items) {
      if (item.expr->kind == ExprKind::Star && item.expr->qualifier.empty()) {
        raise("Must specify table to select from.", "*", item.pos, statementText(), kNoTable);
      }
    }
  }
  if (acceptKeyword("WHERE")) core.where = parseExpr();
  if (atKeyword("GROUP")) {
    advance();
    expectKeyword("BY", "GROUP BY");
    do {
      core.groupBy.push_back(parseExpr());
    } while (acceptSymbol(","));
  }
  if (acceptKeyword("HAVING")) core.having = parseExpr();
  return core;
}

SelectItem Parser::parseSelectItem() {
  SelectItem item;
  item.pos = peek().pos;
  if (atSymbol("*")) {
    advance();
    item.expr = std::make_unique<Expr>(ExprKind::Star, item.pos);
    return item;
  }
  // T-SQL's "alias = expression".
  if (atName() && atSymbol("=", 1)) {
    item.alias = parseName("column alias");
    advance();
    item.expr = parseExpr();
    return item;
  }
  item.expr = parseExpr();
  if (item.expr->kind == ExprKind::Star) return item;
  bool as = acceptKeyword("AS");
  if (peek().kind == TokenKind::String) {
    const Token& alias = advance();
    if (alias.value.empty()) emptyName(alias.pos);
    item.alias = alias.value;
  } else if (as || atName()) {
    item.alias = parseName("column alias");
  }
  return item;
}

std::string Parser::parseAlias() {
  if (acceptKeyword("AS")) return parseName("alias");
  if (atName()) return parseName("alias");
  return {};
}

std::vector<TableRef> Parser::parseFrom() {
  std::vector<TableRef> from;
  from.push_back(parseTableFactor(JoinKind::First));
  for (;;) {
    JoinKind join;
    SourcePos pos = peek().pos;
    if (acceptSymbol(",")) {
      join = JoinKind::Comma;
    } else if (acceptKeyword("JOIN")) {
      join = JoinKind::Inner;
    } else if (acceptKeyword("INNER")) {
      expectKeyword("JOIN", "INNER JOIN");
      join = JoinKind::Inner;
    } else if (atKeyword("LEFT") || atKeyword("RIGHT") || atKeyword("FULL")) {
      join = atKeyword("LEFT") ? JoinKind::Left : atKeyword("RIGHT") ? JoinKind::Right : JoinKind::Full;
      advance();
      acceptKeyword("OUTER");
      expectKeyword("JOIN", "outer join");
    } else if (atKeyword("CROSS")) {
      advance();
      if (atKeyword("APPLY")) unsupported("CROSS APPLY", pos);
      expectKeyword("JOIN", "CROSS JOIN");
      join = JoinKind::Cross;
    } else if (atKeyword("OUTER") && atKeyword("APPLY", 1)) {
      unsupported("OUTER APPLY", pos);
    } else {
      return from;
    }
    TableRef ref = parseTableFactor(join);
    if (join != JoinKind::Comma && join != JoinKind::Cross) {
      expectKeyword("ON", "join condition");
      ref.on = parseExpr();
    }
    from.push_back(std::move(ref));
  }
}

TableRef Parser::parseTableFactor(JoinKind join) {
  TableRef ref;
  ref.join = join;
  ref.pos = peek().pos;
  if (atSymbol("(")) {
    if (!atKeyword("SELECT", 1)) unsupported("parenthesised join", ref.pos);
    advance();
    ref.derived = parseSubquery();
    expectSymbol(")", "derived table");
    ref.alias = parseAlias();
    if (ref.alias.empty()) syntaxError("derived table alias");
    return ref;
  }
  static constexpr std::array<std::string_view, 4> kRowsetFunctions = {"OPENDATASOURCE", "OPENQUERY", "OPENROWSET",
                                                                      "OPENXML"};
  for (std::string_view function : kRowsetFunctions) {
    if (atKeyword(function)) unsupported(std::string(function) + " (data from outside the database)", ref.pos);
  }
  ref.table = parseObjectName("table name");
  if (atSymbol("(")) unsupported("table-valued function " + ref.table.name(), ref.pos);
  ref.alias = parseAlias();
  skipTableHints();
  return ref;
}

void Parser::skipTableHints() {
  if (!atKeyword("WITH") || !atSymbol("(", 1)) return;
  advance();
  advance();
  do {
    const Token& hint = peek();
    bool known = false;
    for (std::string_view name : kTableHints) known = known || hint.is(name);
    if (!known) {
      if (hint.kind == TokenKind::Word) unsupported("table hint " + platform::text::upperAscii(hint.text), hint.pos);
      syntaxError("table hint");
    }
    bool index = hint.is("INDEX");
    advance();
    if (index) {
      // INDEX(name, ...) or INDEX = name: the access path is SQLite's choice.
      if (acceptSymbol("=")) {
        advance();
      } else {
        expectSymbol("(", "INDEX hint");
        while (!atSymbol(")") && peek().kind != TokenKind::End) advance();
        expectSymbol(")", "INDEX hint");
      }
    }
  } while (acceptSymbol(","));
  expectSymbol(")", "table hint");
}

}  // namespace platform::db::tsql
