// Quote doubling for codes spliced into statements.
#include "src/common/sql_text.h"

#include "platform/db/sql_literal.h"

namespace passaggio {

std::string SqlCode(std::string_view code) { return platform::db::doubleQuotes(code); }

std::string SqlName(std::string_view name) {
  std::string result = "[";
  for (const char c : name) {
    result += c;
    if (c == ']') result += ']';
  }
  return result + "]";
}

}  // namespace passaggio
