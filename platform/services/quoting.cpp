// Quoting of codes spliced into statements.
#include "platform/services/quoting.h"

#include "platform/db/sql_literal.h"

namespace platform::services {

std::string sqlQuote(std::string_view text) { return db::quoteLiteral(text); }

std::string trimRight(std::string_view text) {
  const auto end = text.find_last_not_of(" \t");
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace platform::services
