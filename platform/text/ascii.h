// Text rules on plain ASCII: letter case of names and keywords, and blanks around values.
// Bytes outside ASCII (the parts of UTF-8 characters) are never changed by these.
#pragma once

#include <string>
#include <string_view>

namespace platform::text {

//! Blanks as typed or stored around a value: space, tab, carriage return, line feed.
inline constexpr std::string_view kBlanks = " \t\r\n";

constexpr char upperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
constexpr char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);

//! Names, keywords and identifiers: equal without regard to ASCII letter case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

std::string_view trimRight(std::string_view text, std::string_view blanks = kBlanks);
std::string_view trimLeft(std::string_view text, std::string_view blanks = kBlanks);
std::string_view trim(std::string_view text, std::string_view blanks = kBlanks);
bool isBlank(std::string_view text, std::string_view blanks = kBlanks);

}  // namespace platform::text
