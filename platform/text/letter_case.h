// Letter case of any Unicode letter, one code point at a time (the simple mappings: a
// character never turns into two). Folding is what case-insensitive comparison uses: it maps
// upper and lower case to one form and leaves accents as they are ('À' folds to 'à', not 'a').
#pragma once

#include <string>
#include <string_view>

#include "platform/text/ascii.h"

namespace platform::text {

char32_t foldNonAscii(char32_t c);

//! The case folding of a code point; ASCII inline, as it is most of the text compared.
inline char32_t foldCase(char32_t c) {
  return c < 0x80 ? static_cast<char32_t>(lowerAscii(static_cast<char>(c))) : foldNonAscii(c);
}

char32_t upperCase(char32_t c);
char32_t lowerCase(char32_t c);

//! Orders two UTF-8 texts as case-insensitive, accent-sensitive comparison does: negative,
//! zero or positive like memcmp, by folded code points.
int compareIgnoringCase(std::string_view a, std::string_view b);

//! Codes typed by users and stored keys: equal as the database compares them, without regard
//! to letter case and to trailing blanks.
bool sameCode(std::string_view a, std::string_view b);

//! A UTF-8 text with every letter in upper (lower) case; malformed bytes are kept as they are.
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);

}  // namespace platform::text
