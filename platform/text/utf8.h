// UTF-8 text by characters: counting, cutting and decoding. A malformed byte counts as one
// character and decodes to itself, so that no input is lost or rejected.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::text {

//! A byte that starts a character: not a UTF-8 continuation byte.
constexpr bool startsCharacter(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }

//! The number of characters of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

//! The first `maxChars` characters of a UTF-8 text: a cut never splits a character.
std::string_view utf8Prefix(std::string_view text, std::size_t maxChars);

//! Decodes the code point at text[i] and moves i past it.
char32_t nextCodePoint(std::string_view text, std::size_t& i);

//! Appends the UTF-8 bytes of a code point.
void appendUtf8(std::string& out, char32_t c);

}  // namespace platform::text
