// CSV output of record sets.
#include "platform/db/recordset_csv.h"

#include <charconv>
#include <cmath>

#include "platform/db/printable.h"
#include "platform/text/ascii.h"

namespace platform::db {
namespace {

// A decimal's text without trailing zeros after the point, nor the point itself.
std::string withoutPadding(std::string text) {
  if (text.find('.') == std::string::npos) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  if (text == "-0") text = "0";
  return text;
}

std::string plainNumber(double value) {
  if (!std::isfinite(value)) return value != value ? "NaN" : value > 0 ? "Infinity" : "-Infinity";
  char buffer[400];
  // Shortest text that reads back as the same double, never in exponent notation.
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return withoutPadding(std::string(buffer, result.ptr));
}

// Control characters other than line breaks and tabs are escaped, so that a value never
// drives the terminal it is printed on.
std::string quoted(std::string_view raw) {
  std::string text = printable(raw, LineBreaks::Keep);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string result = "\"";
  for (char c : text) {
    if (c == '"') result += '"';
    result += c;
  }
  return result + "\"";
}

}  // namespace

std::string csvField(const Variant& value) {
  switch (value.type()) {
    case Variant::Type::Empty:
    case Variant::Type::Null:
      return {};
    case Variant::Type::Integer:
      return value.toText();
    case Variant::Type::Decimal:
      return withoutPadding(value.toDecimal().toString());
    case Variant::Type::Double:
      return plainNumber(value.toDouble());
    case Variant::Type::Boolean:
      return value.toBool() ? "1" : "0";
    case Variant::Type::Text: {
      std::string text(platform::text::trimRight(value.text(), " "));
      // An empty text is written "" so that it stays apart from NULL.
      return text.empty() ? "\"\"" : quoted(text);
    }
    case Variant::Type::Date:
      return value.toText();
    case Variant::Type::Array:
    case Variant::Type::Object:
      break;
  }
  return quoted(value.debugString());
}

void writeCsv(std::ostream& out, Recordset& rows) {
  for (std::size_t i = 0; i < rows.FieldCount(); ++i) {
    out << (i ? "," : "") << quoted(rows.Column(i).name);
  }
  out << "\r\n";
  if (rows.RecordCount() == 0) return;
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    for (std::size_t i = 0; i < rows.FieldCount(); ++i) {
      out << (i ? "," : "") << csvField(rows.Field(i));
    }
    out << "\r\n";
  }
}

}  // namespace platform::db
