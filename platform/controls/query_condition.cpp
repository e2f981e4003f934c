// The enhanced query's condition text.
#include "platform/controls/query_condition.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/controls/enhanced_query.h"
#include "platform/db/sql_literal.h"
#include "platform/text/ascii.h"
#include "platform/text/letter_case.h"

namespace platform::controls {
namespace {

constexpr std::int64_t kWholeNumberType = 6;

constexpr const char* kNothing = "1 = 0";

bool isSet(const Variant& value) { return !value.isEmpty() && !value.isNull() && !value.toText().empty(); }

bool flag(const QueryField& field, std::size_t at) { return field.values.size() > at && field.values[at].toBool(); }

std::optional<std::int64_t> wholeNumber(const Variant& value) {
  if (value.isNumeric()) {
    const double number = value.toDouble();
    if (number != static_cast<double>(static_cast<std::int64_t>(number))) return std::nullopt;
    return static_cast<std::int64_t>(number);
  }
  const std::string typed = value.toText();  // the trimmed view below looks into it
  const std::string_view text = platform::text::trim(typed);
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return number;
}

// LIKE's own characters between brackets, so that each one matches itself.
std::string likeLiteral(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '%' || c == '_' || c == '[') {
      escaped += '[';
      escaped += c;
      escaped += ']';
    } else {
      escaped += c;
    }
  }
  return escaped;
}

// The comparison of one or two values already written as SQL.
std::string rangeOf(const std::string& column, const std::optional<std::string>& first,
                    const std::optional<std::string>& second) {
  if (first && second) return column + " BETWEEN " + *first + " AND " + *second;
  return column + " = " + (first ? *first : *second);
}

std::optional<std::string> textValue(const Variant& value) {
  if (!isSet(value)) return std::nullopt;
  return db::quoteLiteral(value.toText());
}

std::string codeRange(const std::string& column, const Variant& first, const Variant& second) {
  return rangeOf(column, textValue(first), textValue(second));
}

// The values set, each written as a number by `write`; one that is no such number selects
// nothing.
template <class Write>
std::string numberRange(const std::string& column, const Variant& first, const Variant& second, Write write) {
  std::optional<std::string> ends[2];
  const Variant* values[2] = {&first, &second};
  for (int end = 0; end < 2; ++end) {
    if (!isSet(*values[end])) continue;
    ends[end] = write(*values[end]);
    if (!ends[end]) return kNothing;
  }
  return rangeOf(column, ends[0], ends[1]);
}

// A whole number, and with a list one of the list's.
std::optional<std::string> wholeNumberIn(const Variant& value, const Variant* list) {
  const std::optional<std::int64_t> number = wholeNumber(value);
  if (!number) return std::nullopt;
  if (list != nullptr) {
    const Variant::Array& allowed = list->array();
    if (std::none_of(allowed.begin(), allowed.end(), [&](const Variant& v) { return wholeNumber(v) == number; })) {
      return std::nullopt;
    }
  }
  return std::to_string(*number);
}

// A number as typed: an optional sign, digits and at most one decimal point or comma; written
// back with a point, digit for digit, so that no rounding changes what was asked.
std::optional<std::string> decimalNumber(const Variant& value) {
  const std::string typed = value.toText();  // the trimmed view below looks into it
  const std::string_view text = platform::text::trim(typed);
  std::string number;
  bool digits = false;
  bool point = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c >= '0' && c <= '9') {
      number += c;
      digits = true;
    } else if ((c == '.' || c == ',') && !point) {
      number += '.';
      point = true;
    } else if ((c == '-' || c == '+') && at == 0) {
      if (c == '-') number += c;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return number;
}

std::string yesNo(const QueryField& field) {
  const std::string word = platform::text::toUpper(platform::text::trim(field.first.toText()));
  const char* yes[] = {"S", "SI", "SÌ", "Y", "YES", "1"};
  const char* no[] = {"N", "NO", "0"};
  const auto among = [&](const auto& words) {
    return std::any_of(std::begin(words), std::end(words), [&](const char* w) { return word == w; });
  };
  if (among(yes)) return "ISNULL(" + field.column() + ", 0) = 1";
  if (among(no)) return "ISNULL(" + field.column() + ", 0) = 0";
  return kNothing;
}

std::string contains(const std::string& column, const Variant& fragment) {
  return column + " LIKE " + db::quoteLiteral("%" + likeLiteral(fragment.toText()) + "%");
}

// The field's condition, or nothing when the user set none of its values.
std::optional<std::string> conditionOf(const QueryField& field) {
  const bool range = field.kind == QueryField::Kind::TypedField || flag(field, QueryField::kRange);
  if (!isSet(field.first) && (!usesSecondValue(field) || !isSet(field.second))) return std::nullopt;
  const std::string column = field.column();
  if (field.kind == QueryField::Kind::TypedField) {
    const bool number = field.values.size() > QueryField::kType && wholeNumber(field.values[QueryField::kType]) == kWholeNumberType;
    if (!number) return codeRange(column, field.first, field.second);
    return numberRange(column, field.first, field.second, [](const Variant& v) { return wholeNumberIn(v, nullptr); });
  }
  if (flag(field, QueryField::kYesNo)) return yesNo(field);
  if (!range) return contains(column, field.first);
  if (field.values.size() > QueryField::kValueList && field.values[QueryField::kValueList].type() == Variant::Type::Array) {
    const Variant* list = &field.values[QueryField::kValueList];
    return numberRange(column, field.first, field.second, [list](const Variant& v) { return wholeNumberIn(v, list); });
  }
  return codeRange(column, field.first, field.second);
}

// An attribute's condition over the table joined under `alias`, or nothing when the user set
// none of its values.
std::optional<std::string> conditionOf(const std::string& alias, const QueryAttribute& attribute) {
  if (!isSet(attribute.first) && (attribute.contains || !isSet(attribute.second))) return std::nullopt;
  const std::string column = alias + "." + attribute.column;
  // The comparison, true for every text, tells the database what LIKE does not: an item
  // without attributes cannot match. It then joins only the items that have attributes
  // instead of looking every item's row up first (half the fill on a large catalogue).
  if (attribute.contains) return column + " >= '' AND " + contains(column, attribute.first);
  if (attribute.number) return numberRange(column, attribute.first, attribute.second, decimalNumber);
  return codeRange(column, attribute.first, attribute.second);
}

}  // namespace

bool usesSecondValue(const QueryField& field) {
  if (field.kind == QueryField::Kind::TypedField) return true;
  return field.kind == QueryField::Kind::Field && flag(field, QueryField::kRange) && !flag(field, QueryField::kYesNo);
}

std::string conditionText(const std::vector<QueryField>& fields) {
  std::string text;
  const auto add = [&text](const std::optional<std::string>& condition) {
    if (!condition) return;
    if (!text.empty()) text += ' ';
    text += "AND " + *condition;
  };
  for (const QueryField& field : fields) {
    if (field.kind != QueryField::Kind::ExtendedAttributes) {
      add(conditionOf(field));
      continue;
    }
    for (const QueryAttribute& attribute : field.attributes) add(conditionOf(field.column(), attribute));
  }
  return text;
}

}  // namespace platform::controls
