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

std::string codeRange(const QueryField& field) {
  return rangeOf(field.column(), textValue(field.first), textValue(field.second));
}

std::string numberRange(const QueryField& field, const Variant* list) {
  std::optional<std::string> ends[2];
  const Variant* values[2] = {&field.first, &field.second};
  for (int end = 0; end < 2; ++end) {
    if (!isSet(*values[end])) continue;
    const std::optional<std::int64_t> number = wholeNumber(*values[end]);
    if (!number) return kNothing;
    if (list != nullptr) {
      const Variant::Array& allowed = list->array();
      if (std::none_of(allowed.begin(), allowed.end(), [&](const Variant& v) { return wholeNumber(v) == number; })) {
        return kNothing;
      }
    }
    ends[end] = std::to_string(*number);
  }
  return rangeOf(field.column(), ends[0], ends[1]);
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

std::string contains(const QueryField& field) {
  return field.column() + " LIKE " + db::quoteLiteral("%" + likeLiteral(field.first.toText()) + "%");
}

// The field's condition, or nothing when the user set none of its values.
std::optional<std::string> conditionOf(const QueryField& field) {
  if (field.kind == QueryField::Kind::ExtendedAttributes) return std::nullopt;
  const bool range = field.kind == QueryField::Kind::TypedField || flag(field, QueryField::kRange);
  if (!isSet(field.first) && (!usesSecondValue(field) || !isSet(field.second))) return std::nullopt;
  if (field.kind == QueryField::Kind::TypedField) {
    const bool number = field.values.size() > QueryField::kType && wholeNumber(field.values[QueryField::kType]) == kWholeNumberType;
    return number ? numberRange(field, nullptr) : codeRange(field);
  }
  if (flag(field, QueryField::kYesNo)) return yesNo(field);
  if (!range) return contains(field);
  if (field.values.size() > QueryField::kValueList && field.values[QueryField::kValueList].type() == Variant::Type::Array) {
    return numberRange(field, &field.values[QueryField::kValueList]);
  }
  return codeRange(field);
}

}  // namespace

bool usesSecondValue(const QueryField& field) {
  if (field.kind == QueryField::Kind::TypedField) return true;
  return field.kind == QueryField::Kind::Field && flag(field, QueryField::kRange) && !flag(field, QueryField::kYesNo);
}

std::string conditionText(const std::vector<QueryField>& fields) {
  std::string text;
  for (const QueryField& field : fields) {
    const std::optional<std::string> condition = conditionOf(field);
    if (!condition) continue;
    if (!text.empty()) text += ' ';
    text += "AND " + *condition;
  }
  return text;
}

}  // namespace platform::controls
