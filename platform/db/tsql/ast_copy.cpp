#include "platform/db/tsql/ast_copy.h"

namespace platform::db::tsql {
namespace {

ExprPtr copyOrNull(const ExprPtr& e) { return e ? copyOf(*e) : nullptr; }

}  // namespace

ExprPtr copyOf(const Expr& e) {
  auto copy = std::make_unique<Expr>(e.kind, e.pos);
  copy->text = e.text;
  copy->qualifier = e.qualifier;
  copy->negated = e.negated;
  copy->distinct = e.distinct;
  copy->star = e.star;
  for (const ExprPtr& arg : e.args) copy->args.push_back(copyOf(*arg));
  if (e.select) copy->select = std::make_unique<Select>(copyOf(*e.select));
  copy->type = e.type;
  copy->style = e.style;
  copy->operand = copyOrNull(e.operand);
  copy->elseExpr = copyOrNull(e.elseExpr);
  copy->height = e.height;
  copy->rowIdSet = e.rowIdSet;
  return copy;
}

TableRef copyOf(const TableRef& ref) {
  TableRef copy;
  copy.join = ref.join;
  copy.table = ref.table;
  if (ref.derived) copy.derived = std::make_unique<Select>(copyOf(*ref.derived));
  copy.alias = ref.alias;
  copy.on = copyOrNull(ref.on);
  copy.pos = ref.pos;
  return copy;
}

Select copyOf(const Select& s) {
  Select copy;
  for (const QuerySpec& part : s.specs) {
    QuerySpec& query = copy.specs.emplace_back();
    query.distinct = part.distinct;
    query.top = copyOrNull(part.top);
    for (const SelectItem& item : part.items) query.items.push_back({copyOf(*item.expr), item.alias, item.pos});
    query.into = part.into;
    for (const TableRef& ref : part.from) query.from.push_back(copyOf(ref));
    query.where = copyOrNull(part.where);
    for (const ExprPtr& e : part.groupBy) query.groupBy.push_back(copyOf(*e));
    query.having = copyOrNull(part.having);
    query.pos = part.pos;
  }
  copy.ops = s.ops;
  for (const OrderItem& item : s.orderBy) copy.orderBy.push_back({copyOf(*item.expr), item.descending});
  copy.height = s.height;
  return copy;
}

ExprPtr columnRef(std::string qualifier, std::string name, SourcePos pos) {
  auto e = std::make_unique<Expr>(ExprKind::Column, pos);
  e->qualifier = std::move(qualifier);
  e->text = std::move(name);
  return e;
}

ExprPtr allOf(std::vector<ExprPtr> conditions, SourcePos pos) {
  if (conditions.size() == 1) return std::move(conditions.front());
  auto chain = std::make_unique<Expr>(ExprKind::Binary, pos);
  chain->text = "AND";
  chain->args = std::move(conditions);
  return chain;
}

}  // namespace platform::db::tsql
