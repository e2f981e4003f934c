// Quote doubling for literals.
#include "platform/db/sql_literal.h"

namespace platform::db {

std::string doubleQuotes(std::string_view text) {
  std::string doubled;
  doubled.reserve(text.size());
  for (const char c : text) {
    doubled += c;
    if (c == '\'') doubled += '\'';
  }
  return doubled;
}

std::string quoteLiteral(std::string_view text) { return "'" + doubleQuotes(text) + "'"; }

}  // namespace platform::db
