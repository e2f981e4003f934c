// Text that is safe to show on a terminal: what a value holds is printed, never obeyed. An
// ESC or another control character in an item code would otherwise reach the terminal raw
// and could recolour, move or clear what the user reads.
#pragma once

#include <string>
#include <string_view>

namespace platform::db {

enum class LineBreaks { Keep, Escape };

//! `text` with every control character (C0, DEL and, in UTF-8, C1) written as \xHH or \u00HH;
//! CR and LF as \r and \n unless kept; a tab is kept. Everything else is unchanged.
std::string printable(std::string_view text, LineBreaks lineBreaks = LineBreaks::Escape);

}  // namespace platform::db
