// Expressions for SQLite: SQL Server's case- and blank-insensitive text comparison (COLLATE
// TSQL_CI where no column brings it), "+" as concatenation or addition by the operand types,
// and the function and type rules of rules.cpp.
#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/db/tsql/errors.h"
#include "platform/db/tsql/writer.h"

namespace platform::db::tsql {
namespace {

// How tightly each written SQLite form binds (higher binds tighter).
constexpr int kOr = 1;
constexpr int kAnd = 2;
constexpr int kNot = 3;
constexpr int kEquality = 4;  // = <> IS IN LIKE BETWEEN
constexpr int kRelational = 5;
constexpr int kBitwise = 6;
constexpr int kAdditive = 7;
constexpr int kMultiplicative = 8;
constexpr int kConcat = 9;
constexpr int kCollate = 10;
constexpr int kUnary = 11;
constexpr int kAtom = 12;

// The written text stays within a few times the statement's own length; past this it can only
// be doubling (see Writer::expr).
constexpr size_t kWrittenPerByte = 16;
constexpr size_t kWrittenAtLeast = size_t{1} << 20;

void appendQuotedString(std::string_view value, std::string& out) {
  out += '\'';
  for (char c : value) {
    if (c == '\'') out += '\'';
    out += c;
  }
  out += '\'';
}

// A divisor SQLite's own operator serves: a literal other than zero, an integer one for "%"
// (SQLite takes its operands as integers). Any other goes through tsql_divide or tsql_modulo,
// which fail on zero as SQL Server does where SQLite gives NULL.
bool isSafeDivisor(const Expr& e, bool modulo) {
  if (e.kind == ExprKind::Unary) return (e.text == "-" || e.text == "+") && isSafeDivisor(*e.args[0], modulo);
  bool literal = e.kind == ExprKind::Integer || (!modulo && e.kind == ExprKind::Decimal);
  return literal && std::strtod(e.text.c_str(), nullptr) != 0;
}

// What a conversion to a date type needs no check for.
bool isKnownDate(const Expr& e) {
  if (e.kind == ExprKind::Null) return true;
  if (e.kind == ExprKind::Cast) return isDateType(e.type);
  return e.kind == ExprKind::Function && findFunction(e.text)->shape == FunctionShape::Now;
}

// How each binary operator binds when written for SQLite, and what its result is known to be.
// "+" (concatenation, addition or tsql_add) and "/" "%" (tsql_divide, tsql_modulo) may be
// written as a function call instead: Writer::precedence decides by their operands.
struct OperatorRule {
  std::string_view op;
  int precedence;
  ValueClass result;
};

constexpr std::array<OperatorRule, 15> kOperators = {{
    {"OR", kOr, ValueClass::Unknown},
    {"AND", kAnd, ValueClass::Unknown},
    {"=", kEquality, ValueClass::Unknown},
    {"<>", kEquality, ValueClass::Unknown},
    {"<", kRelational, ValueClass::Unknown},
    {"<=", kRelational, ValueClass::Unknown},
    {">", kRelational, ValueClass::Unknown},
    {">=", kRelational, ValueClass::Unknown},
    {"&", kBitwise, ValueClass::Number},
    {"|", kBitwise, ValueClass::Number},
    {"+", kAdditive, ValueClass::Unknown},
    {"-", kAdditive, ValueClass::Number},
    {"*", kMultiplicative, ValueClass::Number},
    {"/", kMultiplicative, ValueClass::Number},
    {"%", kMultiplicative, ValueClass::Number},
}};

const OperatorRule& operatorRule(std::string_view op) {
  return *std::find_if(kOperators.begin(), kOperators.end(), [&](const OperatorRule& rule) { return rule.op == op; });
}

bool isComparison(std::string_view op) {
  const int precedence = operatorRule(op).precedence;
  return precedence == kEquality || precedence == kRelational;
}

// The one rule for where a comparison gets COLLATE TSQL_CI, SQL Server's case- and trailing-
// blank-insensitive text comparison: on `value`, compared with `others` (nullptr for a
// subquery's column), unless `value` is a column, which carries the collation already (and
// COLLATE on it would keep SQLite off its indexes), or all of them are numbers. SQLite takes
// a binary comparison's collation from either operand (`eitherSide`: a column among the
// others carries it too), that of IN, BETWEEN and CASE from the left one only.
bool needsCollation(const Expr& value, const std::vector<const Expr*>& others, bool eitherSide) {
  if (isBareColumn(value)) return false;
  bool numbers = isNumericLiteral(value);
  for (const Expr* other : others) {
    if (other == nullptr) {
      numbers = false;
    } else if (eitherSide && isBareColumn(*other)) {
      return false;
    } else {
      numbers = numbers && isNumericLiteral(*other);
    }
  }
  return !numbers;
}

std::vector<const Expr*> operands(const std::vector<ExprPtr>& args, size_t first, size_t step) {
  std::vector<const Expr*> list;
  for (size_t i = first; i < args.size(); i += step) list.push_back(args[i].get());
  return list;
}

}  // namespace

bool isBareColumn(const Expr& e) { return e.kind == ExprKind::Column; }

bool isNumericLiteral(const Expr& e) {
  if (e.kind == ExprKind::Integer || e.kind == ExprKind::Decimal) return true;
  return e.kind == ExprKind::Unary && (e.text == "-" || e.text == "+") && isNumericLiteral(*e.args[0]);
}

bool isConstant(const Expr& e) {
  switch (e.kind) {
    case ExprKind::Column:
    case ExprKind::Star:
    case ExprKind::InSelect:
    case ExprKind::Exists:
    case ExprKind::Subquery:
      return false;
    default:
      break;
  }
  bool constant = true;
  forEachChild(e, [&](const Expr& child) { constant = constant && isConstant(child); });
  return constant;
}

std::string quoteName(std::string_view name) {
  std::string quoted;
  quoted.reserve(name.size() + 2);
  quoted += '"';
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string quotedColumnList(const std::vector<std::string>& names) {
  if (names.empty()) return {};
  std::string list = " (";
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += ", ";
    list += quoteName(names[i]);
  }
  return list + ")";
}

void Writer::unsupported(std::string construct, SourcePos pos) const {
  raiseUnsupported(std::move(construct), pos, m_statement);
}

void Writer::fail(std::string_view message, std::string construct, SourcePos pos, long nativeError) const {
  raise(message, std::move(construct), pos, m_statement, nativeError);
}

ValueClass Writer::valueClass(const Expr& e) const {
  switch (e.kind) {
    case ExprKind::String:
      return ValueClass::Text;
    case ExprKind::Integer:
    case ExprKind::Decimal:
      return ValueClass::Number;
    case ExprKind::Unary:
      return e.text == "NOT" ? ValueClass::Unknown : ValueClass::Number;
    case ExprKind::Cast:
      if (isTextType(e.type)) return ValueClass::Text;
      return isNumericType(e.type) ? ValueClass::Number : ValueClass::Unknown;
    case ExprKind::Binary: {
      if (e.text == "+") {
        ValueClass left = valueClass(*e.args[0]);
        ValueClass right = valueClass(*e.args[1]);
        if (left == ValueClass::Text && right == ValueClass::Text) return ValueClass::Text;
        if (left == ValueClass::Number || right == ValueClass::Number) return ValueClass::Number;
        return ValueClass::Unknown;
      }
      return operatorRule(e.text).result;
    }
    case ExprKind::Function: {
      const FunctionRule* rule = findFunction(e.text);
      if (rule == nullptr) return ValueClass::Unknown;
      if (rule->result != ValueClass::FirstArgument) return rule->result;
      // ISNULL(x, '') is text whatever x is: the other arguments tell when the first does not.
      for (const ExprPtr& arg : e.args) {
        ValueClass argClass = valueClass(*arg);
        if (argClass != ValueClass::Unknown) return argClass;
      }
      return ValueClass::Unknown;
    }
    case ExprKind::Case:
      // The first result that is not NULL tells.
      for (size_t i = 1; i < e.args.size(); i += 2) {
        if (e.args[i]->kind != ExprKind::Null) return valueClass(*e.args[i]);
      }
      return e.elseExpr ? valueClass(*e.elseExpr) : ValueClass::Unknown;
    default:
      return ValueClass::Unknown;
  }
}

int Writer::precedence(const Expr& e) const {
  switch (e.kind) {
    case ExprKind::Unary:
      return e.text == "NOT" ? kNot : kUnary;
    case ExprKind::Binary: {
      const std::string& op = e.text;
      if (op == "/" || op == "%") return isSafeDivisor(*e.args[1], op == "%") ? kMultiplicative : kAtom;
      if (op != "+") return operatorRule(op).precedence;
      ValueClass left = valueClass(*e.args[0]);
      ValueClass right = valueClass(*e.args[1]);
      if (left == ValueClass::Text && right == ValueClass::Text) return kConcat;
      if (left == ValueClass::Number && right == ValueClass::Number) return kAdditive;
      return kAtom;  // tsql_add(a, b)
    }
    case ExprKind::IsNull:
    case ExprKind::Between:
    case ExprKind::Like:
    case ExprKind::InList:
    case ExprKind::InSelect:
      return kEquality;
    default:
      return kAtom;
  }
}

void Writer::collated(const Expr& e, std::string& out) {
  expr(e, out, kCollate);
  out += " COLLATE TSQL_CI";
}

void Writer::expr(const Expr& e, std::string& out, int minPrecedence) {
  // A few forms write an operand twice; nested into each other they would double the text at
  // every level.
  if (out.size() > kWrittenAtLeast + kWrittenPerByte * m_statement.size()) raiseNestedTooDeeply(e.pos, m_statement);
  bool parenthesise = precedence(e) < minPrecedence;
  if (parenthesise) out += '(';
  switch (e.kind) {
    case ExprKind::Column:
      if (const auto stored = storedColumn(e)) {
        out += stored->written;
        break;
      }
      if (!e.qualifier.empty()) {
        out += quoteName(e.qualifier);
        out += '.';
      }
      out += quoteName(e.text);
      break;
    case ExprKind::Star:
      if (!e.qualifier.empty()) {
        out += quoteName(e.qualifier);
        out += '.';
      }
      out += '*';
      break;
    case ExprKind::Integer:
    case ExprKind::Decimal:
      out += e.text;
      break;
    case ExprKind::String:
      appendQuotedString(e.text, out);
      break;
    case ExprKind::Null:
      out += "NULL";
      break;
    case ExprKind::Unary:
      if (e.text == "NOT") {
        out += "NOT ";
        expr(*e.args[0], out, kNot);
      } else {
        out += e.text;
        // "- -1" must not become the comment "--1".
        expr(*e.args[0], out, e.args[0]->kind == ExprKind::Unary ? kAtom : kUnary);
      }
      break;
    case ExprKind::Binary:
      binary(e, out);
      break;
    case ExprKind::IsNull:
      expr(*e.args[0], out, kRelational);
      out += e.negated ? " IS NOT NULL" : " IS NULL";
      break;
    case ExprKind::Between: {
      const Expr& value = *e.args[0];
      if (needsCollation(value, operands(e.args, 1, 1), false)) {
        collated(value, out);
      } else {
        expr(value, out, kRelational);
      }
      out += e.negated ? " NOT BETWEEN " : " BETWEEN ";
      expr(*e.args[1], out, kRelational);
      out += " AND ";
      expr(*e.args[2], out, kRelational);
      break;
    }
    case ExprKind::Like:
      // like() is replaced on the connection: TSQL_CI folding, [..] classes, value's trailing blanks.
      expr(*e.args[0], out, kRelational);
      out += e.negated ? " NOT LIKE " : " LIKE ";
      expr(*e.args[1], out, kRelational);
      if (e.args.size() > 2) {
        out += " ESCAPE ";
        expr(*e.args[2], out, kRelational);
      }
      break;
    case ExprKind::InList: {
      const Expr& value = *e.args[0];
      if (needsCollation(value, operands(e.args, 1, 1), false)) {
        collated(value, out);
      } else {
        expr(value, out, kRelational);
      }
      out += e.negated ? " NOT IN (" : " IN (";
      for (size_t i = 1; i < e.args.size(); ++i) {
        if (i > 1) out += ", ";
        expr(*e.args[i], out);
      }
      out += ')';
      break;
    }
    case ExprKind::InSelect:
      if (e.rowIdSet) {
        // SQLite would search a temporary b-tree of the ids for every row; a sorted array
        // is searched faster, and built as fast.
        out += e.negated ? "NOT inrowidset((SELECT rowidset(" : "inrowidset((SELECT rowidset(";
        out += quoteName(e.select->specs.front().items.front().expr->text) + ") FROM (";
        select(*e.select, out);
        out += ")), ";
        expr(*e.args[0], out);
        out += ')';
        break;
      }
      if (needsCollation(*e.args[0], {nullptr}, false)) {
        collated(*e.args[0], out);
      } else {
        expr(*e.args[0], out, kRelational);
      }
      out += e.negated ? " NOT IN (" : " IN (";
      select(*e.select, out);
      out += ')';
      break;
    case ExprKind::Exists:
      out += "EXISTS (";
      select(*e.select, out);
      out += ')';
      break;
    case ExprKind::Subquery:
      out += '(';
      select(*e.select, out);
      out += ')';
      break;
    case ExprKind::Function:
      function(e, out);
      break;
    case ExprKind::Cast:
      cast(e, out);
      break;
    case ExprKind::Case: {
      out += "CASE ";
      if (e.operand) {
        if (needsCollation(*e.operand, operands(e.args, 0, 2), false)) {
          collated(*e.operand, out);
        } else {
          expr(*e.operand, out);
        }
        out += ' ';
      }
      for (size_t i = 0; i + 1 < e.args.size(); i += 2) {
        out += "WHEN ";
        expr(*e.args[i], out);
        out += " THEN ";
        expr(*e.args[i + 1], out);
        out += ' ';
      }
      if (e.elseExpr) {
        out += "ELSE ";
        expr(*e.elseExpr, out);
        out += ' ';
      }
      out += "END";
      break;
    }
  }
  if (parenthesise) out += ')';
}

void Writer::binary(const Expr& e, std::string& out) {
  const Expr& left = *e.args[0];
  const Expr& right = *e.args[1];
  const std::string& op = e.text;
  int own = precedence(e);
  if (isComparison(op)) {
    expr(left, out, kRelational + 1);
    out += ' ';
    out += op;
    out += ' ';
    if (needsCollation(right, {&left}, true)) {
      collated(right, out);
    } else {
      expr(right, out, kRelational + 1);
    }
    return;
  }
  if (own == kAtom) {
    // "+" whose operands are not both known numbers or both text, a division by what may be
    // zero: decided per value at run time, with SQL Server's conversion and division errors.
    out += op == "+" ? "tsql_add(" : op == "/" ? "tsql_divide(" : "tsql_modulo(";
    expr(left, out);
    out += ", ";
    expr(right, out);
    out += ')';
    return;
  }
  if (op == "+") {
    expr(left, out, own);
    out += own == kConcat ? " || " : " + ";
    expr(right, out, own + 1);
    return;
  }
  if (e.args.size() > 2) {
    logicalChain(e, 0, e.args.size(), out);
    return;
  }
  // Left-associative: the right operand of equal precedence keeps its parentheses.
  expr(left, out, own);
  out += ' ';
  out += op;
  out += ' ';
  expr(right, out, own + 1);
}

// An AND or OR chain, one node with all its operands. SQLite nests a flat chain one level per
// operator and refuses more than a thousand levels, so a long chain is written as a balanced
// tree of parenthesised halves: the same condition, logarithmically deep.
void Writer::logicalChain(const Expr& e, size_t first, size_t end, std::string& out) {
  constexpr size_t kFlat = 64;
  const int own = precedence(e);
  const size_t count = end - first;
  if (count > kFlat) {
    const size_t middle = first + count / 2;
    out += '(';
    logicalChain(e, first, middle, out);
    out += ") " + e.text + " (";
    logicalChain(e, middle, end, out);
    out += ')';
    return;
  }
  for (size_t i = first; i < end; ++i) {
    if (i > first) out += ' ' + e.text + ' ';
    expr(*e.args[i], out, i == first ? own : own + 1);
  }
}

void Writer::function(const Expr& e, std::string& out) {
  const FunctionRule& rule = *findFunction(e.text);
  auto arguments = [&](size_t from) {
    for (size_t i = from; i < e.args.size(); ++i) {
      if (i > from) out += ", ";
      expr(*e.args[i], out);
    }
  };
  switch (rule.shape) {
    case FunctionShape::Rename:
      out += rule.sqliteName;
      out += '(';
      arguments(0);
      out += ')';
      return;
    case FunctionShape::Aggregate:
      out += rule.sqliteName;
      out += '(';
      if (e.star) {
        out += '*';
      } else {
        if (e.distinct) out += "DISTINCT ";
        arguments(0);
      }
      out += ')';
      return;
    case FunctionShape::Len:
      out += "LENGTH(RTRIM(";
      expr(*e.args[0], out);
      out += "))";
      return;
    case FunctionShape::Left:
      out += "SUBSTR(";
      expr(*e.args[0], out);
      out += ", 1, ";
      expr(*e.args[1], out);
      out += ')';
      return;
    case FunctionShape::Right:
      // substr(x, -n) would give the whole text for n = 0; SQL Server gives ''. The text is
      // written once, so that nested calls do not double it at every level.
      out += "SUBSTR(";
      expr(*e.args[0], out);
      out += ", -(";
      expr(*e.args[1], out);
      out += "), ";
      expr(*e.args[1], out);
      out += ')';
      return;
    case FunctionShape::Now:
      out += "strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')";
      return;
  }
}

void Writer::cast(const Expr& e, std::string& out) {
  const Expr& value = *e.args[0];
  if (e.style.has_value() && *e.style != 0) {
    if (!isTextType(e.type)) unsupported("CONVERT style to " + e.type.name, e.pos);
    // Dates to text in a fixed format; the target's length cuts it as SQL Server does.
    const std::string_view format = findConvertStyle(*e.style)->format;
    bool cut = !e.type.args.empty() && e.type.args[0] != "MAX";
    if (cut) out += "SUBSTR(";
    out += "strftime('";
    out += format;
    out += "', ";
    expr(value, out);
    out += ')';
    if (cut) {
      out += ", 1, ";
      out += e.type.args[0];
      out += ')';
    }
    return;
  }
  if (isDateType(e.type) && !isKnownDate(value)) {
    // Dates stay text; text that is no date fails as in SQL Server.
    out += "tsql_datetime(";
    expr(value, out);
    out += ')';
    return;
  }
  out += "CAST(";
  expr(value, out);
  out += " AS ";
  out += castTypeText(e.type);
  out += ')';
}

}  // namespace platform::db::tsql
