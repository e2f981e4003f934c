// Composing statement texts. A statement is written once as a template: fixed text with named
// placeholders ("<T>", "<K>", ...) filled in one pass, so that a value put in is never read
// for placeholders again. A template of several lines is written as its lines, joined by
// CR LF. Codes go between single quotes through the database layer's quoting; body codes
// used as column names go between square brackets.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace passaggio::sql {

//! A placeholder and the text that takes its place.
using Value = std::pair<std::string_view, std::string_view>;

//! The lines joined by CR LF, with none after the last.
std::string JoinLines(std::span<const std::string_view> lines);

//! The template with each placeholder replaced by its value, in one pass.
std::string Fill(std::string_view text, std::initializer_list<Value> values);

//! A template of lines, joined and filled.
std::string Compose(std::span<const std::string_view> lines, std::initializer_list<Value> values);

//! The literal of a code: between single quotes, with every embedded quote doubled.
std::string Quoted(std::string_view code);

//! A name between square brackets, with every embedded ']' doubled: any code stays one name.
std::string Bracketed(std::string_view name);

//! The statement that drops a working table when it exists.
std::string DropTable(std::string_view table);

}  // namespace passaggio::sql
