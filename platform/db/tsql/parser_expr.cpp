// Expressions, with T-SQL's precedence: NOT binds looser than comparisons and IS NULL, so
// "NOT col IS NULL" is "NOT (col IS NULL)"; parentheses are not kept, the writer puts its own.
#include <algorithm>
#include <array>
#include <charconv>

#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/parser.h"
#include "platform/db/tsql/rules.h"
#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

ExprPtr makeExpr(ExprKind kind, SourcePos pos) { return std::make_unique<Expr>(kind, pos); }

}  // namespace

Parser::Nesting::Nesting(Parser& parser) : m_parser(parser) {
  if (++m_parser.m_depth > kMaxNesting) raiseNestedTooDeeply(m_parser.peek().pos, m_parser.statementText());
}

ExprPtr Parser::measured(ExprPtr expr) const {
  int below = expr->select ? expr->select->height : 0;
  forEachChild(*expr, [&](const Expr& child) { below = std::max(below, child.height); });
  expr->height = below + 1;
  if (expr->height > kMaxNesting) raiseNestedTooDeeply(expr->pos, statementText());
  return expr;
}

void Parser::measure(Select& select) const {
  int below = 0;
  forEachExpr(select, [&](const Expr& e) { below = std::max(below, e.height); });
  for (const QuerySpec& query : select.specs) {
    for (const TableRef& ref : query.from) {
      if (ref.derived) below = std::max(below, ref.derived->height);
    }
  }
  select.height = below + 1;
  if (select.height > kMaxNesting) raiseNestedTooDeeply(select.specs.front().pos, statementText());
}

ExprPtr Parser::binary(std::string op, ExprPtr left, ExprPtr right, SourcePos pos) const {
  auto expr = makeExpr(ExprKind::Binary, pos);
  expr->text = std::move(op);
  expr->args.push_back(std::move(left));
  expr->args.push_back(std::move(right));
  return measured(std::move(expr));
}

ExprPtr Parser::chain(std::string_view keyword, ExprPtr (Parser::*operand)()) {
  ExprPtr first = (this->*operand)();
  if (!atKeyword(keyword)) return first;
  auto expr = makeExpr(ExprKind::Binary, peek().pos);
  expr->text = std::string(keyword);
  expr->args.push_back(std::move(first));
  while (acceptKeyword(keyword)) expr->args.push_back((this->*operand)());
  return measured(std::move(expr));
}

ExprPtr Parser::parseExpr() {
  Nesting nesting(*this);
  return chain("OR", &Parser::parseAnd);
}

ExprPtr Parser::parseAnd() { return chain("AND", &Parser::parseNot); }

ExprPtr Parser::parseNot() {
  if (atKeyword("NOT")) {
    Nesting nesting(*this);
    auto expr = makeExpr(ExprKind::Unary, advance().pos);
    expr->text = "NOT";
    expr->args.push_back(parseNot());
    return measured(std::move(expr));
  }
  return parsePredicate();
}

ExprPtr Parser::parsePredicate() {
  ExprPtr left = parseAdditive();
  const Token& token = peek();
  if (token.kind == TokenKind::Symbol) {
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 9> kComparisons = {{
        {"=", "="}, {"<>", "<>"}, {"!=", "<>"}, {"<", "<"}, {"<=", "<="}, {">", ">"}, {">=", ">="},
        {"!<", ">="}, {"!>", "<="},
    }};
    for (const auto& [written, op] : kComparisons) {
      if (token.text != written) continue;
      SourcePos pos = advance().pos;
      if (atKeyword("ANY") || atKeyword("ALL") || atKeyword("SOME")) {
        unsupported("comparison with " + platform::text::upperAscii(peek().text), peek().pos);
      }
      return binary(std::string(op), std::move(left), parseAdditive(), pos);
    }
    return left;
  }
  if (token.is("IS")) {
    auto expr = makeExpr(ExprKind::IsNull, advance().pos);
    expr->negated = acceptKeyword("NOT");
    expectKeyword("NULL", "IS NULL");
    expr->args.push_back(std::move(left));
    return measured(std::move(expr));
  }
  bool negated = false;
  if (token.is("NOT") && (atKeyword("BETWEEN", 1) || atKeyword("IN", 1) || atKeyword("LIKE", 1))) {
    advance();
    negated = true;
  }
  if (atKeyword("BETWEEN")) {
    auto expr = makeExpr(ExprKind::Between, advance().pos);
    expr->negated = negated;
    expr->args.push_back(std::move(left));
    expr->args.push_back(parseAdditive());
    expectKeyword("AND", "BETWEEN");
    expr->args.push_back(parseAdditive());
    return measured(std::move(expr));
  }
  if (atKeyword("IN")) {
    SourcePos pos = advance().pos;
    expectSymbol("(", "IN list");
    if (atKeyword("SELECT")) {
      auto expr = makeExpr(ExprKind::InSelect, pos);
      expr->negated = negated;
      expr->args.push_back(std::move(left));
      expr->select = parseSubquery();
      expectSymbol(")", "IN subquery");
      return measured(std::move(expr));
    }
    // An empty list is a syntax error in SQL Server; SQLite would quietly match nothing.
    if (atSymbol(")")) syntaxError("IN list");
    auto expr = makeExpr(ExprKind::InList, pos);
    expr->negated = negated;
    expr->args.push_back(std::move(left));
    do {
      expr->args.push_back(parseExpr());
    } while (acceptSymbol(","));
    expectSymbol(")", "IN list");
    return measured(std::move(expr));
  }
  if (atKeyword("LIKE")) {
    auto expr = makeExpr(ExprKind::Like, advance().pos);
    expr->negated = negated;
    expr->args.push_back(std::move(left));
    expr->args.push_back(parseAdditive());
    if (acceptKeyword("ESCAPE")) expr->args.push_back(parseAdditive());
    return measured(std::move(expr));
  }
  if (negated) syntaxError("NOT");
  return left;
}

ExprPtr Parser::parseAdditive() {
  ExprPtr left = parseMultiplicative();
  for (;;) {
    const Token& token = peek();
    if (token.isSymbol("^")) unsupported("operator ^", token.pos);
    if (!token.isSymbol("+") && !token.isSymbol("-") && !token.isSymbol("&") && !token.isSymbol("|")) return left;
    std::string op(token.text);
    SourcePos pos = advance().pos;
    left = binary(std::move(op), std::move(left), parseMultiplicative(), pos);
  }
}

ExprPtr Parser::parseMultiplicative() {
  ExprPtr left = parseUnary();
  while (atSymbol("*") || atSymbol("/") || atSymbol("%")) {
    std::string op(peek().text);
    SourcePos pos = advance().pos;
    left = binary(std::move(op), std::move(left), parseUnary(), pos);
  }
  return left;
}

ExprPtr Parser::parseUnary() {
  if (atSymbol("-") || atSymbol("+") || atSymbol("~")) {
    Nesting nesting(*this);
    std::string op(peek().text);
    auto expr = makeExpr(ExprKind::Unary, advance().pos);
    expr->text = std::move(op);
    expr->args.push_back(parseUnary());
    return measured(std::move(expr));
  }
  return parsePrimary();
}

ExprPtr Parser::parsePrimary() {
  const Token& token = peek();
  switch (token.kind) {
    case TokenKind::Number: {
      bool integer = token.text.find_first_of(".eE") == std::string_view::npos;
      auto expr = makeExpr(integer ? ExprKind::Integer : ExprKind::Decimal, token.pos);
      expr->text = std::string(token.text);
      advance();
      return expr;
    }
    case TokenKind::String: {
      auto expr = makeExpr(ExprKind::String, token.pos);
      expr->text = token.value;
      advance();
      return expr;
    }
    case TokenKind::QuotedName:
      return parseNameExpr();
    case TokenKind::Symbol:
      if (token.isSymbol("(")) {
        SourcePos pos = advance().pos;
        if (atKeyword("SELECT")) {
          auto expr = makeExpr(ExprKind::Subquery, pos);
          expr->select = parseSubquery();
          expectSymbol(")", "subquery");
          return measured(std::move(expr));
        }
        ExprPtr inner = parseExpr();
        expectSymbol(")", "expression");
        return inner;
      }
      syntaxError("expression");
    case TokenKind::Word:
      break;
    default:
      syntaxError("expression");
  }
  if (token.is("NULL")) return makeExpr(ExprKind::Null, advance().pos);
  if (token.is("CASE")) return parseCase();
  if (token.is("EXISTS")) {
    auto expr = makeExpr(ExprKind::Exists, advance().pos);
    expectSymbol("(", "EXISTS");
    expr->select = parseSubquery();
    expectSymbol(")", "EXISTS");
    return measured(std::move(expr));
  }
  if (token.is("CAST") && atSymbol("(", 1)) return parseCast();
  if (token.is("CONVERT") && atSymbol("(", 1)) return parseConvert();
  if (token.text[0] == '@') unsupported("variable " + std::string(token.text), token.pos);
  if (atSymbol("(", 1)) return parseFunction();
  if (isReservedKeyword(token.text)) syntaxError("expression");
  return parseNameExpr();
}

ExprPtr Parser::parseNameExpr() {
  SourcePos pos = peek().pos;
  std::vector<std::string> parts;
  parts.push_back(parseName("column name"));
  while (atSymbol(".")) {
    advance();
    if (atSymbol("*")) {
      advance();
      auto star = makeExpr(ExprKind::Star, pos);
      star->qualifier = parts.back();
      return star;
    }
    // After a dot even a keyword is a name (T.KEY).
    const Token& part = peek();
    if (part.kind != TokenKind::Word && part.kind != TokenKind::QuotedName) syntaxError("column name");
    parts.emplace_back(advance().name());
  }
  if (parts.size() > 3) unsupported("column name with more than three parts", pos);
  auto expr = makeExpr(ExprKind::Column, pos);
  expr->text = parts.back();
  if (parts.size() >= 2) expr->qualifier = parts[parts.size() - 2];
  return expr;
}

ExprPtr Parser::parseFunction() {
  const Token& nameToken = advance();
  std::string name = platform::text::upperAscii(nameToken.text);
  const FunctionRule* rule = findFunction(name);
  if (rule == nullptr) unsupported("function " + name, nameToken.pos);
  auto expr = makeExpr(ExprKind::Function, nameToken.pos);
  expr->text = name;
  expectSymbol("(", "function arguments");
  if (rule->shape == FunctionShape::Aggregate) {
    if (name == "COUNT" && atSymbol("*")) {
      advance();
      expr->star = true;
    } else if (acceptKeyword("DISTINCT")) {
      expr->distinct = true;
    } else {
      acceptKeyword("ALL");
    }
  }
  if (!expr->star && !atSymbol(")")) {
    do {
      expr->args.push_back(parseExpr());
    } while (acceptSymbol(","));
  }
  expectSymbol(")", "function arguments");
  int count = expr->star ? 1 : static_cast<int>(expr->args.size());
  if (count < rule->minArgs || count > rule->maxArgs) {
    std::string needed = rule->minArgs == rule->maxArgs ? std::to_string(rule->minArgs)
                                                        : "at least " + std::to_string(rule->minArgs);
    raise("The " + platform::text::upperAscii(nameToken.text) + " function requires " + needed + " argument(s).", "function " + name,
          nameToken.pos, statementText(), 174);
  }
  if (atKeyword("OVER")) unsupported("window function (OVER)", peek().pos);
  return measured(std::move(expr));
}

ExprPtr Parser::parseCast() {
  auto expr = makeExpr(ExprKind::Cast, advance().pos);
  expectSymbol("(", "CAST");
  expr->args.push_back(parseExpr());
  expectKeyword("AS", "CAST");
  expr->type = parseType();
  expectSymbol(")", "CAST");
  return measured(std::move(expr));
}

ExprPtr Parser::parseConvert() {
  auto expr = makeExpr(ExprKind::Cast, advance().pos);
  expectSymbol("(", "CONVERT");
  expr->type = parseType();
  expectSymbol(",", "CONVERT");
  expr->args.push_back(parseExpr());
  if (acceptSymbol(",")) {
    const Token& style = peek();
    if (style.kind != TokenKind::Number) unsupported("CONVERT style other than a number", style.pos);
    int value = -1;
    const char* end = style.text.data() + style.text.size();
    auto [next, error] = std::from_chars(style.text.data(), end, value);
    if (error != std::errc() || next != end || findConvertStyle(value) == nullptr) {
      unsupported("CONVERT style " + std::string(style.text), style.pos);
    }
    expr->style = value;
    advance();
  }
  expectSymbol(")", "CONVERT");
  return measured(std::move(expr));
}

ExprPtr Parser::parseCase() {
  auto expr = makeExpr(ExprKind::Case, advance().pos);
  if (!atKeyword("WHEN")) expr->operand = parseExpr();
  if (!atKeyword("WHEN")) syntaxError("CASE");
  while (acceptKeyword("WHEN")) {
    expr->args.push_back(parseExpr());
    expectKeyword("THEN", "CASE");
    expr->args.push_back(parseExpr());
  }
  if (acceptKeyword("ELSE")) expr->elseExpr = parseExpr();
  expectKeyword("END", "CASE");
  return measured(std::move(expr));
}

std::unique_ptr<Select> Parser::parseSubquery() {
  Nesting nesting(*this);
  auto select = std::make_unique<Select>(parseSelect(false));
  measure(*select);
  return select;
}

TypeName Parser::parseType() {
  TypeName type;
  type.pos = peek().pos;
  const Token& token = peek();
  if (token.kind != TokenKind::Word && token.kind != TokenKind::QuotedName) syntaxError("data type");
  type.name = platform::text::upperAscii(advance().name());
  if (type.name == "DOUBLE" && acceptKeyword("PRECISION")) type.name = "FLOAT";
  const TypeRule* rule = findType(type.name);
  if (rule == nullptr) unsupported("data type " + type.name, type.pos);
  if (acceptSymbol("(")) {
    do {
      const Token& arg = peek();
      if (arg.kind == TokenKind::Number || arg.is("MAX")) {
        type.args.push_back(platform::text::upperAscii(arg.text));
        advance();
      } else {
        syntaxError("data type");
      }
    } while (acceptSymbol(","));
    expectSymbol(")", "data type");
    if (static_cast<int>(type.args.size()) > rule->maxArgs) {
      raiseSyntax(peek(), "data type " + type.name, statementText());
    }
  }
  return type;
}

}  // namespace platform::db::tsql
