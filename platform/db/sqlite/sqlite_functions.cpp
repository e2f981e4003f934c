// SQL Server's text semantics inside SQLite: the TSQL_CI collation (case-insensitive,
// accent-sensitive, trailing blanks ignored) and a LIKE that follows it with [...] classes;
// the arithmetic functions are registered with them.
#include "platform/db/sqlite/sqlite_functions.h"

#include "platform/db/sqlite/sqlite_arithmetic.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace platform::db::sqlite {
namespace {

// Decodes one UTF-8 code point at text[i], advancing i. Malformed bytes stand for themselves.
char32_t nextCodePoint(const unsigned char* text, int length, int& i) {
  const unsigned char lead = text[i++];
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07;
  } else {
    return lead;
  }
  if (i + extra > length) return lead;
  for (int k = 0; k < extra; ++k) {
    const unsigned char next = text[i + k];
    if ((next & 0xC0) != 0x80) return lead;
    value = (value << 6) | (next & 0x3F);
  }
  i += extra;
  return value;
}

// Simple case folding for the letters item data use: ASCII, Latin-1 Supplement (not the
// multiplication and division signs) and Latin Extended-A.
char32_t fold(char32_t c) {
  if (c < 0x80) return (c >= 'A' && c <= 'Z') ? c + 32 : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
    if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    if (oddUpper) return (c & 1) ? c + 1 : c;
    return (c & 1) ? c : c + 1;
  }
  return c;
}

int withoutTrailingBlanks(const unsigned char* text, int length) {
  while (length > 0 && text[length - 1] == ' ') --length;
  return length;
}

int collateTsqlCi(void*, int aLength, const void* a, int bLength, const void* b) {
  return compareTsqlCi(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

// SQL Server LIKE: % any run, _ one character, [abc] [a-c] [^a] classes, an optional escape
// character; letters fold as in TSQL_CI. The value's trailing blanks do not count, the
// pattern's do.
class LikeMatcher {
 public:
  LikeMatcher(const unsigned char* pattern, int patternLength, char32_t escape)
      : m_escape(escape) {
    for (int i = 0; i < patternLength;) m_pattern.push_back(nextCodePoint(pattern, patternLength, i));
  }

  bool matches(const unsigned char* value, int valueLength) const {
    std::u32string text;
    valueLength = withoutTrailingBlanks(value, valueLength);
    for (int i = 0; i < valueLength;) text.push_back(fold(nextCodePoint(value, valueLength, i)));
    return match(0, text, 0);
  }

 private:
  bool match(std::size_t p, const std::u32string& text, std::size_t t) const {
    while (p < m_pattern.size()) {
      const char32_t c = m_pattern[p];
      if (c == m_escape && p + 1 < m_pattern.size()) {
        if (t >= text.size() || fold(m_pattern[p + 1]) != text[t]) return false;
        p += 2;
        ++t;
      } else if (c == '%') {
        while (p < m_pattern.size() && m_pattern[p] == '%') ++p;
        if (p == m_pattern.size()) return true;
        for (std::size_t k = t; k <= text.size(); ++k) {
          if (match(p, text, k)) return true;
        }
        return false;
      } else if (c == '_') {
        if (t >= text.size()) return false;
        ++p;
        ++t;
      } else if (c == '[') {
        std::size_t end = p + 1;
        if (end < m_pattern.size() && m_pattern[end] == '^') ++end;
        if (end < m_pattern.size() && m_pattern[end] == ']') ++end;  // "[]...]" holds a ]
        while (end < m_pattern.size() && m_pattern[end] != ']') ++end;
        if (end == m_pattern.size()) {  // no closing bracket: a literal [
          if (t >= text.size() || text[t] != '[') return false;
          ++p;
          ++t;
          continue;
        }
        if (t >= text.size() || !inClass(p + 1, end, text[t])) return false;
        p = end + 1;
        ++t;
      } else {
        if (t >= text.size() || fold(c) != text[t]) return false;
        ++p;
        ++t;
      }
    }
    return t == text.size();
  }

  bool inClass(std::size_t begin, std::size_t end, char32_t c) const {
    bool negate = false;
    if (m_pattern[begin] == '^') {
      negate = true;
      ++begin;
    }
    bool found = false;
    for (std::size_t k = begin; k < end; ++k) {
      const char32_t low = fold(m_pattern[k]);
      if (k + 2 < end && m_pattern[k + 1] == '-') {
        const char32_t high = fold(m_pattern[k + 2]);
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
    const auto* text = sqlite3_value_text(argv[2]);
    const int length = sqlite3_value_bytes(argv[2]);
    int i = 0;
    if (text == nullptr || length == 0) {
      sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
      return;
    }
    escape = nextCodePoint(text, length, i);
  }
  const auto* pattern = sqlite3_value_text(argv[0]);
  const int patternLength = sqlite3_value_bytes(argv[0]);
  const auto* value = sqlite3_value_text(argv[1]);
  const int valueLength = sqlite3_value_bytes(argv[1]);
  sqlite3_result_int(context, LikeMatcher(pattern, patternLength, escape).matches(value, valueLength) ? 1 : 0);
}

}  // namespace

int compareTsqlCi(const char* a, int aLength, const char* b, int bLength) {
  const auto* left = reinterpret_cast<const unsigned char*>(a);
  const auto* right = reinterpret_cast<const unsigned char*>(b);
  aLength = withoutTrailingBlanks(left, aLength);
  bLength = withoutTrailingBlanks(right, bLength);
  int i = 0;
  int j = 0;
  while (i < aLength && j < bLength) {
    // ASCII fast path: item and classification codes are plain letters and digits.
    if (left[i] < 0x80 && right[j] < 0x80) {
      const int x = static_cast<int>(fold(left[i++]));
      const int y = static_cast<int>(fold(right[j++]));
      if (x != y) return x - y;
      continue;
    }
    const char32_t x = fold(nextCodePoint(left, aLength, i));
    const char32_t y = fold(nextCodePoint(right, bLength, j));
    if (x != y) return x < y ? -1 : 1;
  }
  if (i < aLength) return 1;
  if (j < bLength) return -1;
  return 0;
}

int registerTsqlFunctions(sqlite3* db) {
  constexpr int kFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  int rc = sqlite3_create_collation_v2(db, "TSQL_CI", SQLITE_UTF8, nullptr, collateTsqlCi, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "like", 2, kFlags, nullptr, likeFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = sqlite3_create_function(db, "like", 3, kFlags, nullptr, likeFunction, nullptr, nullptr);
  if (rc == SQLITE_OK) rc = registerArithmeticFunctions(db);
  return rc;
}

}  // namespace platform::db::sqlite
