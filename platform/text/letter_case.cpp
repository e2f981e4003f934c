#include "platform/text/letter_case.h"

#include <unicode/uchar.h>

#include <array>

#include "platform/text/utf8.h"

namespace platform::text {
namespace {

template <typename Map>
std::string mapLetters(std::string_view text, Map map) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t start = i;
    const char32_t c = nextCodePoint(text, i);
    const bool malformed = c >= 0x80 && i - start == 1;
    if (malformed) {
      result += text[start];
    } else {
      appendUtf8(result, map(c));
    }
  }
  return result;
}

char32_t foldWithIcu(char32_t c) {
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

}  // namespace

char32_t foldNonAscii(char32_t c) {
  // The Latin letters of item data from a table: a lookup costs less than ICU's.
  static const auto kLatin = [] {
    std::array<char32_t, 0x250> folded{};
    for (char32_t k = 0; k < folded.size(); ++k) folded[k] = foldWithIcu(k);
    return folded;
  }();
  return c < kLatin.size() ? kLatin[c] : foldWithIcu(c);
}

char32_t upperCase(char32_t c) {
  if (c < 0x80) return static_cast<char32_t>(upperAscii(static_cast<char>(c)));
  return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

char32_t lowerCase(char32_t c) {
  if (c < 0x80) return static_cast<char32_t>(lowerAscii(static_cast<char>(c)));
  return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

std::string toUpper(std::string_view text) { return mapLetters(text, upperCase); }
std::string toLower(std::string_view text) { return mapLetters(text, lowerCase); }

}  // namespace platform::text
