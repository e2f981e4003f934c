// Italian number forms.
#include "platform/text/numbers.h"

namespace platform::text {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string italianCount(long long count) {
  // The magnitude taken unsigned, so that the most negative count has one too.
  const unsigned long long magnitude =
      count < 0 ? 0ULL - static_cast<unsigned long long>(count) : static_cast<unsigned long long>(count);
  const std::string digits = std::to_string(magnitude);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return count < 0 ? "-" + grouped : grouped;
}

std::string italianDecimal(std::string_view plain) {
  std::size_t at = 0;
  if (at < plain.size() && (plain[at] == '-' || plain[at] == '+')) ++at;
  std::size_t whole = 0;
  while (at < plain.size() && isDigit(plain[at])) ++at, ++whole;
  if (whole == 0 || at == plain.size() || plain[at] != '.') return std::string(plain);
  const std::size_t point = at++;
  std::size_t decimals = 0;
  while (at < plain.size() && isDigit(plain[at])) ++at, ++decimals;
  if (decimals == 0 || at != plain.size()) return std::string(plain);
  std::string shown(plain);
  shown[point] = ',';
  return shown;
}

}  // namespace platform::text
