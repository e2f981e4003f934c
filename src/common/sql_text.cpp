// Quote doubling for codes spliced into statements.
#include "src/common/sql_text.h"

namespace passaggio {

std::string SqlCode(std::string_view code) {
  std::string text;
  text.reserve(code.size());
  for (const char c : code) {
    text += c;
    if (c == '\'') text += '\'';
  }
  return text;
}

}  // namespace passaggio
