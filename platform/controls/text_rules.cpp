// Text rules the control models share.
#include "platform/controls/text_rules.h"

namespace platform::controls {
namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view trimRight(std::string_view text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (upper(a[i]) != upper(b[i])) return false;
  }
  return true;
}

bool sameCode(std::string_view a, std::string_view b) { return sameName(trimRight(a), trimRight(b)); }

std::string toUpperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = upper(c);
  return result;
}

std::string truncateChars(std::string_view text, std::size_t maxChars) {
  if (maxChars == 0) return std::string(text);
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A character starts at every byte that is not a UTF-8 continuation byte.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == maxChars) return std::string(text.substr(0, i));
      ++chars;
    }
  }
  return std::string(text);
}

}  // namespace platform::controls
