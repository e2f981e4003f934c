// Conversions and comparisons of Variant values, as the host's utility object makes them.
#include "platform/variant/variant.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

#include "platform/text/ascii.h"

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

// The number written in text[at, at + width) when every character there is a digit.
std::optional<int> digitsAt(std::string_view text, std::size_t at, std::size_t width) {
  if (at + width > text.size()) return std::nullopt;
  int value = 0;
  for (const char c : text.substr(at, width)) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

Decimal Decimal::parse(std::string_view text) {
  const std::string_view t = text::trim(text);
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
  using namespace std::chrono;
  const year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                            std::chrono::day{static_cast<unsigned>(day)}};
  const bool validTime = hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
                         millis >= 0 && millis < 1000;
  if (month < 1 || day < 1 || !date.ok() || !validTime) {
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", year, month, day, hour, minute, second,
                  millis);
    throw ConversionError(std::string("Data non valida: ") + text);
  }
  const sys_time<milliseconds> time =
      sys_days{date} + hours{hour} + minutes{minute} + seconds{second} + milliseconds{millis};
  return Date{time.time_since_epoch().count()};
}

Date Date::parse(std::string_view text) {
  const std::string_view t = text::trim(text);
  const auto invalid = [&] { return ConversionError("Data non valida: " + std::string(t)); };
  // YYYY-MM-DD, then optionally " HH:MM:SS" (or "T" for the blank), then optionally ".f" to ".fff".
  if (t.size() < 10 || t[4] != '-' || t[7] != '-') throw invalid();
  const auto year = digitsAt(t, 0, 4), month = digitsAt(t, 5, 2), day = digitsAt(t, 8, 2);
  if (!year || !month || !day) throw invalid();
  if (t.size() == 10) return fromParts(*year, *month, *day);
  if (t.size() < 19 || (t[10] != ' ' && t[10] != 'T') || t[13] != ':' || t[16] != ':') throw invalid();
  const auto hour = digitsAt(t, 11, 2), minute = digitsAt(t, 14, 2), second = digitsAt(t, 17, 2);
  if (!hour || !minute || !second) throw invalid();
  int millis = 0;
  if (t.size() > 19) {
    const std::size_t fractionDigits = t.size() - 20;
    const auto fraction = digitsAt(t, 20, fractionDigits);
    if (t[19] != '.' || fractionDigits < 1 || fractionDigits > 3 || !fraction) throw invalid();
    millis = *fraction * (fractionDigits == 1 ? 100 : fractionDigits == 2 ? 10 : 1);
  }
  return fromParts(*year, *month, *day, *hour, *minute, *second, millis);
}

std::string Date::toString() const {
  using namespace std::chrono;
  const sys_time<milliseconds> time{milliseconds{millisSinceEpoch}};
  const sys_days day = floor<days>(time);
  const year_month_day date{day};
  const hh_mm_ss<milliseconds> clock{time - day};
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02d:%02d:%02d", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  std::string result = buffer;
  if (clock.subseconds().count() != 0) {
    std::snprintf(buffer, sizeof buffer, ".%03d", static_cast<int>(clock.subseconds().count()));
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
      const std::string_view t = text::trim(std::get<std::string>(m_value));
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
    const std::string_view t = text::trim(std::get<std::string>(m_value));
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
