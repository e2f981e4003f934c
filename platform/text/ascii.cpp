#include "platform/text/ascii.h"

#include <algorithm>

namespace platform::text {

std::string upperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = upperAscii(c);
  return result;
}

std::string lowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = lowerAscii(c);
  return result;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upperAscii(x) == upperAscii(y); });
}

std::string_view trimRight(std::string_view text, std::string_view blanks) {
  const auto last = text.find_last_not_of(blanks);
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trimLeft(std::string_view text, std::string_view blanks) {
  const auto first = text.find_first_not_of(blanks);
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trim(std::string_view text, std::string_view blanks) {
  return trimLeft(trimRight(text, blanks), blanks);
}

bool isBlank(std::string_view text, std::string_view blanks) {
  return text.find_first_not_of(blanks) == std::string_view::npos;
}

}  // namespace platform::text
