// A packed column is a signed byte of the BLOB: vget reads byte K as an integer, vset gives a
// copy of the BLOB with byte K replaced. A value is stored as its DECIMAL(p,0) column would
// hold it: text converted to a number, a fraction rounded half away from zero, NULL refused as
// by a NOT NULL column (NAME, when given, is the column the message names), and a value
// outside the byte refused as an overflow.
#include "platform/db/sqlite/sqlite_packed.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/db/sqlite/sqlite_arithmetic.h"

namespace platform::db::sqlite {
namespace {

// The byte K of the BLOB, or false (with the error set) when it has none.
bool slot(sqlite3_context* context, sqlite3_value* blob, sqlite3_value* index, int& k) {
  const sqlite3_int64 at = sqlite3_value_int64(index);
  if (sqlite3_value_type(blob) != SQLITE_BLOB || at < 0 || at >= sqlite3_value_bytes(blob)) {
    sqlite3_result_error(context, "packed column out of range", -1);
    return false;
  }
  k = static_cast<int>(at);
  return true;
}

void getFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  int k = 0;
  if (!slot(context, argv[0], argv[1], k)) return;
  const auto* bytes = static_cast<const signed char*>(sqlite3_value_blob(argv[0]));
  sqlite3_result_int(context, bytes[k]);
}

void setFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  int k = 0;
  if (!slot(context, argv[0], argv[1], k)) return;
  sqlite3_value* value = argv[2];
  if (sqlite3_value_type(value) == SQLITE_NULL) {
    std::string message = "NOT NULL constraint failed";
    if (argc > 3) message += std::string(": ") + reinterpret_cast<const char*>(sqlite3_value_text(argv[3]));
    sqlite3_result_error(context, message.c_str(), -1);
    sqlite3_result_error_code(context, SQLITE_CONSTRAINT_NOTNULL);
    return;
  }
  sqlite3_value_numeric_type(value);
  if (sqlite3_value_type(value) != SQLITE_INTEGER && sqlite3_value_type(value) != SQLITE_FLOAT) {
    sqlite3_result_error(context, kNotNumeric, -1);
    return;
  }
  const double number = std::round(sqlite3_value_double(value));
  if (number < -128 || number > 127) {
    sqlite3_result_error(context, kNumericOverflow, -1);
    return;
  }
  const int size = sqlite3_value_bytes(argv[0]);
  auto* copy = static_cast<signed char*>(sqlite3_malloc(size));
  if (copy == nullptr) {
    sqlite3_result_error_nomem(context);
    return;
  }
  std::copy_n(static_cast<const signed char*>(sqlite3_value_blob(argv[0])), size, copy);
  copy[k] = static_cast<signed char>(number);
  sqlite3_result_blob(context, copy, size, sqlite3_free);
}

}  // namespace

int registerPackedFunctions(sqlite3* db) {
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
  int rc = sqlite3_create_function(db, "vget", 2, kFlags, nullptr, getFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "vset", 3, kFlags, nullptr, setFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "vset", 4, kFlags, nullptr, setFunction, nullptr, nullptr);
  return rc;
}

}  // namespace platform::db::sqlite
