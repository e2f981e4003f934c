// An edit field with look-up and decode.
#include "platform/controls/edit_field.h"

#include <array>
#include <stdexcept>

#include "platform/controls/form.h"
#include "platform/controls/label.h"
#include "platform/text/ascii.h"
#include "platform/text/letter_case.h"
#include "platform/text/utf8.h"

namespace platform::controls {
namespace {

constexpr std::array<std::string_view, 5> kKeptHostSettings = {"carattere", "numrighe", "maxwidth", "isinlingua",
                                                               "linguaentitades"};

// The first maxChars characters of a UTF-8 text; 0 is no limit.
std::string cutTo(std::string_view text, std::size_t maxChars) {
  return std::string(maxChars == 0 ? text : text::utf8Prefix(text, maxChars));
}

std::string numericOnly(std::string_view text) {
  std::string result;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == ',') result += c;
  }
  return result;
}

void setDescriptionText(Control& target, std::string text) {
  if (auto* field = dynamic_cast<EditField*>(&target)) return field->setText(std::move(text));
  if (auto* label = dynamic_cast<Label*>(&target)) return label->setText(std::move(text));
  throw std::invalid_argument("control " + target.name() + " cannot show a description");
}

}  // namespace

EditField::EditField(std::string name) : BoundControl(std::move(name), ControlKind::EditField) {}

void EditField::setText(std::string text) {
  text = formatted(std::move(text));
  if (text == m_text) return;
  m_text = std::move(text);
  notifyChanged();
}

void EditField::setDisplayFormat(std::string format) {
  m_displayFormat = std::move(format);
  setText(m_text);
}

bool EditField::type(std::string_view text) {
  if (!isEnabled() || !isShown()) return false;
  if (!setFocus()) return false;
  std::string typed = cutTo(m_numeric ? numericOnly(text) : std::string(text), m_maxChars);
  typed = formatted(std::move(typed));
  if (typed == m_text) return true;
  m_text = std::move(typed);
  m_modified = true;
  notifyChanged();
  userEdited();
  return true;
}

bool EditField::leave() {
  if (form() != nullptr && hasFocus()) return form()->leaveFocus();
  return accept();
}

bool EditField::accept() {
  bool cancel = false;
  onValidate.raise(cancel);
  if (cancel) return false;
  if (!m_modified) return true;
  if (m_decode) decode();
  cancel = false;
  onAfterItem.raise(cancel);
  if (cancel) return false;
  m_modified = false;
  return true;
}

std::optional<PickList> EditField::openLookup() {
  if (!isEnabled() || !isShown()) return std::nullopt;
  bool cancel = false;
  std::string query;
  Variant captions;
  std::string title;
  std::string connectionString;
  onLookupRequest.raise(cancel, query, captions, title, connectionString);
  if (cancel || query.empty()) return std::nullopt;
  std::shared_ptr<db::Recordset> rows = runner()(query, connectionString);
  return makePickList(*rows, std::move(title), captions, m_lookupName);
}

bool EditField::pick(std::string_view code) {
  if (!isEnabled() || !isShown()) return false;
  if (!setFocus()) return false;
  // A picked code counts as entered even when it is the one already shown.
  setText(cutTo(code, m_maxChars));
  m_modified = true;
  userEdited();
  return accept();
}

void EditField::decode() {
  bool cancel = false;
  std::string query;
  Variant mapping;
  std::string connectionString;
  onDecodeRequest.raise(cancel, query, mapping, connectionString);
  if (cancel || query.empty()) return;
  std::shared_ptr<db::Recordset> result = runner()(query, connectionString);
  fillDescriptions(result.get(), mapping);
}

void EditField::fillDescriptions(db::Recordset* result, const Variant& mapping) {
  const bool found = result != nullptr && result->RecordCount() > 0;
  if (found) result->MoveFirst();
  auto valueOf = [&](const Variant& column) -> std::string {
    if (!found) return {};
    if (column.isText()) return result->Field(column.text()).toText();
    return result->Field(static_cast<std::size_t>(column.toInteger())).toText();
  };
  auto targetOf = [&](const Variant& target) -> Control& {
    if (target.type() == Variant::Type::Object) {
      if (auto* control = dynamic_cast<Control*>(target.object().get())) return *control;
      throw std::invalid_argument("decode of " + name() + ": the mapping names an object that is not a control");
    }
    if (form() == nullptr) throw std::invalid_argument("decode of " + name() + ": a control name needs a form");
    return form()->control(target.toText());
  };

  if (mapping.isEmpty() || mapping.isNull()) {
    if (m_descriptionField.empty()) return;
    return setDescriptionText(targetOf(Variant(m_descriptionField)), valueOf(Variant(0)));
  }
  if (mapping.type() != Variant::Type::Array) {
    throw std::invalid_argument("decode of " + name() + ": the result mapping is not a list of pairs");
  }
  for (const Variant& pair : mapping.array()) {
    if (pair.type() != Variant::Type::Array || pair.array().size() != 2) {
      throw std::invalid_argument("decode of " + name() + ": a result mapping entry is not a [column, target] pair");
    }
    setDescriptionText(targetOf(pair.array()[1]), valueOf(pair.array()[0]));
  }
}

const QueryRunner& EditField::runner() const {
  if (!m_runner) throw std::logic_error("edit field " + name() + " has no query runner");
  return m_runner;
}

Variant EditField::boundValue() const { return m_text.empty() ? Variant::null() : Variant(m_text); }

void EditField::loadBoundValue(const Variant& value) {
  setText(value.toText());
  m_modified = false;
  // A decoding field shows the description of every code it is given, as when one is typed.
  if (m_decode) decode();
}

std::string EditField::formatted(std::string text) const {
  return text::equalsIgnoringCase(m_displayFormat, kUpperCase) ? text::toUpper(text) : text;
}

bool EditField::applyDesignProperty(std::string_view name, const Variant& value) {
  if (text::equalsIgnoringCase(name, "maxchar")) {
    m_maxChars = static_cast<std::size_t>(value.toInteger());
  } else if (text::equalsIgnoringCase(name, "displayformat")) {
    setDisplayFormat(value.toText());
  } else if (text::equalsIgnoringCase(name, "numerico")) {
    m_numeric = value.toBool();
  } else if (text::equalsIgnoringCase(name, "islookup")) {
    m_lookup = value.toBool();
  } else if (text::equalsIgnoringCase(name, "isdecode")) {
    m_decode = value.toBool();
  } else if (text::equalsIgnoringCase(name, "required")) {
    m_required = value.toBool();
  } else if (text::equalsIgnoringCase(name, "lookupname")) {
    m_lookupName = value.toText();
  } else if (text::equalsIgnoringCase(name, "descfield")) {
    m_descriptionField = value.toText();
  } else if (text::equalsIgnoringCase(name, "text")) {
    setText(value.toText());
  } else {
    for (std::string_view kept : kKeptHostSettings) {
      if (text::equalsIgnoringCase(name, kept)) {
        m_hostSettings[std::string(kept)] = value;
        return true;
      }
    }
    return BoundControl::applyDesignProperty(name, value);
  }
  return true;
}

}  // namespace platform::controls
