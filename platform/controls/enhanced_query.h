// The enhanced query: a filter of registered fields, each with a range of two values the user
// types or picks, from which the control builds a condition text (query_condition.h says what
// the registered values mean). The form registers the fields and answers the control's decode
// and lookup requests.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls/attribute_catalog.h"
#include "platform/controls/control.h"
#include "platform/controls/event.h"
#include "platform/controls/pick_list.h"
#include "platform/controls/query_runner.h"
#include "platform/variant/variant.h"

namespace platform::db {
class Connection;
}

namespace platform::controls {

//! One registered entry of the filter.
struct QueryField {
  enum class Kind { Field, TypedField, ExtendedAttributes };

  // Positions of the registered values (0-based).
  static constexpr std::size_t kCaption = 1;
  static constexpr std::size_t kColumn = 2;
  static constexpr std::size_t kAlias = 3;
  static constexpr std::size_t kNumber = 4;
  static constexpr std::size_t kRange = 5;  // a field: its values are a range
  static constexpr std::size_t kType = 5;   // a typed field: its type
  static constexpr std::size_t kYesNo = 7;
  static constexpr std::size_t kValueList = 20;

  Kind kind = Kind::Field;
  std::vector<Variant> values;  // as registered: (1) "(Standard)", (2) caption, (3) column, ...
  Variant first;                // the range the user entered
  Variant second;
  std::string firstDescription;  // what the decode request put next to each value
  std::string secondDescription;
  std::vector<QueryAttribute> attributes;  // the extended attributes: what their table declares

  //! The caption (value 2) of a field; empty for the extended attributes.
  std::string caption() const;
  //! The column expression (value 3) of a field; the column alias (value 4) of the extended
  //! attributes.
  std::string column() const;
};

class EnhancedQuery : public Control {
 public:
  //! The end of a field's range a request is about.
  static constexpr int kFirstValue = 0;
  static constexpr int kSecondValue = 1;

  explicit EnhancedQuery(std::string name);

  bool canTakeFocus() const override { return true; }

  // --- Set-up -------------------------------------------------------------------------
  void setCompany(Variant company) { m_company = std::move(company); }
  const Variant& company() const { return m_company; }
  void setUserValues(Variant first, Variant second);
  const Variant& userValue(int which) const { return which == 0 ? m_userFirst : m_userSecond; }
  void setHost(std::shared_ptr<Object> host) { m_host = std::move(host); }
  std::shared_ptr<Object> host() const { return m_host.lock(); }
  void setProgramName(std::string name) { m_programName = std::move(name); }
  const std::string& programName() const { return m_programName; }
  void setConnection(db::Connection* connection) { m_connection = connection; }
  db::Connection* connection() const { return m_connection; }

  //! Registers a field: at least the first three values (standard text, caption, column
  //! expression), a caption not registered yet. std::invalid_argument otherwise, and
  //! std::logic_error after finish().
  void addField(std::vector<Variant> values);
  //! The typed variant of addField (the type comes as the last value).
  void addTypedField(std::vector<Variant> values);
  //! Registers the extended-attribute condition (standard text, flag, type, alias, text).
  void addExtendedAttributes(std::vector<Variant> values);
  //! Ends the registration. With the extended attributes registered, reads which attributes
  //! their table declares; when they cannot be read, the filter offers none and says why.
  void finish();
  bool isFinished() const { return m_finished; }

  //! The collection of registered entries, in registration order.
  const std::vector<QueryField>& entries() const { return m_entries; }
  //! A field by its caption, compared exactly; null when there is none.
  const QueryField* findByCaption(std::string_view caption) const;
  //! A field by its column expression, compared exactly; null when there is none.
  const QueryField* findByColumn(std::string_view column) const;
  //! A value of a field named by column expression; Empty when there is no such field.
  Variant value(std::string_view column, int end) const;

  //! The condition the user's values make: empty, or beginning with its own connective.
  std::string conditionText() const;

  //! The extended attributes offered, in the table's order; none when not registered.
  const std::vector<QueryAttribute>& attributes() const;
  //! Why the extended attributes are registered but none is offered; empty otherwise.
  const std::string& attributesProblem() const { return m_attributesProblem; }

  const std::string& lookupName() const { return m_lookupName; }
  void setLookupName(std::string name) { m_lookupName = std::move(name); }
  void setQueryRunner(QueryRunner runner) { m_runner = std::move(runner); }

  // --- What the user does -------------------------------------------------------------
  //! Types the range of a field (by caption), then asks for its descriptions. False when
  //! there is no such field.
  bool enterValues(std::string_view caption, Variant first, Variant second);
  //! Sets the condition on an extended attribute, named with or without its table's prefix,
  //! letter case ignored: a value or a range, or with `contains` a text the attribute holds.
  //! std::invalid_argument, its text for the user, when no attribute has that name (a quote
  //! or a bracket never names one) or a number is asked to contain a text; nothing changes.
  void enterAttribute(std::string_view name, bool contains, Variant first, Variant second);
  //! The values an attribute holds in its table, each once, in order, to pick one from.
  //! std::invalid_argument as enterAttribute for a name no attribute has.
  PickList openAttributeList(std::string_view name);
  //! Sets a field or an attribute by the name a user writes in a script: a field's caption,
  //! "Attributo NAME" for a value or range, "Attributo NAME contiene" for a text it holds.
  //! std::invalid_argument, its text for the user, when nothing has that name.
  void enterSetting(std::string_view name, Variant first, Variant second);
  //! Empties every value and description.
  void clear();
  //! Opens the list for one end of a field's range: raises the lookup request and runs the
  //! query it hands back; a field with a value list that gets no query offers that list.
  std::optional<PickList> openLookup(std::string_view caption, int end);
  //! Picks a code for one end of a field's range, then asks for the descriptions.
  bool pick(std::string_view caption, int end, std::string code);

  // --- Events -------------------------------------------------------------------------
  //! (field number, caption, column expression, first value, first description, second
  //! value, second description): the handler sets the descriptions.
  Event<const Variant&, const Variant&, const Variant&, const Variant&, std::string&, const Variant&, std::string&>
      onDecodeRequest;
  //! (field number, caption, end: 1 = second value, query, column captions, window title,
  //! connection string).
  Event<const Variant&, const Variant&, int, std::string&, Variant&, std::string&, std::string&> onLookupRequest;

 private:
  void add(QueryField::Kind kind, std::vector<Variant> values, std::size_t least);
  QueryField* find(std::string_view caption);
  void decode(QueryField& field);
  const QueryField* extendedAttributes() const;
  QueryField* extendedAttributes();
  QueryAttribute& attributeNamed(std::string_view name);
  QueryRunner runner() const;

  Variant m_company;
  Variant m_userFirst;
  Variant m_userSecond;
  std::weak_ptr<Object> m_host;  // held weakly: the host owns the module, never the reverse
  std::string m_programName;
  db::Connection* m_connection = nullptr;
  std::vector<QueryField> m_entries;
  bool m_finished = false;
  std::string m_lookupName;
  QueryRunner m_runner;
  std::string m_attributesProblem;
};

}  // namespace platform::controls
