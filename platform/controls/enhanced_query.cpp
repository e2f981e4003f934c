// The enhanced query.
#include "platform/controls/enhanced_query.h"

#include <stdexcept>
#include <utility>

#include "platform/controls/query_condition.h"
#include "platform/db/db_error.h"
#include "platform/text/ascii.h"

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

constexpr std::string_view kAttributeWord = "Attributo ";
constexpr std::string_view kContainsWord = " contiene";

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
  if (kind == QueryField::Kind::ExtendedAttributes) {
    if (extendedAttributes() != nullptr) {
      throw std::invalid_argument("enhanced query " + name() + ": extended attributes registered twice");
    }
    // The alias goes into the condition as it is.
    if (!isBareName(field.column())) {
      throw std::invalid_argument("enhanced query " + name() + ": attribute alias " + field.column() + " is no name");
    }
  }
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
  if (QueryField* extended = extendedAttributes()) {
    if (!m_runner && m_connection == nullptr) {
      m_attributesProblem = "Attributi estesi non disponibili: nessuna connessione al database";
    } else {
      // A filter without its attributes still filters by its fields: the reason is shown
      // where the attributes would be, and given to whoever names one.
      try {
        extended->attributes = readAttributes(runner());
        if (extended->attributes.empty()) m_attributesProblem = "La tabella degli attributi estesi non ne dichiara";
      } catch (const db::DbError& error) {
        m_attributesProblem = "Attributi estesi non disponibili: " + std::string(error.what());
      }
    }
  }
  notifyChanged();
}

const QueryField* EnhancedQuery::extendedAttributes() const {
  for (const QueryField& field : m_entries) {
    if (field.kind == QueryField::Kind::ExtendedAttributes) return &field;
  }
  return nullptr;
}

QueryField* EnhancedQuery::extendedAttributes() {
  return const_cast<QueryField*>(std::as_const(*this).extendedAttributes());
}

const std::vector<QueryAttribute>& EnhancedQuery::attributes() const {
  static const std::vector<QueryAttribute> kNone;
  const QueryField* extended = extendedAttributes();
  return extended != nullptr ? extended->attributes : kNone;
}

QueryAttribute& EnhancedQuery::attributeNamed(std::string_view name) {
  if (!isEnabled()) throw std::invalid_argument("il filtro è disabilitato");
  QueryField* extended = extendedAttributes();
  if (extended == nullptr) throw std::invalid_argument("il filtro non ha attributi estesi");
  if (extended->attributes.empty()) throw std::invalid_argument(m_attributesProblem);
  if (!isBareName(name)) {
    throw std::invalid_argument("\"" + std::string(name) +
                                "\" non è il nome di un attributo: un nome ha solo lettere, cifre e _");
  }
  std::string names;
  for (QueryAttribute& attribute : extended->attributes) {
    if (text::equalsIgnoringCase(attribute.name, name) || text::equalsIgnoringCase(attribute.column, name)) {
      return attribute;
    }
    names += (names.empty() ? "" : ", ") + attribute.name;
  }
  throw std::invalid_argument("l'attributo esteso " + std::string(name) + " non esiste; gli attributi sono " + names);
}

void EnhancedQuery::enterAttribute(std::string_view name, bool contains, Variant first, Variant second) {
  QueryAttribute& attribute = attributeNamed(name);
  if (contains && attribute.number) {
    throw std::invalid_argument("l'attributo " + attribute.name + " è un numero: vuole un valore o un intervallo");
  }
  attribute.contains = contains;
  attribute.first = std::move(first);
  attribute.second = contains ? Variant() : std::move(second);
  notifyChanged();
}

PickList EnhancedQuery::openAttributeList(std::string_view name) {
  const QueryAttribute& attribute = attributeNamed(name);
  std::shared_ptr<db::Recordset> rows = runner()(attributeValuesQuery(attribute), "");
  return makePickList(*rows, "Valori dell'attributo " + attribute.name, Variant(Variant::Array{"Valore", ""}), "");
}

void EnhancedQuery::enterSetting(std::string_view name, Variant first, Variant second) {
  if (name.size() > kAttributeWord.size() &&
      text::equalsIgnoringCase(name.substr(0, kAttributeWord.size()), kAttributeWord)) {
    std::string_view attribute = text::trim(name.substr(kAttributeWord.size()));
    const bool contains = attribute.size() > kContainsWord.size() &&
                          text::equalsIgnoringCase(attribute.substr(attribute.size() - kContainsWord.size()), kContainsWord);
    if (contains) attribute = text::trim(attribute.substr(0, attribute.size() - kContainsWord.size()));
    return enterAttribute(attribute, contains, std::move(first), std::move(second));
  }
  if (!isEnabled()) throw std::invalid_argument("il filtro è disabilitato");
  if (!enterValues(name, std::move(first), std::move(second))) {
    throw std::invalid_argument("il filtro non ha il campo " + std::string(name));
  }
}

QueryRunner EnhancedQuery::runner() const {
  // Without a runner of its own the control runs its queries on the connection it was given.
  if (!m_runner && m_connection == nullptr) {
    throw std::logic_error("enhanced query " + name() + " has neither query runner nor connection");
  }
  return m_runner ? m_runner : queryRunnerFor(*m_connection);
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
    for (QueryAttribute& attribute : field.attributes) {
      attribute.contains = false;
      attribute.first = Variant();
      attribute.second = Variant();
    }
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
  std::shared_ptr<db::Recordset> rows = runner()(query, connectionString);
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
