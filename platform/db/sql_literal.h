// Codes spliced into statement text: between single quotes, with every embedded quote
// doubled, so whatever a user typed stays one literal and means what was typed. Every
// caller that splices a code goes through here.
#pragma once

#include <string>
#include <string_view>

namespace platform::db {

//! The text with every single quote doubled, to be placed between single quotes.
std::string doubleQuotes(std::string_view text);
//! The T-SQL literal of the text: 'O''Brien' for O'Brien.
std::string quoteLiteral(std::string_view text);

}  // namespace platform::db
