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

//! Decodes the code point at text[i] and moves i past it. Inline: the collation decodes
//! every non-ASCII character it compares.
inline char32_t nextCodePoint(std::string_view text, std::size_t& i) {
  const auto lead = static_cast<unsigned char>(text[i++]);
  if (lead < 0x80) return lead;
  std::size_t extra = 0;
  char32_t value = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    value = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    value = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    value = lead & 0x07;
  } else {
    return lead;
  }
  if (i + extra > text.size()) return lead;
  for (std::size_t k = 0; k < extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return lead;
    value = (value << 6) | (next & 0x3F);
  }
  i += extra;
  return value;
}

//! Appends the UTF-8 bytes of a code point.
void appendUtf8(std::string& out, char32_t c);

}  // namespace platform::text
