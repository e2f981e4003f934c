#include "platform/db/tsql/sql_type.h"

#include <charconv>

#include "platform/text/ascii.h"

namespace platform::db::tsql {
namespace {

int number(std::string_view text) {
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

SqlType SqlType::parse(std::string_view declared) {
  SqlType type;
  type.declared = std::string(declared);
  const std::size_t open = declared.find('(');
  type.name = text::upperAscii(text::trim(declared.substr(0, open)));
  if (open == std::string_view::npos) return type;
  std::string_view inside = declared.substr(open + 1);
  inside = inside.substr(0, inside.find(')'));
  const std::size_t comma = inside.find(',');
  const std::string_view first = text::trim(inside.substr(0, comma));
  const std::string_view second =
      comma == std::string_view::npos ? std::string_view() : text::trim(inside.substr(comma + 1));
  if (type.exactNumeric()) {
    type.precision = number(first);
    type.scale = number(second);
  } else if (text::equalsIgnoringCase(first, "MAX")) {
    type.max = true;
  } else if (comma == std::string_view::npos) {
    type.length = number(first);
  }
  return type;
}

bool SqlType::fixedText() const { return name == "CHAR" || name == "NCHAR"; }

bool SqlType::exactNumeric() const { return name == "DECIMAL" || name == "NUMERIC"; }

}  // namespace platform::db::tsql
