// Escaping control characters for output.
#include "platform/db/printable.h"

#include <cstdio>

namespace platform::db {

std::string printable(std::string_view text, LineBreaks lineBreaks) {
  std::string result;
  result.reserve(text.size());
  char code[8];
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if ((c == '\r' || c == '\n') && lineBreaks == LineBreaks::Keep) {
      result += static_cast<char>(c);
    } else if (c == '\r') {
      result += "\\r";
    } else if (c == '\n') {
      result += "\\n";
    } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
      std::snprintf(code, sizeof code, "\\x%02X", c);
      result += code;
    } else if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
      // U+0080..U+009F: terminals take some of them (CSI, OSC) as commands.
      std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned char>(text[++i]));
      result += code;
    } else {
      result += static_cast<char>(c);
    }
  }
  return result;
}

}  // namespace platform::db
