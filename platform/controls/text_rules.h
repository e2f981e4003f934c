// Text rules the control models share: name comparison as the host does it (letter case and
// trailing blanks ignored), upper-casing for the "Maiuscolo" display format, and cutting a
// UTF-8 text to a number of characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::controls {

//! Field, column and control names: equal without regard to ASCII letter case.
bool sameName(std::string_view a, std::string_view b);

//! Codes typed by users and stored keys: equal without regard to ASCII letter case and to
//! trailing blanks, as the database compares them.
bool sameCode(std::string_view a, std::string_view b);

//! ASCII letters upper-cased; other bytes (accented letters in UTF-8) left as they are.
std::string toUpperAscii(std::string_view text);

//! The first `maxChars` characters of a UTF-8 text (0 = no limit).
std::string truncateChars(std::string_view text, std::size_t maxChars);

}  // namespace platform::controls
