// SQL Server's text semantics inside SQLite: the TSQL_CI collation (case-insensitive,
// accent-sensitive, trailing blanks ignored), a LIKE that follows it with [...] classes and
// UPPER and LOWER of any letter; the arithmetic functions are registered with them.
#include "platform/db/sqlite/sqlite_functions.h"

#include "platform/db/sqlite/sqlite_arithmetic.h"
#include "platform/db/sqlite/sqlite_packed.h"
#include "platform/db/sqlite/sqlite_row_sets.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/text/letter_case.h"
#include "platform/text/utf8.h"

namespace platform::db::sqlite {
namespace {

using text::foldCase;

std::string_view textOf(const void* bytes, int length) {
  return {static_cast<const char*>(bytes), static_cast<std::size_t>(length)};
}

// SQL Server ignores trailing spaces in comparisons (not tabs or other blanks). A loop of its
// own: the collation calls it twice per comparison, on short codes.
std::string_view withoutTrailingBlanks(std::string_view value) {
  while (!value.empty() && value.back() == ' ') value.remove_suffix(1);
  return value;
}

std::string_view valueText(sqlite3_value* value) {
  const unsigned char* bytes = sqlite3_value_text(value);  // converts first: then the length is the text's
  return textOf(bytes, sqlite3_value_bytes(value));
}

int collateTsqlCi(void*, int aLength, const void* a, int bLength, const void* b) {
  return compareTsqlCi(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

// SQL Server LIKE: % any run, _ one character, [abc] [a-c] [^a] classes, an optional escape
// character; letters fold as in TSQL_CI. The value's trailing blanks do not count, the
// pattern's do.
class LikeMatcher {
 public:
  LikeMatcher(std::string_view pattern, char32_t escape) : m_escape(escape) {
    for (std::size_t i = 0; i < pattern.size();) m_pattern.push_back(text::nextCodePoint(pattern, i));
  }

  // Every element but % stands for one character, so a mismatch only ever goes back to the
  // last % and lets it take one character more: time grows with the lengths' product, not
  // exponentially with the number of %.
  bool matches(std::string_view value) const {
    std::u32string folded;
    value = withoutTrailingBlanks(value);
    for (std::size_t i = 0; i < value.size();) folded.push_back(foldCase(text::nextCodePoint(value, i)));
    std::size_t p = 0;
    std::size_t t = 0;
    std::optional<std::size_t> afterWildcard;  // where the pattern goes on after the last %
    std::size_t wildcardTaken = 0;             // where the text went on after it
    while (t < folded.size()) {
      if (p < m_pattern.size() && isWildcard(p)) {
        while (p < m_pattern.size() && isWildcard(p)) ++p;
        afterWildcard = p;
        wildcardTaken = t;
      } else if (const std::size_t length = p < m_pattern.size() ? elementMatching(p, folded[t]) : 0; length > 0) {
        p += length;
        ++t;
      } else if (afterWildcard) {
        p = *afterWildcard;
        t = ++wildcardTaken;
      } else {
        return false;
      }
    }
    while (p < m_pattern.size() && isWildcard(p)) ++p;
    return p == m_pattern.size();
  }

 private:
  bool isEscape(std::size_t p) const { return m_pattern[p] == m_escape && p + 1 < m_pattern.size(); }
  bool isWildcard(std::size_t p) const { return m_pattern[p] == '%' && !isEscape(p); }

  // The length of the pattern element at p when it matches the character c, else 0.
  std::size_t elementMatching(std::size_t p, char32_t c) const {
    const char32_t element = m_pattern[p];
    if (isEscape(p)) return foldCase(m_pattern[p + 1]) == c ? 2 : 0;
    if (element == '_') return 1;
    if (element == '[') {
      std::size_t end = p + 1;
      if (end < m_pattern.size() && m_pattern[end] == '^') ++end;
      if (end < m_pattern.size() && m_pattern[end] == ']') ++end;  // "[]...]" holds a ]
      while (end < m_pattern.size() && m_pattern[end] != ']') ++end;
      if (end == m_pattern.size()) return c == '[' ? 1 : 0;  // no closing bracket: a literal [
      return inClass(p + 1, end, c) ? end + 1 - p : 0;
    }
    return foldCase(element) == c ? 1 : 0;
  }

  bool inClass(std::size_t begin, std::size_t end, char32_t c) const {
    bool negate = false;
    if (m_pattern[begin] == '^') {
      negate = true;
      ++begin;
    }
    bool found = false;
    for (std::size_t k = begin; k < end; ++k) {
      const char32_t low = foldCase(m_pattern[k]);
      if (k + 2 < end && m_pattern[k + 1] == '-') {
        const char32_t high = foldCase(m_pattern[k + 2]);
        found = found || (c >= low && c <= high);
        k += 2;
      } else {
        found = found || c == low;
      }
    }
    return found != negate;
  }

  std::u32string m_pattern;
  char32_t m_escape;
};

void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  // SQLite calls like(pattern, value[, escape]) for "value LIKE pattern".
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) return;
  char32_t escape = 0xFFFFFFFF;
  if (argc == 3) {
    const std::string_view given = valueText(argv[2]);
    if (given.empty()) {
      sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
      return;
    }
    std::size_t i = 0;
    escape = text::nextCodePoint(given, i);
  }
  sqlite3_result_int(context, LikeMatcher(valueText(argv[0]), escape).matches(valueText(argv[1])) ? 1 : 0);
}

// UPPER and LOWER of any letter, one character for one as SQL Server maps them.
template <std::string (*Map)(std::string_view)>
void letterCaseFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  const std::string result = Map(valueText(argv[0]));
  sqlite3_result_text(context, result.data(), static_cast<int>(result.size()), SQLITE_TRANSIENT);
}

// passaggio_collation(TABLE, COLUMN): the column's declared collation ("BINARY" when none),
// NULL when there is no such column; what the catalogue says only through the C API.
void collationFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  const auto* table = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
  const auto* column = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
  const char* collation = nullptr;
  if (table == nullptr || column == nullptr ||
      sqlite3_table_column_metadata(sqlite3_context_db_handle(context), nullptr, table, column, nullptr, &collation,
                                    nullptr, nullptr, nullptr) != SQLITE_OK ||
      collation == nullptr) {
    return;
  }
  sqlite3_result_text(context, collation, -1, SQLITE_TRANSIENT);
}

}  // namespace

int compareTsqlCi(const char* a, int aLength, const char* b, int bLength) {
  return text::compareIgnoringCase(withoutTrailingBlanks(textOf(a, aLength)),
                                   withoutTrailingBlanks(textOf(b, bLength)));
}

int registerTsqlFunctions(sqlite3* db) {
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  int rc = sqlite3_create_collation_v2(db, "TSQL_CI", SQLITE_UTF8, nullptr, collateTsqlCi, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "like", 2, kFlags, nullptr, likeFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "like", 3, kFlags, nullptr, likeFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = registerArithmeticFunctions(db);
  if (rc == SQLITE_OK) rc = registerPackedFunctions(db);
  if (rc == SQLITE_OK) rc = registerRowSetFunctions(db);
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function(db, "upper", 1, kFlags, nullptr, letterCaseFunction<text::toUpper>, nullptr, nullptr);
  }
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function(db, "lower", 1, kFlags, nullptr, letterCaseFunction<text::toLower>, nullptr, nullptr);
  }
  if (rc == SQLITE_OK) {
    rc = sqlite3_create_function(db, "passaggio_collation", 2, SQLITE_UTF8, nullptr, collationFunction, nullptr, nullptr);
  }
  return rc;
}

}  // namespace platform::db::sqlite
