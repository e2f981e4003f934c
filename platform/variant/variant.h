// The value type that crosses every boundary between the console, the host and the database:
// Empty, Null, whole numbers, exact decimals, doubles, text, booleans, dates, arrays and
// object references, with the host's conversions to text and to number.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

//! An exact decimal: value = units / 10^scale. DECIMAL(p,s) values of up to 18 digits.
struct Decimal {
  std::int64_t units = 0;
  std::uint8_t scale = 0;

  //! Parses "12", "-1.50", "+3."; nullopt-like failure is reported by throwing.
  static Decimal parse(std::string_view text);
  std::string toString() const;
  double toDouble() const;
  friend bool operator==(const Decimal& a, const Decimal& b);
};

//! A date and time without time zone, to the millisecond.
struct Date {
  std::int64_t millisSinceEpoch = 0;  // 1970-01-01 00:00:00.000 = 0

  //! A date of the calendar: an impossible one (February 30, month 13, hour 24) is an error.
  static Date fromParts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                        int millis = 0);
  //! Parses "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" and "YYYY-MM-DDTHH:MM:SS", with an optional
  //! fraction of one to three digits; an impossible date is an error, never moved to the next.
  static Date parse(std::string_view text);
  //! "YYYY-MM-DD HH:MM:SS", with ".mmm" when the milliseconds are not zero.
  std::string toString() const;
  friend bool operator==(const Date&, const Date&) = default;
};

//! Base of every object the host hands around by reference (services, controls, forms).
class Object {
 public:
  virtual ~Object() = default;
};

//! A conversion the value cannot make (text "abc" to a number, an array to text, ...).
class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Variant {
 public:
  enum class Type { Empty, Null, Integer, Decimal, Double, Text, Boolean, Date, Array, Object };
  struct NullTag {
    friend bool operator==(NullTag, NullTag) { return true; }
  };
  using Array = std::vector<Variant>;

  Variant() = default;  // Empty
  explicit Variant(NullTag) : m_value(NullTag{}) {}
  Variant(int value) : m_value(std::int64_t{value}) {}
  Variant(long value) : m_value(std::int64_t{value}) {}
  Variant(long long value) : m_value(std::int64_t{value}) {}
  Variant(Decimal value) : m_value(value) {}
  Variant(double value) : m_value(value) {}
  Variant(bool value) : m_value(value) {}
  Variant(Date value) : m_value(value) {}
  Variant(std::string value) : m_value(std::move(value)) {}
  Variant(std::string_view value) : m_value(std::string(value)) {}
  Variant(const char* value) : m_value(std::string(value)) {}
  Variant(Array values) : m_value(std::make_shared<const Array>(std::move(values))) {}
  Variant(std::shared_ptr<Object> object) : m_value(std::move(object)) {}

  static Variant null() { return Variant(NullTag{}); }

  Type type() const { return static_cast<Type>(m_value.index()); }
  bool isEmpty() const { return type() == Type::Empty; }
  bool isNull() const { return type() == Type::Null; }
  bool isNumeric() const;  // Integer, Decimal, Double or Boolean
  bool isText() const { return type() == Type::Text; }

  //! Text as the host's conversion gives it: Empty and Null give "", numbers in plain
  //! decimal ("20", "1.50", "0.25"), booleans "True"/"False", dates as Date::toString.
  //! Arrays and objects cannot be converted.
  std::string toText() const;
  //! A number as the host's conversion gives it: Empty and Null give 0, booleans -1/0,
  //! text is parsed after trimming (an empty text gives 0); anything else is an error.
  double toDouble() const;
  //! Like toDouble, rounded half away from zero to a whole number; out of range is an error.
  std::int64_t toInteger() const;
  //! An exact decimal of the value: integers and decimals exactly, text parsed.
  Decimal toDecimal() const;
  //! True for non-zero numbers, "True"/"-1"/"1" texts; Empty and Null are false.
  bool toBool() const;
  //! The value as a 16-bit host Boolean: -1 for true, 0 for false.
  std::int16_t toHostBoolean() const { return toBool() ? -1 : 0; }

  const std::string& text() const;        // the text of a Text value; error otherwise
  const Array& array() const;             // the elements of an Array value; error otherwise
  std::shared_ptr<Object> object() const; // the reference of an Object value, or null

  //! Same type and value; numbers compare by value across Integer, Decimal and Double.
  friend bool operator==(const Variant& a, const Variant& b);

  //! A readable form for logs and test failures: Empty, Null, 20, 1.50, "text", True, ...
  std::string debugString() const;
  friend std::ostream& operator<<(std::ostream& out, const Variant& value) {
    return out << value.debugString();
  }

 private:
  std::variant<std::monostate, NullTag, std::int64_t, Decimal, double, std::string, bool, Date,
               std::shared_ptr<const Array>, std::shared_ptr<Object>>
      m_value;
};

const char* typeName(Variant::Type type);

}  // namespace platform
