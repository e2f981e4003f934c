// Conversions and comparisons of Variant values, as the host's utility object makes them.
#include "platform/variant/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <limits>

namespace platform {
namespace {

constexpr std::int64_t kPowersOfTen[] = {1,
                                         10,
                                         100,
                                         1000,
                                         10000,
                                         100000,
                                         1000000,
                                         10000000,
                                         100000000,
                                         1000000000,
                                         10000000000,
                                         100000000000,
                                         1000000000000,
                                         10000000000000,
                                         100000000000000,
                                         1000000000000000,
                                         10000000000000000,
                                         100000000000000000,
                                         1000000000000000000};

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

[[noreturn]] void cannotConvert(const Variant& value, const char* target) {
  throw ConversionError("Impossibile convertire " + value.debugString() + " in " + target);
}

// Shortest decimal text that reads back as the same double, without exponent for the
// magnitudes item data hold.
std::string formatDouble(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<std::int64_t>(value));
  }
  char buffer[64];
  for (int precision = 15; precision <= 17; ++precision) {
    std::snprintf(buffer, sizeof buffer, "%.*g", precision, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

}  // namespace

Decimal Decimal::parse(std::string_view text) {
  const std::string_view t = trimmed(text);
  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  Decimal result;
  bool digits = false;
  bool point = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') throw ConversionError("Numero decimale non valido: " + std::string(text));
    if (result.units > (std::numeric_limits<std::int64_t>::max() - 9) / 10 || result.scale >= 18) {
      throw ConversionError("Numero decimale troppo grande: " + std::string(text));
    }
    result.units = result.units * 10 + (c - '0');
    if (point) ++result.scale;
    digits = true;
  }
  if (!digits) throw ConversionError("Numero decimale non valido: " + std::string(text));
  if (negative) result.units = -result.units;
  return result;
}

std::string Decimal::toString() const {
  const std::uint64_t magnitude = units < 0 ? 0 - static_cast<std::uint64_t>(units) : static_cast<std::uint64_t>(units);
  const auto divisor = static_cast<std::uint64_t>(kPowersOfTen[scale]);
  std::string result = units < 0 ? "-" : "";
  result += std::to_string(magnitude / divisor);
  if (scale > 0) {
    const std::string fraction = std::to_string(magnitude % divisor);
    result += '.';
    result.append(scale - fraction.size(), '0');
    result += fraction;
  }
  return result;
}

double Decimal::toDouble() const { return static_cast<double>(units) / static_cast<double>(kPowersOfTen[scale]); }

bool operator==(const Decimal& a, const Decimal& b) {
  // Bring both to the larger scale; a value that would overflow there cannot equal the other.
  const std::uint8_t scale = std::max(a.scale, b.scale);
  std::int64_t left = 0;
  std::int64_t right = 0;
  if (__builtin_mul_overflow(a.units, kPowersOfTen[scale - a.scale], &left) ||
      __builtin_mul_overflow(b.units, kPowersOfTen[scale - b.scale], &right)) {
    return false;
  }
  return left == right;
}

Date Date::fromParts(int year, int month, int day, int hour, int minute, int second, int millis) {
  const std::int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  return Date{((days * 24 + hour) * 60 + minute) * 60000 + second * 1000 + millis};
}

Date Date::parse(std::string_view text) {
  const std::string value(trimmed(text));
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millis = 0;
  char separator = ' ';
  const int read = std::sscanf(value.c_str(), "%4d-%2d-%2d%c%2d:%2d:%2d.%3d", &year, &month, &day, &separator,
                               &hour, &minute, &second, &millis);
  const bool dateOnly = read == 3 && value.size() == 10;
  const bool withTime = read >= 7 && (separator == ' ' || separator == 'T');
  if ((!dateOnly && !withTime) || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
      second > 59) {
    throw ConversionError("Data non valida: " + value);
  }
  return fromParts(year, month, day, hour, minute, second, millis);
}

std::string Date::toString() const {
  std::int64_t days = millisSinceEpoch / 86400000;
  std::int64_t rest = millisSinceEpoch % 86400000;
  if (rest < 0) {
    rest += 86400000;
    --days;
  }
  int year = 0, month = 0, day = 0;
  civilFromDays(days, year, month, day);
  const int millis = static_cast<int>(rest % 1000);
  const int seconds = static_cast<int>(rest / 1000);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  std::string result = buffer;
  if (millis != 0) {
    std::snprintf(buffer, sizeof buffer, ".%03d", millis);
    result += buffer;
  }
  return result;
}

bool Variant::isNumeric() const {
  switch (type()) {
    case Type::Integer:
    case Type::Decimal:
    case Type::Double:
    case Type::Boolean:
      return true;
    default:
      return false;
  }
}

std::string Variant::toText() const {
  switch (type()) {
    case Type::Empty:
    case Type::Null:
      return {};
    case Type::Integer:
      return std::to_string(std::get<std::int64_t>(m_value));
    case Type::Decimal:
      return std::get<Decimal>(m_value).toString();
    case Type::Double:
      return formatDouble(std::get<double>(m_value));
    case Type::Text:
      return std::get<std::string>(m_value);
    case Type::Boolean:
      return std::get<bool>(m_value) ? "True" : "False";
    case Type::Date:
      return std::get<Date>(m_value).toString();
    case Type::Array:
    case Type::Object:
      break;
  }
  cannotConvert(*this, "testo");
}

double Variant::toDouble() const {
  switch (type()) {
    case Type::Empty:
    case Type::Null:
      return 0;
    case Type::Integer:
      return static_cast<double>(std::get<std::int64_t>(m_value));
    case Type::Decimal:
      return std::get<Decimal>(m_value).toDouble();
    case Type::Double:
      return std::get<double>(m_value);
    case Type::Boolean:
      return std::get<bool>(m_value) ? -1 : 0;
    case Type::Text: {
      const std::string_view t = trimmed(std::get<std::string>(m_value));
      if (t.empty()) return 0;
      double result = 0;
      const char* begin = t.data() + (t.front() == '+' ? 1 : 0);
      const auto [end, error] = std::from_chars(begin, t.data() + t.size(), result);
      if (error != std::errc() || end != t.data() + t.size()) cannotConvert(*this, "numero");
      return result;
    }
    case Type::Date:
    case Type::Array:
    case Type::Object:
      break;
  }
  cannotConvert(*this, "numero");
}

std::int64_t Variant::toInteger() const {
  if (type() == Type::Integer) return std::get<std::int64_t>(m_value);
  const double value = std::round(toDouble());
  if (!(value >= -9.2e18 && value <= 9.2e18)) cannotConvert(*this, "numero intero");
  return static_cast<std::int64_t>(value);
}

Decimal Variant::toDecimal() const {
  switch (type()) {
    case Type::Integer:
      return Decimal{std::get<std::int64_t>(m_value), 0};
    case Type::Decimal:
      return std::get<Decimal>(m_value);
    case Type::Text:
      return Decimal::parse(std::get<std::string>(m_value));
    case Type::Double:
      return Decimal::parse(formatDouble(std::get<double>(m_value)));
    default:
      return Decimal{toInteger(), 0};
  }
}

bool Variant::toBool() const {
  if (type() == Type::Boolean) return std::get<bool>(m_value);
  if (type() == Type::Text) {
    const std::string_view t = trimmed(std::get<std::string>(m_value));
    if (t == "True" || t == "true" || t == "TRUE") return true;
    if (t == "False" || t == "false" || t == "FALSE") return false;
  }
  return toDouble() != 0;
}

const std::string& Variant::text() const {
  if (type() != Type::Text) cannotConvert(*this, "testo");
  return std::get<std::string>(m_value);
}

const Variant::Array& Variant::array() const {
  if (type() != Type::Array) cannotConvert(*this, "vettore");
  return *std::get<std::shared_ptr<const Array>>(m_value);
}

std::shared_ptr<Object> Variant::object() const {
  if (type() != Type::Object) return nullptr;
  return std::get<std::shared_ptr<Object>>(m_value);
}

bool operator==(const Variant& a, const Variant& b) {
  using Type = Variant::Type;
  const bool aNumber = a.isNumeric() && a.type() != Type::Boolean;
  const bool bNumber = b.isNumeric() && b.type() != Type::Boolean;
  if (aNumber && bNumber) {
    if (a.type() == Type::Double || b.type() == Type::Double) return a.toDouble() == b.toDouble();
    return a.toDecimal() == b.toDecimal();
  }
  if (a.type() != b.type()) return false;
  switch (a.type()) {
    case Type::Array:
      return a.array() == b.array();
    case Type::Object:
      return a.object() == b.object();
    default:
      return a.m_value == b.m_value;
  }
}

std::string Variant::debugString() const {
  switch (type()) {
    case Type::Empty:
      return "Empty";
    case Type::Null:
      return "Null";
    case Type::Text:
      return std::string("\"").append(text()).append("\"");
    case Type::Date:
      return std::string("#").append(toText()).append("#");
    case Type::Array: {
      std::string result = "[";
      for (const Variant& element : array()) {
        if (result.size() > 1) result.append(", ");
        result.append(element.debugString());
      }
      return result.append("]");
    }
    case Type::Object:
      return object() ? "Object" : "Nothing";
    default:
      return toText();
  }
}

const char* typeName(Variant::Type type) {
  static const char* const kNames[] = {"Empty", "Null", "Integer", "Decimal", "Double",
                                       "Text",  "Boolean", "Date", "Array", "Object"};
  return kNames[static_cast<int>(type)];
}

}  // namespace platform
