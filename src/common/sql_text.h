// Splicing values into statement text: a code between single quotes has its own quotes
// doubled, so a quote typed anywhere gives a valid statement that means what was typed.
#pragma once

#include <string>
#include <string_view>

namespace passaggio {

//! The code with every single quote doubled, to be placed between single quotes.
std::string SqlCode(std::string_view code);

//! A name between square brackets, with every embedded ']' doubled: any code stays one name.
std::string SqlName(std::string_view name);

}  // namespace passaggio
