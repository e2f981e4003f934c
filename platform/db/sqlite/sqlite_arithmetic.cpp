// The arithmetic functions: each takes SQLite's values, converts text as SQL Server converts
// it and raises SQL Server's own message where SQL Server fails the statement.
#include "platform/db/sqlite/sqlite_arithmetic.h"

#include <sqlite3.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>

namespace platform::db::sqlite {
namespace {

constexpr const char* kDivideByZero = "Divide by zero error encountered.";
constexpr const char* kNotADate = "Conversion failed when converting date and/or time from character string.";
constexpr const char* kOverflow = "Arithmetic overflow error converting expression to data type bigint.";
constexpr std::string_view kNotANumber = "Conversion failed when converting the varchar value '";

constexpr std::array<std::pair<std::string_view, long>, 6> kErrorNumbers = {{
    {kDivideByZero, 8134},
    {kNotADate, 241},
    {kOverflow, 8115},
    {kNotANumber, 245},
    {kNumericOverflow, 8115},
    {kNotNumeric, 8114},
}};

// A text operand of arithmetic converts as SQL Server converts it: to a number, or the
// statement fails (then false, with the error set).
bool numeric(sqlite3_context* context, sqlite3_value* value) {
  if (sqlite3_value_type(value) != SQLITE_TEXT) return true;
  sqlite3_value_numeric_type(value);
  if (sqlite3_value_type(value) != SQLITE_TEXT) return true;
  const std::string message =
      std::string(kNotANumber) + reinterpret_cast<const char*>(sqlite3_value_text(value)) + "' to data type int.";
  sqlite3_result_error(context, message.c_str(), -1);
  return false;
}

bool bothIntegers(sqlite3_value* a, sqlite3_value* b) {
  return sqlite3_value_type(a) == SQLITE_INTEGER && sqlite3_value_type(b) == SQLITE_INTEGER;
}

void addFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  const int left = sqlite3_value_type(argv[0]);
  const int right = sqlite3_value_type(argv[1]);
  if (left == SQLITE_NULL || right == SQLITE_NULL) return;
  if (left == SQLITE_TEXT && right == SQLITE_TEXT) {
    std::string text(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])), sqlite3_value_bytes(argv[0]));
    text.append(reinterpret_cast<const char*>(sqlite3_value_text(argv[1])), sqlite3_value_bytes(argv[1]));
    sqlite3_result_text(context, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return;
  }
  if (!numeric(context, argv[0]) || !numeric(context, argv[1])) return;
  if (bothIntegers(argv[0], argv[1])) {
    sqlite3_int64 sum = 0;
    if (__builtin_add_overflow(sqlite3_value_int64(argv[0]), sqlite3_value_int64(argv[1]), &sum)) {
      sqlite3_result_error(context, kOverflow, -1);
    } else {
      sqlite3_result_int64(context, sum);
    }
    return;
  }
  sqlite3_result_double(context, sqlite3_value_double(argv[0]) + sqlite3_value_double(argv[1]));
}

// "/" (user data 0) and "%" (user data 1): integers truncate toward zero, as in SQL Server.
void divideFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) return;
  if (!numeric(context, argv[0]) || !numeric(context, argv[1])) return;
  const bool modulo = sqlite3_user_data(context) != nullptr;
  if (bothIntegers(argv[0], argv[1])) {
    const sqlite3_int64 a = sqlite3_value_int64(argv[0]);
    const sqlite3_int64 b = sqlite3_value_int64(argv[1]);
    if (b == 0) return sqlite3_result_error(context, kDivideByZero, -1);
    if (b == -1) {
      // INT64_MIN / -1 does not fit; its remainder is 0.
      if (modulo) return sqlite3_result_int64(context, 0);
      if (a == INT64_MIN) return sqlite3_result_error(context, kOverflow, -1);
    }
    return sqlite3_result_int64(context, modulo ? a % b : a / b);
  }
  const double a = sqlite3_value_double(argv[0]);
  const double b = sqlite3_value_double(argv[1]);
  if (b == 0.0) return sqlite3_result_error(context, kDivideByZero, -1);
  sqlite3_result_double(context, modulo ? std::fmod(a, b) : a / b);
}

// Reads exactly `count` digits at text[i] into value.
bool digits(std::string_view text, size_t& i, int count, int& value) {
  value = 0;
  for (int n = 0; n < count; ++n, ++i) {
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  return true;
}

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

bool validDate(int year, int month, int day) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1 || month < 1 || month > 12 || day < 1) return false;
  return day <= kDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
}

// yyyy-mm-dd, yyyy/mm/dd, yyyymmdd or dd/mm/yyyy (the Italian date order) at text[i].
bool datePart(std::string_view text, size_t& i) {
  int year = 0;
  int month = 0;
  int day = 0;
  const size_t start = i;
  if (digits(text, i, 4, year)) {
    if (i < text.size() && (text[i] == '-' || text[i] == '/')) {
      const char separator = text[i++];
      if (!digits(text, i, 2, month) || i >= text.size() || text[i++] != separator) return false;
      return digits(text, i, 2, day) && validDate(year, month, day);
    }
    return digits(text, i, 2, month) && digits(text, i, 2, day) && validDate(year, month, day);
  }
  i = start;
  if (!digits(text, i, 2, day) || i >= text.size() || text[i++] != '/') return false;
  if (!digits(text, i, 2, month) || i >= text.size() || text[i++] != '/') return false;
  return digits(text, i, 4, year) && validDate(year, month, day);
}

// hh:mm[:ss[.fraction]] at text[i].
bool timePart(std::string_view text, size_t& i) {
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (!digits(text, i, 2, hour) || i >= text.size() || text[i++] != ':' || !digits(text, i, 2, minute)) return false;
  if (hour > 23 || minute > 59) return false;
  if (i < text.size() && text[i] == ':') {
    ++i;
    if (!digits(text, i, 2, second) || second > 59) return false;
    if (i < text.size() && text[i] == '.') {
      ++i;
      const size_t fraction = i;
      while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
      if (i == fraction || i - fraction > 7) return false;
    }
  }
  return true;
}

// The forms the console and its users write; an empty text is SQL Server's 1900-01-01.
bool isDateTimeText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty()) return true;
  size_t i = 0;
  if (text.size() > 2 && text[2] == ':') return timePart(text, i) && i == text.size();
  if (!datePart(text, i)) return false;
  if (i == text.size()) return true;
  if (text[i] != ' ' && text[i] != 'T') return false;
  ++i;
  return timePart(text, i) && i == text.size();
}

// A conversion to a date type: dates stay text, but text that is no date fails as in SQL Server.
void dateTimeFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  const int type = sqlite3_value_type(argv[0]);
  if (type == SQLITE_NULL) return;
  const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const int length = sqlite3_value_bytes(argv[0]);
  if (type == SQLITE_TEXT && !isDateTimeText(std::string_view(text, static_cast<size_t>(length)))) {
    return sqlite3_result_error(context, kNotADate, -1);
  }
  sqlite3_result_text(context, text, length, SQLITE_TRANSIENT);
}

}  // namespace

int registerArithmeticFunctions(sqlite3* db) {
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  static int moduloTag = 0;
  int rc = sqlite3_create_function(db, "tsql_add", 2, kFlags, nullptr, addFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "tsql_divide", 2, kFlags, nullptr, divideFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function(db, "tsql_modulo", 2, kFlags, &moduloTag, divideFunction, nullptr, nullptr);
  }
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function(db, "tsql_datetime", 1, kFlags, nullptr, dateTimeFunction, nullptr, nullptr);
  }
  return rc;
}

long tsqlErrorNumber(std::string_view message) {
  for (const auto& [text, number] : kErrorNumbers) {
    if (message.starts_with(text)) return number;
  }
  return 0;
}

}  // namespace platform::db::sqlite
