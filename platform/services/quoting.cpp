// Text helpers for codes.
#include "platform/services/quoting.h"

namespace platform::services {

std::string trimRight(std::string_view text) {
  const auto end = text.find_last_not_of(" \t");
  return end == std::string_view::npos ? std::string() : std::string(text.substr(0, end + 1));
}

bool isBlank(std::string_view text) { return text.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace platform::services
