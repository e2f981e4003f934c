// Quoting of codes spliced into statements.
#include "platform/services/quoting.h"

namespace platform::services {

std::string sqlQuote(std::string_view text) {
  std::string result;
  result.reserve(text.size() + 2);
  result += '\'';
  for (char c : text) {
    if (c == '\'') result += '\'';
    result += c;
  }
  result += '\'';
  return result;
}

std::string trimRight(std::string_view text) {
  const auto end = text.find_last_not_of(" \t");
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace platform::services
