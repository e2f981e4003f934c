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

int compareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    // ASCII fast path: item and classification codes are plain letters and digits.
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[j]);
    if ((x | y) < 0x80) {
      const int difference = lowerAscii(static_cast<char>(x)) - lowerAscii(static_cast<char>(y));
      if (difference != 0) return difference;
      ++i;
      ++j;
      continue;
    }
    const char32_t foldedX = foldCase(nextCodePoint(a, i));
    const char32_t foldedY = foldCase(nextCodePoint(b, j));
    if (foldedX != foldedY) return foldedX < foldedY ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

bool sameCode(std::string_view a, std::string_view b) {
  return compareIgnoringCase(trimRight(a, " \t"), trimRight(b, " \t")) == 0;
}

std::string toUpper(std::string_view text) { return mapLetters(text, upperCase); }
std::string toLower(std::string_view text) { return mapLetters(text, lowerCase); }

}  // namespace platform::text
