// The one way the stand-in services put a code into a statement: between single quotes with
// every embedded quote doubled, so whatever a user types stays one literal.
#pragma once

#include <string>
#include <string_view>

namespace platform::services {

//! A T-SQL text literal of `text`: 'O''Brien' for O'Brien.
std::string sqlQuote(std::string_view text);

//! `text` without trailing blanks (CHAR columns come back padded from some servers).
std::string trimRight(std::string_view text);

//! True when `text` holds nothing but blanks.
bool isBlank(std::string_view text);

}  // namespace platform::services
