// The enhanced query.
#include "platform/controls/enhanced_query.h"

#include <stdexcept>
#include <utility>

#include "platform/controls/query_condition.h"

namespace platform::controls {
namespace {

// The list of a field registered with a value list: its values, one per row.
std::optional<PickList> valueListOf(const QueryField& field) {
  if (field.kind != QueryField::Kind::Field || field.values.size() <= QueryField::kValueList ||
      field.values[QueryField::kValueList].type() != Variant::Type::Array) {
    return std::nullopt;
  }
  PickList list{field.caption(), "", {field.caption()}, {field.column()}, {}};
  for (const Variant& value : field.values[QueryField::kValueList].array()) list.rows.push_back({value});
  return list;
}

// Whether a value stays as it was; Null is compared here, not by Variant's ==.
bool sameValue(const Variant& a, const Variant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() && b.isNull();
  return a == b;
}

}  // namespace

std::string QueryField::caption() const {
  if (kind == Kind::ExtendedAttributes || values.size() <= QueryField::kCaption) return {};
  return values[QueryField::kCaption].toText();
}

std::string QueryField::column() const {
  const std::size_t at = kind == Kind::ExtendedAttributes ? QueryField::kAlias : QueryField::kColumn;
  return values.size() > at ? values[at].toText() : std::string();
}

EnhancedQuery::EnhancedQuery(std::string name) : Control(std::move(name), ControlKind::EnhancedQuery) {}

void EnhancedQuery::setUserValues(Variant first, Variant second) {
  m_userFirst = std::move(first);
  m_userSecond = std::move(second);
}

void EnhancedQuery::add(QueryField::Kind kind, std::vector<Variant> values, std::size_t least) {
  if (m_finished) throw std::logic_error("enhanced query " + name() + ": a field registered after finish");
  if (values.size() < least) {
    throw std::invalid_argument("enhanced query " + name() + ": " + std::to_string(values.size()) +
                                " values where at least " + std::to_string(least) + " are needed");
  }
  QueryField field;
  field.kind = kind;
  field.values = std::move(values);
  if (kind != QueryField::Kind::ExtendedAttributes) {
    if (field.caption().empty()) throw std::invalid_argument("enhanced query " + name() + ": a field without caption");
    if (findByCaption(field.caption()) != nullptr) {
      throw std::invalid_argument("enhanced query " + name() + ": field " + field.caption() + " registered twice");
    }
  }
  m_entries.push_back(std::move(field));
  notifyChanged();
}

void EnhancedQuery::addField(std::vector<Variant> values) { add(QueryField::Kind::Field, std::move(values), 3); }

void EnhancedQuery::addTypedField(std::vector<Variant> values) {
  add(QueryField::Kind::TypedField, std::move(values), 3);
}

void EnhancedQuery::addExtendedAttributes(std::vector<Variant> values) {
  add(QueryField::Kind::ExtendedAttributes, std::move(values), QueryField::kAlias + 1);
}

void EnhancedQuery::finish() {
  m_finished = true;
  notifyChanged();
}

const QueryField* EnhancedQuery::findByCaption(std::string_view caption) const {
  for (const QueryField& field : m_entries) {
    if (field.kind != QueryField::Kind::ExtendedAttributes && field.caption() == caption) return &field;
  }
  return nullptr;
}

QueryField* EnhancedQuery::find(std::string_view caption) {
  return const_cast<QueryField*>(std::as_const(*this).findByCaption(caption));
}

const QueryField* EnhancedQuery::findByColumn(std::string_view column) const {
  for (const QueryField& field : m_entries) {
    if (field.kind != QueryField::Kind::ExtendedAttributes && field.column() == column) return &field;
  }
  return nullptr;
}

Variant EnhancedQuery::value(std::string_view column, int end) const {
  const QueryField* field = findByColumn(column);
  if (field == nullptr) return {};
  return end == kSecondValue ? field->second : field->first;
}

std::string EnhancedQuery::conditionText() const { return controls::conditionText(m_entries); }

void EnhancedQuery::clear() {
  for (QueryField& field : m_entries) {
    field.first = Variant();
    field.second = Variant();
    field.firstDescription.clear();
    field.secondDescription.clear();
  }
  notifyChanged();
}

bool EnhancedQuery::enterValues(std::string_view caption, Variant first, Variant second) {
  QueryField* field = find(caption);
  if (field == nullptr || !isEnabled()) return false;
  // A changed value loses the description of the old one, whatever its decode finds.
  if (!sameValue(field->first, first)) field->firstDescription.clear();
  if (!sameValue(field->second, second)) field->secondDescription.clear();
  field->first = std::move(first);
  field->second = std::move(second);
  decode(*field);
  notifyChanged();
  return true;
}

std::optional<PickList> EnhancedQuery::openLookup(std::string_view caption, int end) {
  const QueryField* field = find(caption);
  if (field == nullptr || !isEnabled()) return std::nullopt;
  std::string query;
  Variant captions;
  std::string title;
  std::string connectionString;
  const Variant number = field->values.size() > QueryField::kNumber ? field->values[QueryField::kNumber] : Variant();
  onLookupRequest.raise(number, field->values[QueryField::kCaption], end, query, captions, title, connectionString);
  if (query.empty()) return valueListOf(*field);
  // Without a runner of its own the list runs on the connection the control was given.
  if (!m_runner && m_connection == nullptr) {
    throw std::logic_error("enhanced query " + name() + " has neither query runner nor connection");
  }
  const QueryRunner runner = m_runner ? m_runner : queryRunnerFor(*m_connection);
  std::shared_ptr<db::Recordset> rows = runner(query, connectionString);
  return makePickList(*rows, std::move(title), captions, m_lookupName);
}

bool EnhancedQuery::pick(std::string_view caption, int end, std::string code) {
  QueryField* field = find(caption);
  if (field == nullptr || !isEnabled()) return false;
  Variant& value = end == kSecondValue ? field->second : field->first;
  if (!sameValue(value, Variant(code))) (end == kSecondValue ? field->secondDescription : field->firstDescription).clear();
  value = Variant(std::move(code));
  decode(*field);
  notifyChanged();
  return true;
}

void EnhancedQuery::decode(QueryField& field) {
  const Variant number = field.values.size() > QueryField::kNumber ? field.values[QueryField::kNumber] : Variant();
  // The handler writes into copies: the field may be moved if it registers more fields.
  std::string first = field.firstDescription;
  std::string second = field.secondDescription;
  const Variant caption = field.values[QueryField::kCaption];
  const Variant column = field.values[QueryField::kColumn];
  const Variant firstValue = field.first;
  const Variant secondValue = field.second;
  onDecodeRequest.raise(number, caption, column, firstValue, first, secondValue, second);
  if (QueryField* still = find(caption.toText())) {
    still->firstDescription = std::move(first);
    still->secondDescription = std::move(second);
  }
}

}  // namespace platform::controls
